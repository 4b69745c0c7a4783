#pragma once

#include <QWidget>

struct AppContext;

// A work window of the print menu: the menu hides while it is shown and
// comes back when it closes; the window follows the shared window-state
// setting and keeps MainPanel centred.
class PrintWorkForm : public QWidget
{
    Q_OBJECT

public:
    PrintWorkForm(AppContext &context, const QString &name, const QString &caption, QSize panelSize,
                  QWidget *parent = nullptr);

    QWidget *MainPanel = nullptr;

protected:
    // Called when the form is shown and when it closes, after the menu's turn.
    virtual void formShown() = 0;
    virtual void formClosed() = 0;

    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    AppContext &m_context;
};
