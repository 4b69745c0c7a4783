#pragma once

#include "coreui/EnterKeyWatch.h"
#include "users/TPerson.h"
#include "users/UserSearch.h"

#include <QDialog>

#include <functional>

struct AppContext;
class KanaLineEdit;
class QFrame;
class QLineEdit;
class QPushButton;
class QTableView;
class UserGridModel;

// The dialog through which every window picks a registered user. The caller
// shows it modally (Dialogs::exec) and, when it was accepted, reads Person.
class TUserSearchForm : public QDialog
{
    Q_OBJECT

public:
    // Searches on the context's main connection.
    explicit TUserSearchForm(AppContext &context, QWidget *parent = nullptr);
    ~TUserSearchForm() override;

    // The searches and their rows, and the sort direction of each column.
    [[nodiscard]] const UserSearch &search() const { return m_search; }

    // The chosen user; filled only by DecideButton.
    TPerson Person;

    QFrame *IdentPanel = nullptr;
    QLineEdit *RegistCureNo = nullptr;
    QPushButton *CureNoButton = nullptr;
    QLineEdit *RegistName = nullptr;
    QPushButton *UserSearchBtn = nullptr;
    KanaLineEdit *RegistKanaName = nullptr;
    QPushButton *KanaSearchBtn = nullptr;
    QLineEdit *RegistHinoriku = nullptr;
    QPushButton *HinorikuBtn = nullptr;
    QPushButton *ClearBtn = nullptr;

    QFrame *SearchPanel = nullptr;
    QPushButton *ABtn = nullptr;
    QPushButton *KBtn = nullptr;
    QPushButton *SBtn = nullptr;
    QPushButton *TBtn = nullptr;
    QPushButton *NBtn = nullptr;
    QPushButton *HBtn = nullptr;
    QPushButton *MBtn = nullptr;
    QPushButton *YBtn = nullptr;
    QPushButton *RBtn = nullptr;
    QPushButton *WBtn = nullptr;
    QPushButton *AllDisplay = nullptr;
    QTableView *DBGrid1 = nullptr;
    QPushButton *ReturnBtn = nullptr;
    QPushButton *DecideButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildIdentPanel();
    void buildSearchPanel();
    QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);

    void ClearBtnClick();
    void CureNoButtonClick();
    void UserSearchBtnClick();
    void KanaSearchBtnClick();
    void HinorikuBtnClick();
    void KanaRowClick(UserSearch::KanaRow row);
    void AllDisplayClick();
    void DBGrid1TitleClick(int column);
    void DBGrid1MouseUp();
    void DecideButtonClick();
    void RegistNameEnter();
    void RegistNameExit();

    // Checks the input's text; on failure shows the message and puts the
    // focus back into the input.
    [[nodiscard]] bool checkInput(QLineEdit *input, UserSearch::Input kind);
    // Shows the rows of the search just run.
    void showRows();
    // Shows the rows; a search or sort that could not read them shows the
    // database error box. Returns succeeded.
    bool showResult(bool succeeded);
    void runSearch(const std::function<bool()> &search);
    // A search by a typed text, run when the input's text passes its check.
    void searchInput(QLineEdit *input, UserSearch::Input kind, bool (UserSearch::*search)(QStringView));
    // The grid's current row, or the first when none is current; -1 when empty.
    [[nodiscard]] int currentRow() const;

    UserSearch m_search;
    UserGridModel *m_model = nullptr;
    EnterKeyWatch m_enter;
};

extern TUserSearchForm *UserSearchForm;
