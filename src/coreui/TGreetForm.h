#pragma once

#include <QWidget>

class QLabel;

// The splash window shown while the forms are created.
class TGreetForm : public QWidget
{
    Q_OBJECT

public:
    explicit TGreetForm(QWidget *parent = nullptr);

    // Shows a status text in one of the three lines (1 to 3) and repaints at once.
    void SetStatus(int line, const QString &text);

    QLabel *GLabel1 = nullptr;
    QLabel *GLabel2 = nullptr;
    QLabel *GLabel3 = nullptr;
};

extern TGreetForm *GreetForm;
