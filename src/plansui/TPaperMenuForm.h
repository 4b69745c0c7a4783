#pragma once

#include <QWidget>

class QPushButton;
struct AppContext;

// The menu of the plan papers ("書卓"), opened by the main window's tile,
// which it hides while it is shown.
class TPaperMenuForm : public QWidget
{
    Q_OBJECT

public:
    explicit TPaperMenuForm(AppContext &context, QWidget *parent = nullptr);

    // The windows its entries open; an entry without one stays disabled.
    void SetForms(QWidget *curePlan, QWidget *practicePlan, QWidget *missingPlans);

    QWidget *MenuPanel = nullptr;
    QPushButton *CurePlanBtn = nullptr;
    QPushButton *PracticePlanBtn = nullptr;
    QPushButton *MissingListBtn = nullptr;
    QPushButton *ReturnBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    QWidget *m_curePlan = nullptr;
    QWidget *m_practicePlan = nullptr;
    QWidget *m_missingPlans = nullptr;
};

extern TPaperMenuForm *PaperMenuForm;
