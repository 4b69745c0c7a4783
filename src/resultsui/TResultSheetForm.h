#pragma once

#include "base/DateTime.h"
#include "coreui/MenuWindow.h"
#include "results/ResultSheet.h"

#include <array>

class QAction;
class QLabel;
class QTableWidget;
class QToolButton;

// 実績入力一覧: the month's users with a mark per day on which they had a
// result; the way into the per-user entry, the copy from bookings and the CSV.
class TResultSheetForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TResultSheetForm(AppContext &context, QWidget *parent = nullptr);

    static constexpr int ColumnCount = 34;
    static constexpr int EmptyRows = 30;

    TDateTime YearMonth = DateTime::None;
    TDateTime FromDate = DateTime::None;
    TDateTime ToDate = DateTime::None;
    bool Loaded = false;
    int ClickedRow = -1;

    QToolButton *OpenButton = nullptr;
    QToolButton *ImportButton = nullptr;
    QToolButton *UserAddButton = nullptr;
    QToolButton *ReturnButton = nullptr;
    // The month shown, as an era year and month; empty before one is opened.
    QLabel *YearMonthLabel = nullptr;
    QAction *OpenMenu = nullptr;
    QAction *ImportScheduleMenu = nullptr;
    QAction *ImportExtDataMenu = nullptr;
    QAction *ExportMenu = nullptr;
    QAction *UserAddMenu = nullptr;
    QAction *CloseMenu = nullptr;
    QTableWidget *StrGrid = nullptr;
    std::array<QLabel *, 31> L{};
    std::array<QLabel *, 31> w{};

    void OpenButtonClick();
    void ImportButtonClick();
    void ImportExtDataMenuClick();
    void ExportMenuClick();
    void UserAddButtonClick();
    void StrGridDblClick();
    // Shows the month of [from, to) and its users.
    void SetMonthHeader(TDateTime from, TDateTime to);
    void LoadResultUsers(TDateTime from, TDateTime to);

protected:
    void FormShow() override;

private:
    void buildToolBar();
    void buildHeader();
    void clearGrid(int rows);
    void openEntry(int cureNo);

    ResultSheet m_sheet;
};

extern TResultSheetForm *ResultSheetForm;
