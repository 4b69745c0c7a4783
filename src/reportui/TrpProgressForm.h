#pragma once

#include "report/building/TrpProgressUi.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The dialog under which a report is built or printed: it opens modally,
// runs the work inside its own modal loop and shows the work's progress
// text. Cancel asks the work to stop (cancelRequested(), which the report
// looks at between pages) and closes the dialog with the cancel result.
class TrpProgressForm : public QDialog, public TrpProgressUi
{
    Q_OBJECT
public:
    explicit TrpProgressForm(QWidget *parent = nullptr);

    // Shows the dialog modally (through the dialog service) and runs the
    // work once it is open; false when it was cancelled.
    [[nodiscard]] bool run(const QString &caption, const QString &label, const std::function<void()> &work) override;
    // From the opening of the dialog until its work has ended.
    [[nodiscard]] bool isShowing() const override { return m_running; }
    void setLabel(const QString &label) override;
    // Lets Cancel be pressed; true once it was.
    [[nodiscard]] bool cancelRequested() override;

    // Cancel, and Escape: the work is asked to stop.
    void reject() override;

    QLabel *Label1;
    QPushButton *Button1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void runWork();

    std::function<void()> m_work;
    bool m_running = false;
    bool m_terminated = false;
};
