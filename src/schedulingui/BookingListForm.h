#pragma once

#include "coreui/MenuWindow.h"
#include "scheduling/BookingListPrint.h"

#include <memory>

class QComboBox;
class QLabel;
class QToolButton;
class QPushButton;
class QTableWidget;

// What the three booking lists share: the grid, the count, "表示" and
// "印刷". A display keeps what it showed for the printout; any change of
// the choices closes the list, which disables printing.
class BookingListForm : public MenuWindow
{
    Q_OBJECT
public:
    BookingListForm(AppContext &context, BookingListPrint::Kind kind, const QString &objectName,
                    const QString &caption);
    ~BookingListForm() override;

    QWidget *FilterPanel = nullptr;
    QPushButton *DisplayButton = nullptr;
    QPushButton *PrintButton = nullptr;
    QPushButton *CloseButton = nullptr;
    QLabel *CountLabel = nullptr;
    QTableWidget *DBGrid1 = nullptr;

    // Empties the grid and disables printing.
    void closeList();
    virtual void DisplayClick() = 0;
    virtual void PrintClick();
    // The list being shown, for printing; null while the list is closed.
    [[nodiscard]] const BookingListPrint *shownList() const { return m_shown.get(); }

protected:
    void FormShow() override;
    // Shows the rows; false (told) when they could not be read.
    bool showRows(const std::optional<BookingList::Rows> &rows, BookingListPrint::Header header);
    // The grid's columns: their captions and the text of a row's cell.
    struct Column
    {
        QString caption;
        int width;
        std::function<QString(const BookingList::Row &)> text;
        Qt::Alignment alignment = Qt::AlignLeft;
    };
    void setColumns(std::vector<Column> columns);
    // Builds the list's printout and shows its preview.
    void printShown(const BookingListPrint &print);
    // The filter controls the lists share, on FilterPanel.
    [[nodiscard]] QComboBox *makeStaffBox();
    [[nodiscard]] QToolButton *makeArrow(const char *name, Qt::ArrowType arrow);
    [[nodiscard]] QString staffNameOf(int index) const;
    [[nodiscard]] int staffCodeOf(int index) const;
    [[nodiscard]] int staffCount() const;

private:
    BookingListPrint::Kind m_kind;
    std::vector<Column> m_columns;
    std::unique_ptr<BookingListPrint> m_shown;
};

// The text helpers of the list grids.
namespace BookingListText {
[[nodiscard]] QString eraDay(TDateTime date);
[[nodiscard]] QString weekday(TDateTime date);
[[nodiscard]] QString number(int value);
} // namespace BookingListText
