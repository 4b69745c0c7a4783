#include "coreui/FormParts.h"

#include "base/DateTime.h"
#include "base/Era.h"
#include "core/EraDate.h"

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

void fitWidth(QLabel *label, const QString &longest)
{
    const QFontMetrics metrics = label->fontMetrics();
    // A framed label indents its text by half an "x" (QLabel's indent of -1).
    const int indent = label->frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    const int width = metrics.horizontalAdvance(longest) + 2 * (label->frameWidth() + label->margin() + indent) + 2;
    label->setMinimumWidth(std::max(label->minimumWidth(), width));
}

QString widestEraDate(const QLabel *label)
{
    const QFontMetrics metrics = label->fontMetrics();
    QString widest;
    for (const Era &era : Eras::table()) {
        const QString text = FormatEraDate(DateTime::encodeDate(era.start.year() + 1, 12, 28));
        if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest))
            widest = text;
    }
    return widest;
}

} // namespace FormParts
