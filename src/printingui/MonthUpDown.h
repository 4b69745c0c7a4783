#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// The up-down arrows beside a month label: up is one month forward, down
// one month back.
class MonthUpDown : public QWidget
{
    Q_OBJECT

public:
    explicit MonthUpDown(QWidget *parent = nullptr);

    // The month label "YearMonthLabel" at the panel's top left with the
    // arrows beside it, as the month printouts place them.
    static MonthUpDown *addWithLabel(QWidget *panel, QLabel *&label);

    QToolButton *UpButton = nullptr;
    QToolButton *DownButton = nullptr;

signals:
    // +1 for the up arrow, -1 for the down arrow.
    void stepped(int months);
};
