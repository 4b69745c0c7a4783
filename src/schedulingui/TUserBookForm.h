#pragma once

#include "coreui/MenuWindow.h"
#include "scheduling/UserWishes.h"

#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QTableWidget;
class QToolButton;
class TOpenCureDialog;

// 利用者予約希望: the weekly wishes of the users of a month. The rules are
// UserWishes'; the form lists, shows and passes the typed week on.
class TUserBookForm : public MenuWindow
{
    Q_OBJECT
public:
    explicit TUserBookForm(AppContext &context, QWidget *parent = nullptr);

    QToolButton *OpenButton = nullptr;
    QToolButton *SaveButton = nullptr;
    QToolButton *ReserveButton = nullptr;
    QToolButton *ToolButton4 = nullptr;
    QTableWidget *DBGrid1 = nullptr;
    std::array<QLineEdit *, 7> StartTime{};
    std::array<QLineEdit *, 7> Funn{};
    QLabel *CureNoLabel = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *KanaLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *OldLabel = nullptr;
    QLabel *NyushoLabel = nullptr;
    QLabel *TaishoLabel = nullptr;
    QLabel *TypeLabel = nullptr;
    QLabel *KubunLabel = nullptr;
    QLabel *SchduleDate = nullptr;
    TOpenCureDialog *OpenCureDialog = nullptr;

    void OpenButtonClick();
    void SaveButtonClick();
    // Hands the stored week of the selected user, laid over the month, to
    // the user's month.
    void ReserveButtonClick();
    // The month's users as listed; the selected one by row.
    [[nodiscard]] const std::vector<UserWishes::WishUser> &users() const { return m_users; }

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildEditors(QWidget *panel);
    [[nodiscard]] bool loadUsers();
    void showUser(int row);
    void clearUser();
    [[nodiscard]] const UserWishes::WishUser *selectedUser() const;

    std::vector<UserWishes::WishUser> m_users;
    TDateTime m_monthStart = DateTime::None;
    int m_rihaType = 0;
    int m_kubunCode = 0;
    bool m_loading = false;
    // A weekday editor was typed in since the user was shown or saved.
    bool m_edited = false;
};

extern TUserBookForm *UserBookForm;
