#include "resultsui/TPersonMedicalRecordForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/DateHelpers.h"
#include "core/EraDate.h"
#include "core/TKubun.h"
#include "core/TMainModule.h"
#include "platform/DialogService.h"
#include "resultsui/ResultGridModel.h"
#include "resultsui/ResultPrintouts.h"
#include "usersui/TUserSearchForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

TPersonMedicalRecordForm *PersonMedicalRecordForm = nullptr;

namespace {

// A date of the header; the blank form when there is none.
QString headerDate(TDateTime date)
{
    return date == DateTime::None ? QStringLiteral("＿＿ __年__月__日") : FormatEraDate(date);
}

} // namespace

TPersonMedicalRecordForm::TPersonMedicalRecordForm(AppContext &context, QWidget *parent)
    : ResultRecordWindow(context, parent), m_record(context)
{
    setObjectName(QStringLiteral("PersonMedicalRecordForm"));
    setWindowTitle(QStringLiteral("治療実績入力 （個人）"));
    resize(1080, 720);
    MainPanel->setFixedSize(1040, 640);
    OpenButton = buildToolBar("OpenButton", QStringLiteral("開く"));
    connect(OpenButton, &QToolButton::clicked, this, &TPersonMedicalRecordForm::OpenButtonClick);
    connect(PrintButton, &QToolButton::clicked, this, &TPersonMedicalRecordForm::PrintButtonClick);
    buildConditions();
    buildHeader();
    buildGrid();
}

void TPersonMedicalRecordForm::buildConditions()
{
    addCaption(QStringLiteral("年月"), 0, 0, 40);
    YearMonthLabel = addCaption({}, 40, 0, 110);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setFrameShape(QFrame::Panel);
    YearMonthLabel->setFrameShadow(QFrame::Sunken);
    HizukeLeft = new QToolButton(MainPanel);
    HizukeLeft->setObjectName(QStringLiteral("Hizuke"));
    HizukeLeft->setArrowType(Qt::LeftArrow);
    HizukeLeft->setGeometry(152, 0, 26, 26);
    HizukeRight = new QToolButton(MainPanel);
    HizukeRight->setArrowType(Qt::RightArrow);
    HizukeRight->setGeometry(178, 0, 26, 26);
    addCaption(QStringLiteral("治療番号"), 230, 0, 70);
    CureEdit = new QLineEdit(MainPanel);
    CureEdit->setObjectName(QStringLiteral("CureEdit"));
    CureEdit->setGeometry(300, 0, 100, 26);
    UserSearchBtn = new QPushButton(QStringLiteral("利用者検索"), MainPanel);
    UserSearchBtn->setObjectName(QStringLiteral("UserSearchBtn"));
    UserSearchBtn->setGeometry(404, 0, 100, 26);
    addCaption(QStringLiteral("担当者"), 530, 0, 60);
    TantouBox = new QComboBox(MainPanel);
    TantouBox->setObjectName(QStringLiteral("TantouBox"));
    TantouBox->setGeometry(590, 0, 160, 26);

    connect(HizukeLeft, &QToolButton::clicked, this, [this] {
        postPending();
        m_record.stepMonth(-1);
        showMonth();
    });
    connect(HizukeRight, &QToolButton::clicked, this, [this] {
        postPending();
        m_record.stepMonth(1);
        showMonth();
    });
    connect(CureEdit, &QLineEdit::textChanged, this, &TPersonMedicalRecordForm::clearDisplay);
    connect(TantouBox, &QComboBox::activated, this, &TPersonMedicalRecordForm::clearDisplay);
    connect(UserSearchBtn, &QPushButton::clicked, this, [this] {
        if (UserSearchForm && Dialogs::exec(UserSearchForm) == QDialog::Accepted)
            CureEdit->setText(QString::number(UserSearchForm->Person.CureNo));
    });
}

void TPersonMedicalRecordForm::buildHeader()
{
    struct Field
    {
        const char *caption;
        QLabel **label;
        const char *name;
        int left;
        int top;
        int width;
    };
    const Field fields[] = {
        {"治療番号", &CureNoLabel, "CureNoLabel", 0, 36, 160},
        {"氏名", &NameLabel, "NameLabel", 260, 36, 160},
        {"氏名カナ", &KanaLabel, "KanaLabel", 520, 36, 160},
        {"性別", &SexLabel, "SexLabel", 780, 36, 160},
        {"生年月日", &BirthLabel, "BirthLabel", 0, 66, 160},
        {"リハビリ形態", &RihaTypeLabel, "RihaTypeLabel", 260, 66, 160},
        {"区分", &RihaKubunLabel, "RihaKubunLabel", 520, 66, 160},
        {"自立度", &JiritsuLabel, "JiritsuLabel", 780, 66, 160},
        {"認知度", &NinchiLabel, "NinchiLabel", 0, 96, 160},
        {"病院退院日", &HP_TAIINLabel, "HP_TAIINLabel", 260, 96, 160},
        {"入所(開始)日", &NyushoLabel, "NyushoLabel", 520, 96, 160},
        {"退所(終了)日", &TaishoLabel, "TaishoLabel", 780, 96, 160},
    };
    for (const Field &f : fields) {
        auto *caption = new QLabel(QString::fromUtf8(f.caption), MainPanel);
        caption->setGeometry(f.left, f.top, 90, 24);
        auto *value = new QLabel(MainPanel);
        value->setObjectName(QString::fromLatin1(f.name));
        value->setGeometry(f.left + 90, f.top, f.width, 24);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        *f.label = value;
    }
    DateLabel = new QLabel(MainPanel);
    DateLabel->setObjectName(QStringLiteral("DateLabel"));
    DateLabel->setGeometry(800, 0, 120, 26);
    auto *day = new QLabel(QStringLiteral("日"), MainPanel);
    day->setGeometry(920, 0, 20, 26);
}

void TPersonMedicalRecordForm::buildGrid()
{
    using Column = ResultGridModel::Column;
    std::vector<Column> columns{{QStringLiteral("CureDate"), QStringLiteral("日"), 58,
                                 [](const CureResult &r) {
                                     return FormatDateWithWeekday(r.CureDate);
                                 }},
                                {QStringLiteral("StuffName"), QStringLiteral("担当者"), 102, [](const CureResult &r) {
                                     return r.StuffName;
                                 }}};
    for (auto &time : ResultGridModel::timeColumns())
        columns.push_back(std::move(time));
    for (auto &flag : ResultGridModel::flagColumns(26, false))
        columns.push_back(std::move(flag));
    columns.push_back({QStringLiteral("Comment"), QStringLiteral("コメント"), 156,
                       [](const CureResult &r) { return r.Comment; }, true});
    columns.push_back({QStringLiteral("LoginName"), QStringLiteral("ログイン"), 115, [](const CureResult &r) {
                           return r.LoginName;
                       }});
    setGrid(new ResultGridModel(m_record.rows(), std::move(columns), this), {4, 5, 20}, QRect(0, 130, 1040, 500));
}

void TPersonMedicalRecordForm::FormShow()
{
    TantouBox->clear();
    TantouBox->addItems(m_context.mainModule.StaffNames());
    m_record.setMonth(Clock::today());
    showMonth();
    CureEdit->setFocus();
}

void TPersonMedicalRecordForm::showMonth()
{
    YearMonthLabel->setText(FormatEraYearMonth(m_record.YearMonth()));
    TantouBox->setCurrentIndex(-1);
    clearDisplay();
}

void TPersonMedicalRecordForm::clearDisplay()
{
    for (QLabel *label : {CureNoLabel, NameLabel, KanaLabel, SexLabel, BirthLabel, RihaTypeLabel, RihaKubunLabel,
                          JiritsuLabel, NinchiLabel, HP_TAIINLabel, NyushoLabel, TaishoLabel, DateLabel})
        label->clear();
    clearGrid();
}

void TPersonMedicalRecordForm::OpenButtonClick()
{
    bool ok = false;
    const int cureNo = CureEdit->text().trimmed().toInt(&ok);
    if (!ok) {
        Dialogs::error(QStringLiteral("治療番号エラー"));
        return;
    }
    const int index = TantouBox->currentIndex();
    m_staffCode = index >= 0 ? std::optional<int>(m_context.mainModule.staff().codeAt(index)) : std::nullopt;
    postPending();
    if (!m_record.load(cureNo, m_staffCode)) {
        clearGrid();
        Dialogs::error(QStringLiteral("SystemError : 介護実績(計画:個人) error "));
        return;
    }
    m_model->reload();
    if (m_record.rows().size() == 0) {
        clearGrid();
        Dialogs::information(QStringLiteral("条件に該当するデータがありません。"));
        return;
    }
    showHeader();
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(true);
}

void TPersonMedicalRecordForm::showHeader()
{
    const CureResult &first = m_record.rows().at(0);
    TKubun kubun;
    kubun.SetCode(first.KubunCode);
    RihaTypeLabel->setText(CodeName(RihaTypeNames, first.RihaType));
    RihaKubunLabel->setText(kubun.LongText());
    CureNoLabel->setText(QString::number(first.CureNo));
    NameLabel->setText(first.Name);
    KanaLabel->setText(first.Kana);
    SexLabel->setText(CodeName(SexNames, first.Sex));
    BirthLabel->setText(first.Birth == DateTime::None ? QString() : FormatEraDate(first.Birth));
    JiritsuLabel->setText(CodeName(JiritsuNames, first.Jiritsu_KBN));
    NinchiLabel->setText(CodeName(NinchiNames, first.Ninchi_KBN));
    HP_TAIINLabel->setText(headerDate(first.HP_TAISHO_YMD));
    NyushoLabel->setText(headerDate(first.NYUSHOBI_YMD));
    TaishoLabel->setText(headerDate(first.TAISHOBI_YMD));
    DateLabel->setText(YearMonthLabel->text());
}

bool TPersonMedicalRecordForm::reloadRows()
{
    return m_record.load(m_record.CureNo(), m_staffCode);
}

void TPersonMedicalRecordForm::PrintButtonClick()
{
    if (!m_record.rows().isOpen()) {
        Dialogs::information(QStringLiteral("抽出データがありません。"));
        return;
    }
    ResultPrintouts(m_context).printPersonRecord(m_record);
}
