#include "printingui/MonthUpDown.h"

#include "coreui/FormParts.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

MonthUpDown::MonthUpDown(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Hizuke"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto arrow = [this, layout](const QString &name, Qt::ArrowType type, int months) {
        auto *button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(type);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, months] { emit stepped(months); });
        return button;
    };
    UpButton = arrow(QStringLiteral("HizukeUp"), Qt::UpArrow, 1);
    DownButton = arrow(QStringLiteral("HizukeDown"), Qt::DownArrow, -1);
}

MonthUpDown *MonthUpDown::addWithLabel(QWidget *panel, QLabel *&label)
{
    label = FormParts::addLabel(panel, QString(), QRect(10, 10, 170, 36), Qt::AlignCenter);
    label->setObjectName(QStringLiteral("YearMonthLabel"));
    QFont large = label->font();
    large.setPixelSize(18);
    label->setFont(large);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    auto *arrows = new MonthUpDown(panel);
    arrows->setGeometry(182, 10, 22, 36);
    return arrows;
}
