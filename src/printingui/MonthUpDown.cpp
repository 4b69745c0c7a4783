#include "printingui/MonthUpDown.h"

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
