#include "coreui/FormParts.h"

#include <QLabel>
#include <QPushButton>

namespace FormParts {

QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QLabel *addLabel(QWidget *parent, const QString &caption, const QRect &geometry, Qt::Alignment alignment)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

} // namespace FormParts
