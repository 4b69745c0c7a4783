#include "plansui/RihaPlanPanel.h"

#include "base/Clock.h"
#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TRihaKubun.h"
#include "coreui/EraLineEdit.h"
#include "coreui/PhraseComboBox.h"
#include "plansui/FigureArea.h"
#include "plansui/PlanMemoText.h"
#include "platform/DialogService.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

using PlanRules::LimitText;

constexpr int PanelWidth = 930;
constexpr int PanelHeight = 1370;
constexpr int Row = 27;
constexpr int LabelLeft = 10;
constexpr int InputLeft = 122;
constexpr int CircleTops[] = {44, 70, 96};
constexpr int CircleSize = 22;

QLabel *addLabel(QWidget *parent, const QString &caption, const QRect &geometry, bool bold = false)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLabel *addValue(QWidget *parent, const QString &name, const QRect &geometry)
{
    QLabel *label = addLabel(parent, QString(), geometry);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setIndent(4);
    return label;
}

// A list's stored index: the item chosen, -1 when a text was typed instead.
int chosenIndex(const QComboBox *box)
{
    return box->findText(box->currentText(), Qt::MatchExactly);
}

void showIndex(QComboBox *box, int index)
{
    if (index < 0 || index >= box->count()) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    } else {
        box->setCurrentIndex(index);
    }
}

void setMemoText(QPlainTextEdit *memo, const QString &text)
{
    PlanMemoText::show(memo, text);
    memo->document()->setModified(false);
}

void placeCircle(QLabel *circle, std::span<const int> lefts, int degree, int top)
{
    const int left = PlanRules::circleLeft(lefts, degree);
    circle->setVisible(left >= 0);
    // The glyph sits low in its line: raised to ring the name.
    if (left >= 0)
        circle->move(left, top - 3);
}

} // namespace

RihaPlanPanel::RihaPlanPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PlanPanel"));
    setFixedSize(PanelWidth, PanelHeight);
    setAutoFillBackground(true);
    buildHeader();
    buildImpairments();
    buildBehaviour();
    buildDailyLiving();
    buildLines();
    buildMemos();
    showBlank();
}

void RihaPlanPanel::buildHeader()
{
    QLabel *title = addLabel(this, QStringLiteral("リハビリ治療計画書"), {0, 4, PanelWidth, 32}, true);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);

    const auto caption = [this](const QString &text, int left, int top, int width) {
        addLabel(this, text, {left, top, width, 22});
    };
    caption(QStringLiteral("治療番号"), LabelLeft, 44, 70);
    CureNoLabel = addValue(this, QStringLiteral("CureNoLabel"), {85, 44, 90, 22});
    caption(QStringLiteral("氏名"), 190, 44, 40);
    NameLabel = addValue(this, QStringLiteral("NameLabel"), {250, 44, 200, 22});
    caption(QStringLiteral("性別"), LabelLeft, 70, 70);
    SexLabel = addValue(this, QStringLiteral("SexLabel"), {85, 70, 90, 22});
    caption(QStringLiteral("生年月日"), 190, 70, 60);
    BirthLabel = addValue(this, QStringLiteral("BirthLabel"), {250, 70, 200, 22});
    caption(QStringLiteral("利用形態"), LabelLeft, 96, 70);
    RihaTypeLabel = addValue(this, QStringLiteral("RihaTypeLabel"), {85, 96, 100, 22});
    caption(QStringLiteral("区分"), 190, 96, 40);
    KubunLabel = addValue(this, QStringLiteral("KubunLabel"), {250, 96, 240, 22});

    // The printed scales of the three degrees, with a circle over the user's.
    const QString scaleNames[] = {QStringLiteral("寝たきり度"), QStringLiteral("認知症度"), QStringLiteral("要介護度")};
    for (int i = 0; i < 3; ++i)
        caption(scaleNames[i], 500, CircleTops[i], 76);
    // Each degree's name is centred under the place of its circle.
    const auto degree = [this](const QString &text, int left, int top) {
        addLabel(this, text, {left, top, CircleSize, CircleSize})->setAlignment(Qt::AlignCenter);
    };
    for (size_t i = 0; i < JiritsuNames.size(); ++i)
        degree(JiritsuNames[i].toString(), PlanRules::JiritsuLefts[i], CircleTops[0]);
    for (size_t i = 0; i < NinchiNames.size(); ++i)
        degree(NinchiNames[i].toString(), PlanRules::NinchiLefts[i], CircleTops[1]);
    caption(QStringLiteral("要支援"), 578, CircleTops[2], 40);
    caption(QStringLiteral("要介護"), 668, CircleTops[2], 40);
    for (size_t i = 0; i < std::size(PlanRules::YoukaigoLefts); ++i)
        degree(QString::number(i < 2 ? i + 1 : i - 1), PlanRules::YoukaigoLefts[i], CircleTops[2]);
    const auto circle = [this](const QString &name) {
        QLabel *label = addLabel(this, QStringLiteral("○"), {0, 0, CircleSize, CircleSize});
        label->setObjectName(name);
        label->setAlignment(Qt::AlignCenter);
        QFont big = label->font();
        big.setPixelSize(CircleSize);
        label->setFont(big);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->hide();
        return label;
    };
    JiritsuCircle = circle(QStringLiteral("JiritsuCircle"));
    NinchiCircle = circle(QStringLiteral("NinchiCircle"));
    YoukaigoCircle = circle(QStringLiteral("YoukaigoCircle"));

    caption(QStringLiteral("計画登録日"), LabelLeft, 126, 74);
    PlanRegistDay = new EraLineEdit(this);
    PlanRegistDay->setObjectName(QStringLiteral("PlanRegistDay"));
    PlanRegistDay->setGeometry(85, 124, 150, 24);
    RegistDatePicker = new QDateEdit(this);
    RegistDatePicker->setObjectName(QStringLiteral("RegistDatePicker"));
    RegistDatePicker->setGeometry(240, 124, 120, 24);
    caption(QStringLiteral("計画終了日"), 390, 126, 74);
    PlanStopDay = new EraLineEdit(this);
    PlanStopDay->setObjectName(QStringLiteral("PlanStopDay"));
    PlanStopDay->setGeometry(465, 124, 150, 24);
    EndDatePicker = new QDateEdit(this);
    EndDatePicker->setObjectName(QStringLiteral("EndDatePicker"));
    EndDatePicker->setGeometry(620, 124, 120, 24);
    for (QDateEdit *picker : {RegistDatePicker, EndDatePicker}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    }
    for (EraLineEdit *day : {PlanRegistDay, PlanStopDay}) {
        day->installEventFilter(this);
        connect(day, &QLineEdit::textChanged, this, &RihaPlanPanel::markModified);
    }
    connect(RegistDatePicker, &QDateEdit::dateChanged, this, [this](const QDate &date) {
        if (m_loading)
            return;
        const TDateTime regist = DateTime::fromDate(date);
        setDates(regist, PlanRules::defaultEndDate(regist));
        markModified();
    });
    connect(EndDatePicker, &QDateEdit::dateChanged, this, [this](const QDate &date) {
        if (m_loading)
            return;
        PlanStopDay->setValue(DateTime::fromDate(date));
        markModified();
    });

    caption(QStringLiteral("疾患名"), LabelLeft, 156, 70);
    for (int i = 0; i < 6; ++i)
        ShikanLabel[size_t(i)] = addValue(this, QStringLiteral("ShikanLabel%1").arg(i + 1),
                                          {85 + 280 * (i % 3), 156 + 26 * (i / 3), 272, 22});
}

QComboBox *RihaPlanPanel::addChoice(const QString &name, const QRect &geometry, std::span<const QStringView> names,
                                    qint32 TPlanData::*field, std::vector<Choice> &group)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    for (const QStringView entry : names)
        box->addItem(entry.toString());
    connect(box, &QComboBox::editTextChanged, this, &RihaPlanPanel::markModified);
    group.push_back({box, field});
    return box;
}

PhraseComboBox *RihaPlanPanel::addRemark(const QString &name, const QRect &geometry,
                                         std::function<QString &(TPlanData &)> field, int limit, LimitText wording,
                                         int code, std::vector<Remark> &group)
{
    auto *box = new PhraseComboBox(this);
    box->setObjectName(name);
    box->setGeometry(geometry);
    connect(box, &QComboBox::editTextChanged, this, &RihaPlanPanel::markModified);
    connect(box, &PhraseComboBox::doubleClicked, this, [this, code] { emit phraseEditorRequested(code); });
    group.push_back({box, std::move(field), limit, wording, code});
    return box;
}

QPlainTextEdit *RihaPlanPanel::addMemo(const QString &name, const QRect &geometry, QString TPlanData::*field, int limit,
                                       int code)
{
    auto *memo = new QPlainTextEdit(this);
    memo->setObjectName(name);
    memo->setGeometry(geometry);
    memo->viewport()->installEventFilter(this);
    m_memos.push_back({memo, field, limit, code});
    return memo;
}

namespace {

// A remark field of the body.
template <QString TPlanData::*Member> QString &bodyText(TPlanData &data)
{
    return data.*Member;
}

} // namespace

void RihaPlanPanel::buildImpairments()
{
    addLabel(this, QStringLiteral("心身機能・障害"), {LabelLeft, 210, 200, 22}, true);
    struct Line
    {
        const char16_t *caption;
        const char16_t *box;
        qint32 TPlanData::*field;
        const char16_t *comment;
        std::function<QString &(TPlanData &)> remark;
        int code;
    };
    const Line lines[] = {
        {u"関節可動域制限", u"KansetsuBox", &TPlanData::Kansetsu, u"KansetsuComment", bodyText<&TPlanData::KansetuTxt>,
         1},
        {u"麻痺・上肢", u"MahiUpBox", &TPlanData::MahiUp, u"MahiUpComment", bodyText<&TPlanData::MahiUpTxt>, 2},
        {u"麻痺・下肢", u"MahiDownBox", &TPlanData::MahiDown, u"MahiDownComment", bodyText<&TPlanData::MahiDownTxt>, 2},
        {u"麻痺・手指", u"MahiFinBox", &TPlanData::MahiFin, u"MahiFinComment", bodyText<&TPlanData::MahiFinTxt>, 2},
        {u"筋力低下", u"KinryokuBox", &TPlanData::KinRyuku, u"KinryokuComment", bodyText<&TPlanData::KinryokuTxt>, 3},
        {u"痛み", u"ItamiBox", &TPlanData::Itami, u"ItamiComment", bodyText<&TPlanData::ItamiTxt>, 4},
        {u"視力", u"ShiryokuBox", &TPlanData::Shiryoku, u"ShiryokuComment", bodyText<&TPlanData::ShiryokuTxt>, 5},
        {u"聴力[左]", u"LeftChoryokuBox", &TPlanData::ChoryokuL, u"ChoryokuLComment",
         bodyText<&TPlanData::ChoryokuLTxt>, 6},
        {u"聴力[右]", u"RightChoryokuBox", &TPlanData::ChoryokuR, u"ChoryokuRComment",
         bodyText<&TPlanData::ChoryokuRTxt>, 6},
    };
    qint32 TPlanData::*const grades[] = {&TPlanData::MUp, &TPlanData::MDown, &TPlanData::MFin};
    const char16_t *gradeNames[] = {u"MahiUpDetailBox", u"MahiDownDetailBox", u"MahiFinDetailBox"};
    for (int i = 0; i < int(std::size(lines)); ++i) {
        const Line &line = lines[i];
        const int top = 234 + i * Row;
        addLabel(this, QString::fromUtf16(line.caption), {LabelLeft, top, 110, 24});
        addChoice(QString::fromUtf16(line.box), {InputLeft, top, 76, 24}, PresenceNames, line.field,
                  m_impairmentChoices);
        if (i >= 1 && i <= 3)
            addChoice(QString::fromUtf16(gradeNames[i - 1]), {202, top, 54, 24}, GradeNames, grades[i - 1],
                      m_impairmentChoices);
        addRemark(QString::fromUtf16(line.comment), {260, top, 236, 24}, line.remark, PlanRules::RemarkBytes,
                  LimitText::Input, line.code, m_impairmentRemarks);
    }
    Figures = new FigureArea(this);
    Figures->move(505, 234);
    connect(Figures, &FigureArea::changed, this, &RihaPlanPanel::markModified);
    connect(Figures, &FigureArea::frontCleared, this, [this] {
        for (int i = 0; i < 3; ++i)
            ShikanLabel[size_t(i)]->clear();
    });
    addLabel(this, QStringLiteral("その他"), {505, 492, 60, 22});

    const int speechTop = 492;
    addLabel(this, QStringLiteral("失語"), {LabelLeft, speechTop, 110, 24});
    addChoice(QStringLiteral("Shitsugo"), {InputLeft, speechTop, 76, 24}, PresenceNames, &TPlanData::Shitsugo,
              m_speechChoices);
    addRemark(QStringLiteral("ShitsugoComment"), {202, speechTop, 294, 24}, bodyText<&TPlanData::ShitsugoTxt>,
              PlanRules::ShitsugoBytes, LimitText::Input, 10, m_speechRemarks);
    addLabel(this, QStringLiteral("失認"), {LabelLeft, speechTop + Row, 110, 24});
    addChoice(QStringLiteral("Shitsunin"), {InputLeft, speechTop + Row, 76, 24}, PresenceNames, &TPlanData::Shitsunin,
              m_speechChoices);
    addRemark(QStringLiteral("ShitsuninnComment"), {202, speechTop + Row, 294, 24}, bodyText<&TPlanData::ShitsuninTxt>,
              PlanRules::ShitsugoBytes, LimitText::Input, 11, m_speechRemarks);
}

void RihaPlanPanel::buildBehaviour()
{
    addLabel(this, QStringLiteral("行動・心理症状"), {LabelLeft, 580, 110, 22}, true);
    struct Box
    {
        const char16_t *name;
        const char16_t *caption;
        bool TPlanData::*field;
    };
    const Box boxes[] = {
        {u"Tukuribanashi", u"作話", &TPlanData::Sakuwa},  {u"Gencho", u"幻視・幻聴", &TPlanData::Genshi},
        {u"Mousou", u"妄想", &TPlanData::Mousou},         {u"Haikai", u"徘徊", &TPlanData::Haikai},
        {u"Chuuya", u"昼夜逆転", &TPlanData::Chuya},      {u"Bougen", u"暴言・暴行", &TPlanData::Bougen},
        {u"Teikou", u"介護への抵抗", &TPlanData::Teikou}, {u"Fuketsu", u"不潔行為", &TPlanData::Fuketsu},
        {u"Ishoku", u"異食行動", &TPlanData::Ishoku},     {u"Jihatsusei", u"自発性低下", &TPlanData::Jihatsu},
        {u"Kanjyo", u"感情失禁", &TPlanData::Kajou},      {u"Fuann", u"不安焦燥", &TPlanData::Fuann},
        {u"Hitorigoto", u"独語", &TPlanData::Hitorigoto}, {u"Yokuutsu", u"抑鬱", &TPlanData::Utsu},
        {u"Shushuu", u"収集癖", &TPlanData::Shushu},
    };
    for (int i = 0; i < int(std::size(boxes)); ++i) {
        auto *box = new QCheckBox(QString::fromUtf16(boxes[i].caption), this);
        box->setObjectName(QString::fromUtf16(boxes[i].name));
        box->setGeometry(InputLeft + 160 * (i % 5), 580 + 24 * (i / 5), 156, 22);
        connect(box, &QCheckBox::toggled, this, &RihaPlanPanel::markModified);
        m_flags.push_back({box, boxes[i].field});
    }
}

void RihaPlanPanel::buildDailyLiving()
{
    addLabel(this, QStringLiteral("日常生活動作"), {LabelLeft, 664, 200, 22}, true);
    struct Line
    {
        const char16_t *caption;
        const char16_t *box;
        qint32 TPlanData::*field;
        std::function<QString &(TPlanData &)> remark;
    };
    const Line lines[] = {
        {u"寝返り", u"Negaeri", &TPlanData::Negaeri, bodyText<&TPlanData::NegaeriTxt>},
        {u"座位", u"Zai", &TPlanData::Zai, bodyText<&TPlanData::ZaiTxt>},
        {u"立ち上がり", u"Tachiagari", &TPlanData::Tachi, bodyText<&TPlanData::TachiTxt>},
        {u"移乗", u"Noriutsuri", &TPlanData::Ijyo, bodyText<&TPlanData::IjyoTxt>},
        {u"歩行", u"Hokou", &TPlanData::Hokou, bodyText<&TPlanData::HokouTxt>},
        {u"排泄", u"Haisetsu", &TPlanData::Haisetsu, bodyText<&TPlanData::HaisetsuTxt>},
        {u"食事", u"Shokuji", &TPlanData::Shokuji, bodyText<&TPlanData::ShokujiTxt>},
        {u"入浴", u"Nyuyoku", &TPlanData::Nyuyoku, bodyText<&TPlanData::NyuyokuTxt>},
        {u"着脱", u"Kigae", &TPlanData::Kidatsu, bodyText<&TPlanData::KidatsuTxt>},
        {u"意思疎通", u"Ishi", &TPlanData::Ishisotsu, bodyText<&TPlanData::IshisotsuTxt>},
    };
    for (int i = 0; i < int(std::size(lines)); ++i) {
        const int top = 688 + i * Row;
        addLabel(this, QString::fromUtf16(lines[i].caption), {LabelLeft, top, 110, 24});
        const QString name = QString::fromUtf16(lines[i].box);
        addChoice(name, {InputLeft, top, 96, 24}, AssistNames, lines[i].field, m_dailyChoices);
        addRemark(name + QStringLiteral("Comment"), {222, top, 520, 24}, lines[i].remark, PlanRules::DailyRemarkBytes,
                  LimitText::Input, 20 + i, m_dailyRemarks);
    }
}

void RihaPlanPanel::buildLines()
{
    const char16_t *captions[] = {u"問題点", u"目標", u"プログラム"};
    const char16_t *names[] = {u"Mondaiten%1", u"Mokuhyo%1", u"Program%1"};
    for (int column = 0; column < 3; ++column) {
        const int left = 85 + 283 * column;
        addLabel(this, QString::fromUtf16(captions[column]), {left, 1058, 200, 22}, true);
        for (int i = 0; i < 6; ++i) {
            std::function<QString &(TPlanData &)> field = [column, i](TPlanData &data) -> QString & {
                return column == 0 ? data.Mondai[size_t(i)]
                                   : (column == 1 ? data.Mokuhyo[size_t(i)] : data.Program[size_t(i)]);
            };
            addRemark(QString::fromUtf16(names[column]).arg(i + 1), {left, 1080 + i * Row, 275, 24}, field,
                      PlanRules::LineBytes, LimitText::Line, 50 + column, m_lineRemarks);
        }
    }
}

void RihaPlanPanel::buildMemos()
{
    EtcMemo = addMemo(QStringLiteral("EtcMemo"), {505, 516, 417, 62}, &TPlanData::EtcMemo, PlanRules::EtcMemoBytes, 40);
    addLabel(this, QStringLiteral("その他"), {LabelLeft, 966, 70, 22}, true);
    Sonota = addMemo(QStringLiteral("Sonota"), {85, 966, 837, 80}, &TPlanData::Sonota, PlanRules::SonotaBytes, 7);
    addLabel(this, QStringLiteral("医師からの特記事項"), {LabelLeft, 1252, 240, 22}, true);
    DrMemo = addMemo(QStringLiteral("DrMemo"), {85, 1276, 837, 80}, &TPlanData::DrMemo, PlanRules::DrMemoBytes, 60);
}

void RihaPlanPanel::markModified()
{
    if (!m_loading)
        m_modified = true;
}

bool RihaPlanPanel::isModified() const
{
    if (m_modified)
        return true;
    return std::any_of(m_memos.begin(), m_memos.end(),
                       [](const Memo &memo) { return memo.memo->document()->isModified(); });
}

void RihaPlanPanel::clearModified()
{
    m_modified = false;
    for (const Memo &memo : m_memos)
        memo.memo->document()->setModified(false);
}

std::vector<int> RihaPlanPanel::phraseCodes() const
{
    std::vector<int> codes;
    for (const auto *group : {&m_impairmentRemarks, &m_speechRemarks, &m_dailyRemarks, &m_lineRemarks}) {
        for (const Remark &remark : *group) {
            if (std::find(codes.begin(), codes.end(), remark.code) == codes.end())
                codes.push_back(remark.code);
        }
    }
    return codes;
}

void RihaPlanPanel::setPhrases(int code, const QStringList &phrases)
{
    ++m_loading;
    for (const auto *group : {&m_impairmentRemarks, &m_speechRemarks, &m_dailyRemarks, &m_lineRemarks}) {
        for (const Remark &remark : *group) {
            if (remark.code == code)
                remark.box->setPhrases(phrases);
        }
    }
    --m_loading;
}

void RihaPlanPanel::setDates(TDateTime regist, TDateTime end)
{
    ++m_loading;
    PlanRegistDay->setValue(regist);
    RegistDatePicker->setDate(DateTime::toDate(regist));
    PlanStopDay->setValue(end);
    EndDatePicker->setDate(DateTime::toDate(end));
    --m_loading;
}

void RihaPlanPanel::showBlank()
{
    ++m_loading;
    PlanRegistDay->setEmpty();
    PlanStopDay->setEmpty();
    RegistDatePicker->setDate(Clock::currentDate());
    EndDatePicker->setDate(Clock::currentDate());
    Figures->clearAll();
    const TPlanData blank;
    for (const auto *group : {&m_impairmentChoices, &m_speechChoices, &m_dailyChoices}) {
        for (const Choice &choice : *group)
            showIndex(choice.box, blank.*choice.field);
    }
    for (const Flag &flag : m_flags)
        flag.box->setChecked(false);
    for (const auto *group : {&m_impairmentRemarks, &m_speechRemarks, &m_dailyRemarks, &m_lineRemarks}) {
        for (const Remark &remark : *group)
            remark.box->clearText();
    }
    for (const Memo &memo : m_memos)
        setMemoText(memo.memo, QString());
    --m_loading;
}

void RihaPlanPanel::showHeader(const TPlan &plan)
{
    CureNoLabel->setText(QString::number(plan.CureNo));
    NameLabel->setText(plan.Name);
    SexLabel->setText(CodeName(SexNames, plan.Sex));
    BirthLabel->setText(FormatEraDate(plan.Birth));
    RihaTypeLabel->setText(CodeName(RihaTypeNames, plan.RihaType));
    TRihaKubun kubun;
    kubun.SetCode(plan.KubunCode);
    KubunLabel->setText(kubun.LongText());
    for (size_t i = 0; i < ShikanLabel.size(); ++i)
        ShikanLabel[i]->setText(plan.Disease[i]);
    placeCircle(JiritsuCircle, PlanRules::JiritsuLefts, plan.Jiritsu_KBN, CircleTops[0]);
    placeCircle(NinchiCircle, PlanRules::NinchiLefts, plan.Ninchi_KBN, CircleTops[1]);
    placeCircle(YoukaigoCircle, PlanRules::YoukaigoLefts, plan.YOUKAIGO_KBN, CircleTops[2]);
}

void RihaPlanPanel::showPlan(const TPlan &plan)
{
    showHeader(plan);
    setDates(plan.PlanRegistDay, plan.PlanEndDay);
    ++m_loading;
    TPlanData body = plan.Body;
    for (const auto *group : {&m_impairmentChoices, &m_speechChoices, &m_dailyChoices}) {
        for (const Choice &choice : *group)
            showIndex(choice.box, body.*choice.field);
    }
    for (const Flag &flag : m_flags)
        flag.box->setChecked(body.*flag.field);
    for (const auto *group : {&m_impairmentRemarks, &m_speechRemarks, &m_dailyRemarks, &m_lineRemarks}) {
        for (const Remark &remark : *group) {
            remark.box->clearText();
            remark.box->setEditText(remark.field(body));
            remark.box->lineEdit()->setModified(false);
        }
    }
    for (const Memo &memo : m_memos)
        setMemoText(memo.memo, body.*memo.field);
    --m_loading;
}

void RihaPlanPanel::storeChoices(const std::vector<Choice> &choices, TPlanData &data)
{
    for (const Choice &choice : choices)
        data.*choice.field = chosenIndex(choice.box);
}

bool RihaPlanPanel::collectRemarks(const std::vector<Remark> &remarks, TPlanData &data)
{
    for (const Remark &remark : remarks) {
        const QString text = remark.box->currentText();
        if (const std::optional<QString> message = PlanRules::checkLength(text, remark.limit, remark.wording)) {
            Dialogs::information(*message);
            remark.box->setFocus();
            return false;
        }
        remark.field(data) = text;
    }
    return true;
}

bool RihaPlanPanel::collectMemo(const Memo &memo, TPlanData &data)
{
    const QString text = PlanMemoText::stored(memo.memo);
    if (const std::optional<QString> message = PlanRules::checkLength(text, memo.limit, LimitText::Line)) {
        Dialogs::information(*message);
        memo.memo->setFocus();
        return false;
    }
    data.*memo.field = text;
    return true;
}

bool RihaPlanPanel::collectDates(TPlan &plan)
{
    const std::optional<TDateTime> regist = PlanRegistDay->value();
    if (!regist) {
        ++m_loading;
        PlanRegistDay->setToday();
        --m_loading;
        Dialogs::message(MessageType::Error, QStringLiteral("計画登録日エラーです。\n日付を今日に設定しました。"),
                         MessageButtons::Yes);
        PlanRegistDay->setFocus();
        return false;
    }
    plan.PlanRegistDay = DateTime::dateOf(*regist);
    const std::optional<TDateTime> end = PlanStopDay->value();
    if (!end) {
        const TDateTime fallback = PlanRules::defaultEndDate(Clock::today());
        ++m_loading;
        PlanStopDay->setValue(fallback);
        EndDatePicker->setDate(DateTime::toDate(fallback));
        --m_loading;
        Dialogs::message(MessageType::Error, QStringLiteral("計画終了日エラーです。\n日付を３ヶ月後に設定しました。"),
                         MessageButtons::Yes);
        PlanStopDay->setFocus();
        return false;
    }
    plan.PlanEndDay = DateTime::dateOf(*end);
    if (plan.PlanRegistDay > plan.PlanEndDay) {
        Dialogs::message(MessageType::Error, QStringLiteral("計画終了日->計画登録日 Error"), MessageButtons::Abort);
        PlanStopDay->setFocus();
        return false;
    }
    return true;
}

bool RihaPlanPanel::collect(TPlan &plan)
{
    if (!collectDates(plan))
        return false;
    TPlanData &data = plan.Body;
    storeChoices(m_impairmentChoices, data);
    if (!collectRemarks(m_impairmentRemarks, data) || !collectMemo(m_memos[0], data))
        return false;
    storeChoices(m_speechChoices, data);
    for (const Flag &flag : m_flags)
        data.*flag.field = flag.box->isChecked();
    if (!collectRemarks(m_speechRemarks, data))
        return false;
    storeChoices(m_dailyChoices, data);
    return collectRemarks(m_dailyRemarks, data) && collectMemo(m_memos[1], data) &&
           collectRemarks(m_lineRemarks, data) && collectMemo(m_memos[2], data);
}

void RihaPlanPanel::registDayEntered()
{
    const std::optional<TDateTime> regist = PlanRegistDay->value();
    if (!regist) {
        Dialogs::information(QStringLiteral("計画登録日の日付けが不明です。"));
        PlanRegistDay->setFocus();
        return;
    }
    setDates(*regist, PlanRules::defaultEndDate(*regist));
}

void RihaPlanPanel::stopDayEntered()
{
    const std::optional<TDateTime> end = PlanStopDay->value();
    if (!end) {
        Dialogs::information(QStringLiteral("計画終了日の日付けが不明です。"));
        PlanStopDay->setFocus();
        return;
    }
    ++m_loading;
    EndDatePicker->setDate(DateTime::toDate(*end));
    --m_loading;
}

bool RihaPlanPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == PlanRegistDay)
                registDayEntered();
            else if (watched == PlanStopDay)
                stopDayEntered();
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        for (const Memo &memo : m_memos) {
            if (watched == memo.memo->viewport()) {
                emit memoPhrasesRequested(memo.code);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
