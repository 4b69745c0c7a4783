#pragma once

#include "core/TRihaKubun.h"
#include "coreui/EnterKeyWatch.h"
#include "users/TPerson.h"
#include "users/UserRegistCheck.h"
#include "users/UserRegister.h"

#include <QMainWindow>

#include <array>
#include <memory>

struct AppContext;
class EditActions;
class EraLineEdit;
class KanaLineEdit;
class PhraseComboBox;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

// The user register: creates, edits, stores anew under another start date
// and deletes users. Opened non-modally from the main window, which it
// hides while it is shown.
class TUserRegistForm : public QMainWindow
{
    Q_OBJECT

public:
    // Works on the context's main connection. It opens users through
    // UserSearchForm and edits phrases through CommentForm.
    explicit TUserRegistForm(AppContext &context, QWidget *parent = nullptr);
    ~TUserRegistForm() override;

    // What the form holds: nothing (after show), a new user, a stored user.
    enum : quint8 { EditExisting = 0, EditNew = 1, EditNothing = 2 };

    TRihaKubun Kubun;
    quint8 EditMode = EditNothing;
    // A list, check box or date picker was changed since the last show,
    // new, open or save.
    bool Modified = false;
    // The user as last checked and written.
    TPerson EditPerson;

    QToolButton *NewBtn = nullptr;
    QToolButton *OpenBtn = nullptr;
    QToolButton *SaveBtn = nullptr;
    QToolButton *CloseBtn = nullptr;
    QToolButton *CopyBtn = nullptr;
    QToolButton *CutBtn = nullptr;
    QToolButton *PasteBtn = nullptr;
    QAction *EditCopy = nullptr;
    QAction *EditCut = nullptr;
    QAction *EditPaste = nullptr;

    QMenu *FileMenu = nullptr;
    QAction *NewMenu = nullptr;
    QAction *OpenMenu = nullptr;
    QAction *SaveMenu = nullptr;
    QAction *UpdSaveMenu = nullptr;
    QAction *DeleteMenu = nullptr;
    QAction *CloseMenu = nullptr;

    QWidget *MainPanel = nullptr;
    QLabel *CureNo = nullptr;
    QLineEdit *RegistName = nullptr;
    KanaLineEdit *RegistKanaName = nullptr;
    EraLineEdit *BirthDay = nullptr;
    QDateEdit *BirthDatePicker = nullptr;
    QComboBox *SexBox = nullptr;
    QLineEdit *distinctive = nullptr;
    QLineEdit *UbinNo = nullptr;
    QLineEdit *Address = nullptr;
    QLineEdit *TelNo = nullptr;
    QLineEdit *FaxNo = nullptr;
    QLineEdit *EMailEdit = nullptr;
    QLineEdit *JupterUserNo = nullptr;
    QComboBox *RihaTypeBox = nullptr;
    QLabel *KubunLabel = nullptr;
    QCheckBox *TankiBox = nullptr;
    QCheckBox *NinchiBox = nullptr;
    QCheckBox *ShuudanBox = nullptr;
    QCheckBox *KobetsuBox = nullptr;
    QLabel *KijunLabel = nullptr;
    EraLineEdit *KijunEdit = nullptr;
    QDateEdit *KijunDatePicker = nullptr;
    PhraseComboBox *RoomBox = nullptr;
    QComboBox *JiritsudoBox = nullptr;
    QComboBox *NinchidoBox = nullptr;
    QComboBox *YoukaigodoBox = nullptr;
    EraLineEdit *TaiinDay = nullptr;
    QDateEdit *TaiinDayPicker = nullptr;
    EraLineEdit *NyushoDay = nullptr;
    QDateEdit *NyushoDayPicker = nullptr;
    EraLineEdit *TaishoDay = nullptr;
    QDateEdit *TaishoDayPicker = nullptr;
    // ShikanName1Box .. ShikanName6Box.
    std::array<PhraseComboBox *, 6> ShikanNameBox{};

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // An era-date input with its picker and the message when it does not read.
    struct EraInput
    {
        EraLineEdit *edit;
        QDateEdit *picker;
        QString unreadable;
    };

    void buildActions();
    void buildLeftInputs();
    void buildRightInputs();
    // Marks the form modified or typed into on a person's change.
    void watchInputs();
    EraInput addEraInput(const QString &name, const QString &pickerName, const QRect &geometry,
                         const QString &unreadable);
    void watchTextInput(QLineEdit *input);

    void FormShow();
    void NewBtnClick();
    void OpenBtnClick();
    void SaveBtnClick();
    void UpdSaveMenuClick();
    void DeleteMenuClick();
    void FileMenuPopup();
    void RihaTypeBoxChange(int index);
    void EraInputEnter(const EraInput &input);
    void PickerChange(const EraInput &input);
    void ShikanNameBoxDblClick();
    void RoomBoxDblClick();

    // Every value below is set as the program's, never as a person's input:
    // no handler of a person's change runs.
    void clearInputs();
    void fillInputs(const TPerson &person);
    void setEraDate(const EraInput &input, TDateTime date);
    void showKubunInputs();
    void setDiseasePhrases();

    void save();
    [[nodiscard]] UserRegistCheck::Input collectInput() const;
    [[nodiscard]] QWidget *inputOf(UserRegistCheck::Field field) const;
    // The user number shown, 0 when none.
    [[nodiscard]] int shownCureNo() const;
    [[nodiscard]] bool typedInto() const;
    // The inputs count as not typed into, as after filling them.
    void forgetTyping();

    AppContext &m_context;
    std::unique_ptr<EditActions> m_editActions;
    UserRegister m_register;
    std::array<EraInput, 5> m_eraInputs{};
    std::vector<QLineEdit *> m_textInputs;
    // A text input was typed into since the inputs were last filled.
    bool m_typed = false;
    EnterKeyWatch m_enter;
};

extern TUserRegistForm *UserRegistForm;
