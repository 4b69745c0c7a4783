#pragma once

#include <QMainWindow>

#include <functional>

struct AppContext;

// A menu or work window of the program: it applies the window-state
// setting when shown, hides the window it was opened from while it is
// shown and shows that one again when it closes, and keeps MainPanel
// centred (at a fixed top when one is given).
class MenuWindow : public QMainWindow
{
    Q_OBJECT
public:
    // opener: the window to hide (read when shown, so a global set later
    // serves); panelTop < 0 centres vertically below topReserve pixels.
    MenuWindow(AppContext &context, std::function<QWidget *()> opener, int panelTop, int topReserve = 0,
                  QWidget *parent = nullptr);

    QWidget *MainPanel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Called on every showing, after the window state is applied.
    virtual void FormShow() {}
    // Asked before closing; false keeps the window open.
    virtual bool CanClose() { return true; }
    void placePanel();

    AppContext &m_context;

private:
    std::function<QWidget *()> m_opener;
    int m_panelTop;
    int m_topReserve;
};
