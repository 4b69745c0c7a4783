#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

// The dialog under which a report is built or printed: it opens modally,
// runs the job inside its own modal loop and shows the job's progress text.
// Cancel asks the job to stop (terminated()) and closes with the cancel
// result; the job looks at the flag between pages.
class TrpProgressForm : public QDialog
{
    Q_OBJECT
public:
    using Job = std::function<void()>;

    explicit TrpProgressForm(QWidget *parent = nullptr);

    // Shows the dialog modally (through the dialog service) and runs the job
    // once it is open; Accepted when the job ran to its end, Rejected when
    // it was cancelled. The job may close the dialog itself with
    // finish(); when it does not, the dialog closes when the job returns.
    int run(const QString &caption, const QString &text, Job job);

    void setText(const QString &text);
    // Closes the dialog with OK, or with cancel when asked to stop.
    void finish();
    [[nodiscard]] bool terminated() const { return m_terminated; }

    QLabel *Label1;
    QPushButton *Button1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void runJob();
    void Button1Click();

    Job m_job;
    bool m_terminated = false;
};
