#pragma once

#include <QDialog>

class QPlainTextEdit;

// The diagnostic list of the records a schedule window holds.
class TScheduleTableDispForm : public QDialog
{
    Q_OBJECT

public:
    explicit TScheduleTableDispForm(QWidget *parent = nullptr);

    // Shows the lines alone, modally.
    void showLines(const QStringList &lines);

    QPlainTextEdit *Memo = nullptr;
};

extern TScheduleTableDispForm *ScheduleTableDispForm;
