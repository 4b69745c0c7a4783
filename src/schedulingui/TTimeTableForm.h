#pragma once

#include "scheduling/BookingStatusList.h"

#include <QDialog>

class DbConnection;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
struct AppContext;

// The bookings of one slot: cancel one or all, and edit each booking's
// comment in place (written when the edit ends).
class TTimeTableForm : public QDialog
{
    Q_OBJECT

public:
    // The phrase editor CommentForm opens from the comment box when it exists.
    explicit TTimeTableForm(AppContext &context, QWidget *parent = nullptr);

    int ReserveNo = 0;
    bool CanDelete = false;
    int BookedCount = 0;

    QTableWidget *ScheduleDispGrid = nullptr;
    QPushButton *DeleteButton = nullptr;
    QPushButton *AllDeleteButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QLabel *StatusPanel0 = nullptr;

    // Writes a comment edit of the row to its booking; public for the
    // delegate that ends the edit.
    void CommentEdited(int row, const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillGrid();
    // Whether the text shows whole on one line of the column's cells.
    [[nodiscard]] bool fits(const QString &text, int column) const;
    void DeleteButtonClick();
    void AllDeleteButtonClick();
    void editPhrases();

    BookingStatusList m_list;
    DbConnection &m_database;
    QStringList m_phrases;
};
