#include "usersui/TUserRegistForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "coreui/EditActions.h"
#include "coreui/EnterKeyWatch.h"
#include "coreui/EraLineEdit.h"
#include "coreui/KanaFromReading.h"
#include "coreui/KanaLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "coreui/TMainForm.h"
#include "platform/DialogService.h"
#include "usersui/PartnerPickButton.h"
#include "usersui/TUserSearchForm.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

TUserRegistForm *UserRegistForm = nullptr;

namespace {

constexpr int PanelWidth = 880;
constexpr int PanelHeight = 560;
constexpr int PanelTop = 60;
constexpr int RowHeight = 26;
constexpr int LeftInput = 125;
constexpr int RightLabel = 440;
constexpr int RightInput = 555;

// The top of a row of inputs.
constexpr int row(int index)
{
    return 10 + index * 34;
}

const QString RegistProgram = QStringLiteral("UserRegist");
constexpr int DiseaseCode = 0;
constexpr int RoomCode = 1;

QLabel *addLabel(QWidget *parent, const QString &caption, int left, int top, int width = 110)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(left, top, width, RowHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

template <typename Widget> Widget *place(Widget *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QComboBox *addList(QWidget *parent, const QString &name, const QRect &geometry, NameTable names)
{
    auto *list = place(new QComboBox(parent), name, geometry);
    for (const QStringView entry : names)
        list->addItem(entry.toString());
    list->setCurrentIndex(-1);
    return list;
}

// A list's index of a stored code; -1 (nothing chosen) for a code it lacks.
int listIndex(const QComboBox *list, int code)
{
    return code >= 0 && code < list->count() ? code : -1;
}

void setPhraseText(PhraseComboBox *box, const QString &text)
{
    box->clearText();
    box->setEditText(text);
    box->lineEdit()->setModified(false);
}

} // namespace

TUserRegistForm::TUserRegistForm(AppContext &context, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_register(context.database)
{
    setObjectName(QStringLiteral("UserRegistForm"));
    setWindowTitle(QStringLiteral("利用者登録"));
    resize(1000, 720);
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientPanel"));
    setCentralWidget(client);
    MainPanel = new QWidget(client);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->resize(PanelWidth, PanelHeight);
    m_editActions = std::make_unique<EditActions>(this, MainPanel);
    EditCopy = m_editActions->Copy;
    EditCut = m_editActions->Cut;
    EditPaste = m_editActions->Paste;

    buildActions();
    buildLeftInputs();
    buildRightInputs();
    watchInputs();
    MainPanel->hide();
    clearInputs();
}

TUserRegistForm::~TUserRegistForm() = default;

void TUserRegistForm::buildActions()
{
    const auto toolButton = [this](const QString &name, const QString &caption) {
        auto *button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(64);
        return button;
    };
    const auto action = [this](const QString &name, const QString &caption) {
        auto *created = new QAction(caption, this);
        created->setObjectName(name);
        return created;
    };

    QToolBar *toolBar = addToolBar(QStringLiteral("ToolBar1"));
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFocusPolicy(Qt::NoFocus);
    NewBtn = toolButton(QStringLiteral("NewBtn"), QStringLiteral("新規"));
    OpenBtn = toolButton(QStringLiteral("OpenBtn"), QStringLiteral("開く"));
    SaveBtn = toolButton(QStringLiteral("SaveBtn"), QStringLiteral("保存"));
    CloseBtn = toolButton(QStringLiteral("CloseBtn"), QStringLiteral("閉じる"));
    CopyBtn = toolButton(QStringLiteral("CopyBtn"), QString());
    CopyBtn->setDefaultAction(EditCopy);
    CutBtn = toolButton(QStringLiteral("CutBtn"), QString());
    CutBtn->setDefaultAction(EditCut);
    PasteBtn = toolButton(QStringLiteral("PasteBtn"), QString());
    PasteBtn->setDefaultAction(EditPaste);
    for (QToolButton *button : {NewBtn, OpenBtn, SaveBtn, CloseBtn}) {
        // A tool button takes no focus, so the edit actions keep acting on the input.
        button->setFocusPolicy(Qt::NoFocus);
        toolBar->addWidget(button);
    }
    toolBar->addSeparator();
    for (QToolButton *button : {CopyBtn, CutBtn, PasteBtn}) {
        button->setFocusPolicy(Qt::NoFocus);
        toolBar->addWidget(button);
    }
    connect(NewBtn, &QToolButton::clicked, this, &TUserRegistForm::NewBtnClick);
    connect(OpenBtn, &QToolButton::clicked, this, &TUserRegistForm::OpenBtnClick);
    connect(SaveBtn, &QToolButton::clicked, this, &TUserRegistForm::SaveBtnClick);
    connect(CloseBtn, &QToolButton::clicked, this, &QWidget::close);

    FileMenu = menuBar()->addMenu(QStringLiteral("ファイル"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    NewMenu = action(QStringLiteral("NewMenu"), QStringLiteral("新規"));
    OpenMenu = action(QStringLiteral("OpenMenu"), QStringLiteral("開く"));
    SaveMenu = action(QStringLiteral("SaveMenu"), QStringLiteral("保存"));
    UpdSaveMenu = action(QStringLiteral("UpdSaveMenu"), QStringLiteral("異なる入所(開始)日で新規保存"));
    DeleteMenu = action(QStringLiteral("DeleteMenu"), QStringLiteral("削除"));
    CloseMenu = action(QStringLiteral("CloseMenu"), QStringLiteral("閉じる"));
    FileMenu->addActions({NewMenu, OpenMenu, SaveMenu, UpdSaveMenu, DeleteMenu});
    FileMenu->addSeparator();
    FileMenu->addAction(CloseMenu);
    connect(FileMenu, &QMenu::aboutToShow, this, &TUserRegistForm::FileMenuPopup);
    connect(NewMenu, &QAction::triggered, this, &TUserRegistForm::NewBtnClick);
    connect(OpenMenu, &QAction::triggered, this, &TUserRegistForm::OpenBtnClick);
    connect(SaveMenu, &QAction::triggered, this, &TUserRegistForm::SaveBtnClick);
    connect(UpdSaveMenu, &QAction::triggered, this, &TUserRegistForm::UpdSaveMenuClick);
    connect(DeleteMenu, &QAction::triggered, this, &TUserRegistForm::DeleteMenuClick);
    connect(CloseMenu, &QAction::triggered, this, &QWidget::close);

    QMenu *editMenu = menuBar()->addMenu(QStringLiteral("編集"));
    editMenu->setObjectName(QStringLiteral("EditMenu"));
    editMenu->addActions({EditCopy, EditCut, EditPaste});
}

TUserRegistForm::EraInput TUserRegistForm::addEraInput(const QString &name, const QString &pickerName,
                                                       const QRect &geometry, const QString &unreadable)
{
    auto *edit = place(new EraLineEdit(MainPanel), name, geometry);
    edit->installEventFilter(this);
    auto *picker =
        place(new QDateEdit(MainPanel), pickerName, {geometry.right() + 8, geometry.top(), 120, geometry.height()});
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    const EraInput input{edit, picker, unreadable};
    connect(picker, &QDateEdit::dateChanged, this, [this, input] { PickerChange(input); });
    return input;
}

void TUserRegistForm::watchTextInput(QLineEdit *input)
{
    m_textInputs.push_back(input);
    connect(input, &QLineEdit::textEdited, this, [this] { m_typed = true; });
    m_editActions->watch(input);
}

void TUserRegistForm::buildLeftInputs()
{
    addLabel(MainPanel, QStringLiteral("治療番号"), 10, row(0));
    CureNo = place(new QLabel(MainPanel), QStringLiteral("CureNo"), {LeftInput, row(0), 120, RowHeight});
    CureNo->setFrameShape(QFrame::Panel);
    CureNo->setFrameShadow(QFrame::Sunken);

    addLabel(MainPanel, QStringLiteral("氏名"), 10, row(1));
    RegistName = place(new QLineEdit(MainPanel), QStringLiteral("RegistName"), {LeftInput, row(1), 240, RowHeight});
    addLabel(MainPanel, QStringLiteral("氏名カナ"), 10, row(2));
    RegistKanaName =
        place(new KanaLineEdit(MainPanel), QStringLiteral("RegistKanaName"), {LeftInput, row(2), 240, RowHeight});
    KanaFromReading::link(RegistName, RegistKanaName);

    addLabel(MainPanel, QStringLiteral("生年月日"), 10, row(3));
    m_eraInputs[0] = addEraInput(QStringLiteral("BirthDay"), QStringLiteral("BirthDatePicker"),
                                 {LeftInput, row(3), 160, RowHeight}, QStringLiteral("生年月日の日付けが不明です。"));
    BirthDay = m_eraInputs[0].edit;
    BirthDatePicker = m_eraInputs[0].picker;

    addLabel(MainPanel, QStringLiteral("性別"), 10, row(4));
    SexBox =
        addList(MainPanel, QStringLiteral("SexBox"), {LeftInput, row(4), 100, RowHeight}, NameTable(SexNames).first(2));
    addLabel(MainPanel, QStringLiteral("特徴"), 10, row(5));
    distinctive = place(new QLineEdit(MainPanel), QStringLiteral("distinctive"), {LeftInput, row(5), 300, RowHeight});

    addLabel(MainPanel, QStringLiteral("郵便番号"), 10, row(6));
    UbinNo = place(new QLineEdit(MainPanel), QStringLiteral("UbinNo"), {LeftInput, row(6), 90, RowHeight});
    UbinNo->setInputMask(QStringLiteral("999-9999;_"));
    UbinNo->setAttribute(Qt::WA_InputMethodEnabled, false);
    UbinNo->installEventFilter(this);
    addLabel(MainPanel, QStringLiteral("住所"), 10, row(7));
    Address = place(new QLineEdit(MainPanel), QStringLiteral("Address"), {LeftInput, row(7), 300, RowHeight});
    addLabel(MainPanel, QStringLiteral("電話番号"), 10, row(8));
    TelNo = place(new QLineEdit(MainPanel), QStringLiteral("TelNo"), {LeftInput, row(8), 160, RowHeight});
    TelNo->setAttribute(Qt::WA_InputMethodEnabled, false);
    addLabel(MainPanel, QStringLiteral("Fax"), 10, row(9));
    FaxNo = place(new QLineEdit(MainPanel), QStringLiteral("FaxNo"), {LeftInput, row(9), 160, RowHeight});
    FaxNo->setAttribute(Qt::WA_InputMethodEnabled, false);
    addLabel(MainPanel, QStringLiteral("E-Mail"), 10, row(10));
    EMailEdit = place(new QLineEdit(MainPanel), QStringLiteral("EMailEdit"), {LeftInput, row(10), 300, RowHeight});
    EMailEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    addLabel(MainPanel, QStringLiteral("ヒノリク利用番号"), 10, row(11));
    JupterUserNo =
        place(new QLineEdit(MainPanel), QStringLiteral("JupterUserNo"), {LeftInput, row(11), 100, RowHeight});
    JupterUserNo->setAttribute(Qt::WA_InputMethodEnabled, false);
    place(new PartnerPickButton(m_context, *this, MainPanel), QStringLiteral("HinorikuUserBtn"),
          {LeftInput + 108, row(11) - 2, 120, RowHeight + 4});

    addLabel(MainPanel, QStringLiteral("疾 患 名"), 10, row(12));
    for (int i = 0; i < 6; ++i) {
        const QRect geometry{i < 3 ? LeftInput : RightInput, row(12 + i % 3), 300, RowHeight};
        ShikanNameBox[size_t(i)] =
            place(new PhraseComboBox(MainPanel), QStringLiteral("ShikanName%1Box").arg(i + 1), geometry);
        connect(ShikanNameBox[size_t(i)], &PhraseComboBox::doubleClicked, this,
                &TUserRegistForm::ShikanNameBoxDblClick);
    }
}

void TUserRegistForm::buildRightInputs()
{
    addLabel(MainPanel, QStringLiteral("リハビリ形態"), RightLabel, row(0));
    RihaTypeBox =
        addList(MainPanel, QStringLiteral("RihaTypeBox"), {RightInput, row(0), 160, RowHeight}, RihaTypeNames);
    connect(RihaTypeBox, &QComboBox::activated, this, &TUserRegistForm::RihaTypeBoxChange);

    KubunLabel = addLabel(MainPanel, QStringLiteral("種類"), RightLabel, row(1));
    KubunLabel->setObjectName(QStringLiteral("KubunLabel"));
    TankiBox = place(new QCheckBox(QStringLiteral("短期集中"), MainPanel), QStringLiteral("TankiBox"),
                     {RightInput, row(1), 92, RowHeight});
    NinchiBox = place(new QCheckBox(QStringLiteral("認知症"), MainPanel), QStringLiteral("NinchiBox"),
                      {RightInput + 96, row(1), 80, RowHeight});
    ShuudanBox = place(new QCheckBox(QStringLiteral("集団"), MainPanel), QStringLiteral("ShuudanBox"),
                       {RightInput + 180, row(1), 64, RowHeight});
    KobetsuBox = place(new QCheckBox(QStringLiteral("個別"), MainPanel), QStringLiteral("KobetsuBox"),
                       {RightInput + 248, row(1), 64, RowHeight});
    for (QCheckBox *box : {TankiBox, NinchiBox, ShuudanBox, KobetsuBox})
        connect(box, &QCheckBox::clicked, this, [this] { Modified = true; });

    KijunLabel = addLabel(MainPanel, QStringLiteral("基準日"), RightLabel, row(2));
    KijunLabel->setObjectName(QStringLiteral("KijunLabel"));
    m_eraInputs[1] = addEraInput(QStringLiteral("KijunEdit"), QStringLiteral("KijunDatePicker"),
                                 {RightInput, row(2), 160, RowHeight}, QStringLiteral("基準日の日付けが不明です。"));
    KijunEdit = m_eraInputs[1].edit;
    KijunDatePicker = m_eraInputs[1].picker;

    addLabel(MainPanel, QStringLiteral("部屋"), RightLabel, row(3));
    RoomBox = place(new PhraseComboBox(MainPanel), QStringLiteral("RoomBox"), {RightInput, row(3), 200, RowHeight});
    connect(RoomBox, &PhraseComboBox::doubleClicked, this, &TUserRegistForm::RoomBoxDblClick);

    addLabel(MainPanel, QStringLiteral("自立度"), RightLabel, row(4));
    JiritsudoBox =
        addList(MainPanel, QStringLiteral("JiritsudoBox"), {RightInput, row(4), 100, RowHeight}, JiritsuNames);
    addLabel(MainPanel, QStringLiteral("認知度"), RightLabel, row(5));
    NinchidoBox = addList(MainPanel, QStringLiteral("NinchidoBox"), {RightInput, row(5), 100, RowHeight}, NinchiNames);
    addLabel(MainPanel, QStringLiteral("要介護度"), RightLabel, row(6));
    YoukaigodoBox =
        addList(MainPanel, QStringLiteral("YoukaigodoBox"), {RightInput, row(6), 100, RowHeight}, YoukaigoNames);

    addLabel(MainPanel, QStringLiteral("病院退院日"), RightLabel, row(7));
    m_eraInputs[2] =
        addEraInput(QStringLiteral("TaiinDay"), QStringLiteral("TaiinDayPicker"), {RightInput, row(7), 160, RowHeight},
                    QStringLiteral("病院退院日の日付けが不明です。"));
    addLabel(MainPanel, QStringLiteral("入所日(開始)"), RightLabel, row(8));
    m_eraInputs[3] =
        addEraInput(QStringLiteral("NyushoDay"), QStringLiteral("NyushoDayPicker"),
                    {RightInput, row(8), 160, RowHeight}, QStringLiteral("利用開始日の日付けが不明です。"));
    addLabel(MainPanel, QStringLiteral("退所日(終了)"), RightLabel, row(9));
    m_eraInputs[4] = addEraInput(QStringLiteral("TaishoDay"), QStringLiteral("TaishoDayPicker"),
                                 {RightInput, row(9), 160, RowHeight}, QStringLiteral("退所日の日付けが不明です。"));
    TaiinDay = m_eraInputs[2].edit;
    TaiinDayPicker = m_eraInputs[2].picker;
    NyushoDay = m_eraInputs[3].edit;
    NyushoDayPicker = m_eraInputs[3].picker;
    TaishoDay = m_eraInputs[4].edit;
    TaishoDayPicker = m_eraInputs[4].picker;
}

void TUserRegistForm::watchInputs()
{
    for (QComboBox *list : {SexBox, JiritsudoBox, NinchidoBox, YoukaigodoBox, static_cast<QComboBox *>(RoomBox)})
        connect(list, &QComboBox::activated, this, [this] { Modified = true; });
    for (PhraseComboBox *box : ShikanNameBox)
        connect(box, &QComboBox::activated, this, [this] { Modified = true; });

    for (QLineEdit *input : {RegistName, static_cast<QLineEdit *>(RegistKanaName), distinctive, UbinNo, Address, TelNo,
                             FaxNo, EMailEdit, JupterUserNo, RoomBox->lineEdit()})
        watchTextInput(input);
    for (PhraseComboBox *box : ShikanNameBox)
        watchTextInput(box->lineEdit());
    for (const EraInput &input : m_eraInputs)
        m_editActions->watch(input.edit);
}

void TUserRegistForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QMainWindow::showEvent(event);
}

void TUserRegistForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    MainPanel->move((centralWidget()->width() - MainPanel->width()) / 2, PanelTop);
}

void TUserRegistForm::FormShow()
{
    TMainForm::ApplyWindowState(this, m_context.winState());
    if (MainForm)
        MainForm->hide();
    MainPanel->hide();
    clearInputs();
    RoomBox->setPhrases(CommentForm->GetComments(RegistProgram, RoomCode));
    setDiseasePhrases();
    EditMode = EditNothing;
    Modified = false;
    NewBtn->setEnabled(true);
    OpenBtn->setEnabled(true);
    SaveBtn->setEnabled(false);
    for (QAction *edit : {EditCopy, EditCut, EditPaste})
        edit->setEnabled(false);
    CloseMenu->setEnabled(true);
    FileMenuPopup();
}

void TUserRegistForm::closeEvent(QCloseEvent *event)
{
    if (Modified || typedInto()) {
        const MessageAnswer answer = Dialogs::message(
            MessageType::Warning, QStringLiteral("データ保存の確認\n終了して良いですか?"), MessageButtons::OkNo);
        if (answer != MessageAnswer::Ok) {
            event->ignore();
            return;
        }
    }
    if (MainForm)
        MainForm->show();
    QMainWindow::closeEvent(event);
}

bool TUserRegistForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_enter.isEnterRelease(watched, event)) {
        if (watched == UbinNo) {
            // The address for the postal code is typed by hand.
            Address->setFocus();
        } else {
            for (const EraInput &input : m_eraInputs) {
                if (watched == input.edit)
                    EraInputEnter(input);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TUserRegistForm::clearInputs()
{
    CureNo->clear();
    for (QLineEdit *input : {RegistName, static_cast<QLineEdit *>(RegistKanaName), distinctive, UbinNo, Address, TelNo,
                             FaxNo, EMailEdit, JupterUserNo})
        input->setText(QString());
    RoomBox->clearText();
    for (PhraseComboBox *box : ShikanNameBox)
        box->clearText();
    for (const EraInput &input : m_eraInputs)
        setEraDate(input, DateTime::None);
    for (QComboBox *list : {SexBox, RihaTypeBox, JiritsudoBox, NinchidoBox, YoukaigodoBox})
        list->setCurrentIndex(-1);
    for (QCheckBox *box : {TankiBox, NinchiBox, ShuudanBox, KobetsuBox})
        box->setChecked(false);
    Kubun.SetRihaType(-1);
    showKubunInputs();
    forgetTyping();
}

void TUserRegistForm::fillInputs(const TPerson &person)
{
    CureNo->setText(QString::number(person.CureNo));
    RegistName->setText(person.Name);
    RegistKanaName->setText(person.Kana);
    setEraDate(m_eraInputs[0], person.Birth);
    SexBox->setCurrentIndex(listIndex(SexBox, person.Sex));
    distinctive->setText(person.distinctive);
    UbinNo->setText(person.YoubinNo);
    Address->setText(person.Address);
    TelNo->setText(person.TelNo);
    FaxNo->setText(person.FaxNo);
    EMailEdit->setText(person.EMail);
    JupterUserNo->setText(person.HinorikuUserNo >= 1 ? QString::number(person.HinorikuUserNo) : QString());

    RihaTypeBox->setCurrentIndex(listIndex(RihaTypeBox, person.RihaType));
    Kubun.SetRihaType(person.RihaType);
    Kubun.SetCode(person.KubunCode);
    TankiBox->setChecked(Kubun.Tanki);
    NinchiBox->setChecked(Kubun.Ninchi);
    ShuudanBox->setChecked(Kubun.Shudan);
    KobetsuBox->setChecked(Kubun.Kobetsu);
    showKubunInputs();
    setEraDate(m_eraInputs[1], person.KubunDate);

    setPhraseText(RoomBox, person.ROOM_NO);
    JiritsudoBox->setCurrentIndex(listIndex(JiritsudoBox, person.Jiritsu_KBN));
    NinchidoBox->setCurrentIndex(listIndex(NinchidoBox, person.Ninchi_KBN));
    YoukaigodoBox->setCurrentIndex(listIndex(YoukaigodoBox, person.YOUKAIGO_KBN));
    setEraDate(m_eraInputs[2], person.HP_TAISHO_YMD);
    setEraDate(m_eraInputs[3], person.NYUSHOBI_YMD);
    setEraDate(m_eraInputs[4], person.TAISHOBI_YMD);
    const QString *const diseases[] = {&person.Disease1, &person.Disease2, &person.Disease3,
                                       &person.Disease4, &person.Disease5, &person.Disease6};
    for (size_t i = 0; i < ShikanNameBox.size(); ++i)
        setPhraseText(ShikanNameBox[i], *diseases[i]);
    forgetTyping();
}

void TUserRegistForm::forgetTyping()
{
    m_typed = false;
    for (const EraInput &input : m_eraInputs)
        input.edit->setModified(false);
}

void TUserRegistForm::setEraDate(const EraInput &input, TDateTime date)
{
    const QSignalBlocker blocker(input.picker);
    if (date == DateTime::None) {
        input.edit->setEmpty();
        input.picker->setDate(Clock::currentDate());
    } else {
        input.edit->setValue(date);
        input.picker->setDate(DateTime::toDate(date));
    }
}

void TUserRegistForm::showKubunInputs()
{
    KubunLabel->setVisible(Kubun.Usable[TRihaKubun::UsableLabel]);
    TankiBox->setVisible(Kubun.Usable[TRihaKubun::UsableTanki]);
    NinchiBox->setVisible(Kubun.Usable[TRihaKubun::UsableNinchi]);
    ShuudanBox->setVisible(Kubun.Usable[TRihaKubun::UsableShudan]);
    KobetsuBox->setVisible(Kubun.Usable[TRihaKubun::UsableKobetsu]);
    const bool kijun = Kubun.Usable[TRihaKubun::UsableKijunDate];
    KijunLabel->setVisible(kijun);
    KijunEdit->setVisible(kijun);
    KijunDatePicker->setVisible(kijun);
}

void TUserRegistForm::setDiseasePhrases()
{
    const QStringList phrases = CommentForm->GetComments(RegistProgram, DiseaseCode);
    for (PhraseComboBox *box : ShikanNameBox)
        box->setPhrases(phrases);
}

void TUserRegistForm::NewBtnClick()
{
    clearInputs();
    OpenBtn->setEnabled(true);
    SaveBtn->setEnabled(true);
    MainPanel->show();
    RegistName->setFocus();
    Modified = false;
    EditMode = EditNew;
    FileMenuPopup();
}

void TUserRegistForm::OpenBtnClick()
{
    if (Dialogs::exec(UserSearchForm) != QDialog::Accepted)
        return;
    MainPanel->show();
    fillInputs(UserSearchForm->Person);
    RegistName->setFocus();
    SaveBtn->setEnabled(true);
    Modified = false;
    EditMode = EditExisting;
    FileMenuPopup();
}

void TUserRegistForm::FileMenuPopup()
{
    NewMenu->setEnabled(NewBtn->isEnabled());
    OpenMenu->setEnabled(OpenBtn->isEnabled());
    SaveMenu->setEnabled(SaveBtn->isEnabled());
    UpdSaveMenu->setEnabled(SaveBtn->isEnabled());
    DeleteMenu->setEnabled(shownCureNo() >= 1);
}

int TUserRegistForm::shownCureNo() const
{
    bool isNumber = false;
    const int number = CureNo->text().toInt(&isNumber);
    return isNumber ? number : 0;
}

void TUserRegistForm::RihaTypeBoxChange(int index)
{
    Kubun.SetRihaType(index);
    showKubunInputs();
    for (QCheckBox *box : {TankiBox, NinchiBox, ShuudanBox, KobetsuBox})
        box->setChecked(false);
    KijunEdit->setEmpty();
    Modified = true;
}

void TUserRegistForm::EraInputEnter(const EraInput &input)
{
    const std::optional<TDateTime> date = input.edit->value();
    if (!date) {
        Dialogs::information(input.unreadable);
        input.edit->setFocus();
        return;
    }
    const QSignalBlocker blocker(input.picker);
    input.picker->setDate(DateTime::toDate(*date));
}

void TUserRegistForm::PickerChange(const EraInput &input)
{
    input.edit->setValue(DateTime::fromDate(input.picker->date()));
    Modified = true;
}

void TUserRegistForm::ShikanNameBoxDblClick()
{
    CommentForm->ProgramName = RegistProgram;
    CommentForm->CommentCode = DiseaseCode;
    Dialogs::exec(CommentForm);
    setDiseasePhrases();
}

void TUserRegistForm::RoomBoxDblClick()
{
    CommentForm->ProgramName = RegistProgram;
    CommentForm->CommentCode = RoomCode;
    Dialogs::exec(CommentForm);
    RoomBox->setPhrases(CommentForm->GetComments(RegistProgram, RoomCode));
}

UserRegistCheck::Input TUserRegistForm::collectInput() const
{
    UserRegistCheck::Input input;
    input.Name = RegistName->text();
    input.Kana = RegistKanaName->text();
    input.Birth = BirthDay->text();
    input.Sex = SexBox->currentIndex();
    input.distinctive = distinctive->text();
    input.Room = RoomBox->currentText();
    // An untouched postal code is none, not a lone hyphen.
    input.YoubinNo = UbinNo->text() == QLatin1String("-") ? QString() : UbinNo->text();
    input.Address = Address->text();
    input.TelNo = TelNo->text();
    input.FaxNo = FaxNo->text();
    input.EMail = EMailEdit->text();
    input.Partner = JupterUserNo->text();
    input.RihaType = RihaTypeBox->currentIndex();
    input.Tanki = TankiBox->isChecked();
    input.Ninchi = NinchiBox->isChecked();
    input.Shudan = ShuudanBox->isChecked();
    input.Kobetsu = KobetsuBox->isChecked();
    input.Jiritsu = JiritsudoBox->currentIndex();
    input.NinchiLevel = NinchidoBox->currentIndex();
    input.Youkaigo = YoukaigodoBox->currentIndex();
    input.Taiin = TaiinDay->text();
    input.Nyusho = NyushoDay->text();
    input.Taisho = TaishoDay->text();
    for (size_t i = 0; i < ShikanNameBox.size(); ++i)
        input.Diseases[i] = ShikanNameBox[i]->currentText();
    return input;
}

QWidget *TUserRegistForm::inputOf(UserRegistCheck::Field field) const
{
    using Field = UserRegistCheck::Field;
    switch (field) {
    case Field::Name:
        return RegistName;
    case Field::Kana:
        return RegistKanaName;
    case Field::Birth:
        return BirthDay;
    case Field::Sex:
        return SexBox;
    case Field::Distinctive:
        return distinctive;
    case Field::Room:
        return RoomBox;
    case Field::PostalCode:
        return UbinNo;
    case Field::Address:
        return Address;
    case Field::TelNo:
        return TelNo;
    case Field::FaxNo:
        return FaxNo;
    case Field::EMail:
        return EMailEdit;
    case Field::Partner:
        return JupterUserNo;
    case Field::RihaType:
        return RihaTypeBox;
    case Field::Start:
        return NyushoDay;
    case Field::End:
        return TaishoDay;
    case Field::Disease1:
    case Field::Disease2:
    case Field::Disease3:
    case Field::Disease4:
    case Field::Disease5:
    case Field::Disease6:
        return ShikanNameBox[size_t(int(field) - int(Field::Disease1))];
    }
    return nullptr;
}

void TUserRegistForm::SaveBtnClick()
{
    save();
}

void TUserRegistForm::UpdSaveMenuClick()
{
    EditMode = EditNew;
    save();
}

void TUserRegistForm::save()
{
    SaveBtn->setEnabled(false);
    const std::variant<TPerson, UserRegistCheck::Failure> checked =
        UserRegistCheck::check(collectInput(), Clock::now());
    if (const auto *failure = std::get_if<UserRegistCheck::Failure>(&checked)) {
        Dialogs::information(failure->message);
        inputOf(failure->field)->setFocus();
        SaveBtn->setEnabled(true);
        return;
    }
    EditPerson = std::get<TPerson>(checked);

    UserRegister::Result written;
    if (EditMode == EditExisting) {
        EditPerson.CureNo = shownCureNo();
        written = m_register.update(EditPerson);
    } else {
        written = m_register.insert(EditPerson);
    }
    if (written.status == UserRegister::Status::Duplicate) {
        // The save stays disabled until the next new or open.
        Dialogs::message(MessageType::Warning, written.message, MessageButtons::Yes);
        FileMenuPopup();
        return;
    }
    if (written.status != UserRegister::Status::Ok) {
        Dialogs::error(written.message, MessageButtons::Abort);
        SaveBtn->setEnabled(true);
        return;
    }
    EditPerson.CureNo = written.cureNo;
    CureNo->setText(QString::number(written.cureNo));
    Dialogs::information(QStringLiteral("登録しました"));
    OpenBtn->setEnabled(true);
    SaveBtn->setEnabled(true);
    EditMode = EditExisting;
    // The choices are stored; what was typed into the inputs still makes
    // closing ask until they are filled again (new, open, show).
    Modified = false;
    FileMenuPopup();
}

void TUserRegistForm::DeleteMenuClick()
{
    const int cureNo = shownCureNo();
    if (cureNo < 1)
        return;
    const QString number = QString::number(cureNo);
    DeleteMenu->setEnabled(false);
    const MessageAnswer answer = Dialogs::message(
        MessageType::Information,
        QStringLiteral("治療番号 = ") + number + QStringLiteral(" の\n全てのデータが削除されます。\n削除しますか？"),
        MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        DeleteMenu->setEnabled(true);
        return;
    }
    const UserRegister::Result removed = m_register.remove(cureNo);
    if (removed.status != UserRegister::Status::Ok) {
        Dialogs::error(removed.message, removed.status == UserRegister::Status::DeleteFailed ? MessageButtons::Ok
                                                                                             : MessageButtons::Abort);
        FileMenuPopup();
        return;
    }
    Dialogs::information(QStringLiteral("治療番号 = ") + number + QStringLiteral("\nを削除しました。"));
    clearInputs();
    MainPanel->hide();
    // Nothing is shown that could be saved.
    SaveBtn->setEnabled(false);
    FileMenuPopup();
}

bool TUserRegistForm::typedInto() const
{
    if (m_typed)
        return true;
    for (const EraInput &input : m_eraInputs) {
        if (input.edit->isModified())
            return true;
    }
    return false;
}
