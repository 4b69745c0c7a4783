#pragma once

#include "reportui/TrpPreviewLayout.h"

#include <QDialog>
#include <QPointF>

class QLabel;
class QMenu;
class QScrollBar;
class TrpEMFPages;
class TrpPreviewView;
class TrpPrinter;
class TrpReport;
class TrpSpeedButton;
class TrpTBButton;
class TrpTBSeparator;

// The preview window: the pages of a prepared report, zoomed, scrolled and
// paged, with text search, printing, and saving and loading of ".rpd" files.
// The last zoom chosen holds for the next preview of the run.
class TrpPreviewForm : public QDialog
{
    Q_OBJECT
public:
    explicit TrpPreviewForm(TrpReport &report, QWidget *parent = nullptr);
    ~TrpPreviewForm() override;

    // The zoom of the run: factor (1.0 = 100 %) and mode (TrpPreviewLayout::Mode).
    static double LastZoom;
    static int LastZoomMode;

    [[nodiscard]] int currentPage() const { return m_currentPage; }
    [[nodiscard]] double zoom() const { return m_layout.factor(); }
    [[nodiscard]] int zoomMode() const { return m_mode; }
    [[nodiscard]] const TrpPreviewLayout &pageLayout() const { return m_layout; }
    // The found text's place on its page (page units), when the last search found one.
    [[nodiscard]] bool found() const { return m_search.found; }
    [[nodiscard]] QPointF foundPoint() const { return m_search.point; }

    // A zoom menu entry: a percent, or a mode given as 1 to 3.
    void ZoomMenuClick(int tag);
    void PgUpClick();
    void PgDownClick();
    // F3: the next match of the last search text; false when none is left.
    bool FindNext();

    TrpTBButton *ZoomBtn;
    TrpTBButton *LoadBtn;
    TrpTBButton *SaveBtn;
    TrpTBButton *PrintBtn;
    TrpTBButton *FindBtn;
    TrpTBSeparator *HelpSeparator;
    TrpTBButton *HelpBtn;
    TrpTBButton *ExitBtn;
    QScrollBar *VScrollBar;
    QScrollBar *HScrollBar;
    TrpSpeedButton *PgUp;
    TrpSpeedButton *PgDown;
    QLabel *Label1;
    QMenu *ProcMenu;
    TrpPreviewView *PaintBox;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SearchState
    {
        QString text;
        bool caseSensitive = false;
        int page = -1; // 0-based
        int record = 0;
        QPointF point;
        bool found = false;
    };

    QWidget *makeToolBar();
    void makeScrollArea(QWidget *area);
    void makeMenu();
    void applyButtons();

    void initView();
    void computeLayout();
    void updateStatus();
    void checkZoomEntry();
    void applyOffset();
    void VScrollChange(int position);
    void showMenu(QPoint globalPos);
    void handScroll(QPoint delta);
    void wheelScroll(int notches);
    bool handleKey(const QKeyEvent &event);
    void moveToPage(int page);

    void LoadBtnClick();
    void SaveBtnClick();
    void PrintBtnClick();
    void FindBtnClick();
    void HelpBtnClick();
    void endHelpMode();
    bool findFrom(int page, int record);
    void showError(const QString &text);
    [[nodiscard]] TrpEMFPages &pages();

    TrpReport &m_report;
    TrpPrinter &m_printer;
    TrpPreviewLayout m_layout;
    int m_currentPage = 1;
    int m_mode = TrpPreviewLayout::FixedZoom;
    double m_factor = 1.0;
    SearchState m_search;
    bool m_helpMode = false;
    // The help pointer has been pressed and awaits its release.
    bool m_helpPressed = false;
};
