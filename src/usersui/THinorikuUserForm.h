#pragma once

#include "coreui/EnterKeyWatch.h"
#include "users/PartnerLink.h"
#include "users/PartnerSearch.h"
#include "users/PartnerUser.h"

#include <QDialog>

struct AppContext;
class KanaLineEdit;
class PartnerGridModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// Picks a user of the partner system from its user table, so that the
// partner number (and for a new user the name, kana, sex and birth date)
// need not be typed again. Shown modally (Dialogs::exec); when accepted the
// chosen user is in PartnerUserNo, PartnerSex and Partner.
class THinorikuUserForm : public QDialog
{
    Q_OBJECT

public:
    // Reads the partner connection of the link that the settings name.
    explicit THinorikuUserForm(AppContext &context, QWidget *parent = nullptr);
    ~THinorikuUserForm() override;

    [[nodiscard]] const PartnerSearch &search() const { return m_search; }

    qint32 PartnerUserNo = 0;
    qint32 PartnerSex = 0; // 1 female, 0 male
    PartnerUser Partner;

    QLineEdit *UserNo = nullptr;
    QLineEdit *RegistName = nullptr;
    KanaLineEdit *RegistKanaName = nullptr;
    QPushButton *UserSearchBtn = nullptr;
    QPushButton *NoSearchBtn = nullptr;
    QPushButton *AllButton = nullptr;
    QList<QPushButton *> KanaButtons; // あ to わ
    QTableView *DBGrid1 = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QLabel *MailLabel = nullptr;
    QLabel *AddLabel = nullptr;
    QLabel *TelLabel = nullptr;
    QLabel *FaxLabel = nullptr;
    QLabel *ChikuLabel = nullptr;
    QLabel *MatiLabel = nullptr;
    QPushButton *ReturnBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildInputs();
    void buildDetails();
    QPushButton *addButton(const QString &name, const QString &caption, const QRect &geometry);

    void UserSearchBtnClick();
    void NoSearchBtnClick();
    void KanaRowClick(UserSearch::KanaRow row);
    void AllButtonClick();
    void DBGrid1MouseUp();
    void RegistNameEnter();
    void RegistNameExit();

    void clearDetails();
    // Shows the filtered rows; with none left, 確定 is disabled.
    void showRows();
    [[nodiscard]] bool checkInput(QLineEdit *input, UserSearch::Input kind);

    PartnerLink m_link;
    PartnerSearch m_search;
    PartnerGridModel *m_model = nullptr;
    EnterKeyWatch m_enter;
};

extern THinorikuUserForm *HinorikuUserForm;
