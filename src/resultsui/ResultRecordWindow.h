#pragma once

#include "coreui/MenuWindow.h"

class QLabel;
class QTableView;
class QToolButton;
class ResultCellDelegate;
class ResultGridModel;
class ResultRowsEditor;

// The monthly and daily results forms: a tool bar with load, save, print
// and close, and a grid in which the actual start, minutes and remark are
// corrected. Each change is written at once; "保存" reads the rows again.
class ResultRecordWindow : public MenuWindow
{
    Q_OBJECT
public:
    QToolButton *SaveButton = nullptr;
    QToolButton *PrintButton = nullptr;
    QToolButton *CloseButton = nullptr;
    QTableView *ResultGrid = nullptr;

    void SaveButtonClick();

protected:
    // The grid's editable columns: start, minutes and remark.
    struct EditColumns
    {
        int start;
        int minutes;
        int comment;
    };
    ResultRecordWindow(AppContext &context, QWidget *parent);
    // The rows the grid shows and edits.
    virtual ResultRowsEditor &editedRows() = 0;
    // Builds the tool bar, its first button (load) named as given.
    QToolButton *buildToolBar(const char *loadName, const QString &loadText);
    // A caption on the main panel, one input row high.
    QLabel *addCaption(const QString &text, int left, int top, int width);
    // Puts the grid over the model; the comment column edits through
    // CommentBox (the phrases of "Schd", code 0).
    void setGrid(ResultGridModel *model, EditColumns edit, QRect geometry);
    // Reloads the rows after a save; false when that failed.
    virtual bool reloadRows() = 0;
    // After a successful save and after an edit.
    virtual void rowsChanged() {}
    bool CanClose() override;
    void clearGrid();
    // Writes the waiting edit (the cursor left its row, or the rows are
    // loaded again or go); false (told) on failure.
    bool postPending();

    ResultGridModel *m_model = nullptr;

private:
    void cellEdited(int row, int column, const QVariant &value);
    // Tells a failed write; a row deleted at another workstation is told as
    // such and the rows are read again. Whether they were.
    bool tellWriteFailed();

    EditColumns m_edit{};
};
