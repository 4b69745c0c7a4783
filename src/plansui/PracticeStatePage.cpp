#include "plansui/PracticeStatePage.h"

#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "coreui/EraLineEdit.h"
#include "plans/PracticeRules.h"
#include "plansui/PracticeGrid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace PracticeRules;

const QStringList PracticeStatePage::Grid1Names{QStringLiteral("トイレへの移動"),
                                                QStringLiteral("階段昇降"),
                                                QStringLiteral("屋内移動"),
                                                QStringLiteral("屋外移動"),
                                                QStringLiteral("食事"),
                                                QStringLiteral("排泄（昼）"),
                                                QStringLiteral("排泄（夜）"),
                                                QStringLiteral("整容"),
                                                QStringLiteral("更衣"),
                                                QStringLiteral("入浴"),
                                                QStringLiteral("コミュニケーション"),
                                                QStringLiteral("家事"),
                                                QStringLiteral("外出")};
const QStringList PracticeStatePage::Grid2Names{
    QStringLiteral("寝返り"), QStringLiteral("起き上がり"), QStringLiteral("座位"), QStringLiteral("立ち上がり"),
    QStringLiteral("立位"),   QStringLiteral("移乗動作"),   QStringLiteral("歩行"), QStringLiteral("摂食・嚥下")};

namespace {

QLabel *valueLabel(const QString &name, int width, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(width);
    label->setStyleSheet(QStringLiteral("QLabel { border-bottom: 1px solid #808080; padding: 2px; }"));
    return label;
}

} // namespace

PracticeStatePage::PracticeStatePage(QWidget *parent) : PracticePage(parent)
{
    setObjectName(QStringLiteral("PracticePanel1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(10);
    auto *title = new QLabel(QStringLiteral("リハビリテーション実施計画書（１）"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(buildHeader());
    layout->addWidget(buildState());
    Grid1 = new PracticeGrid(QString(), Grid1Names, 0, this);
    layout->addWidget(
        buildTable(Grid1, QStringLiteral("0"), &TPractice::PTOTST0, &TPractice::Kango0, &TPractice::Jitchi0));
    Grid2 = new PracticeGrid(QStringLiteral("起居動作"), Grid2Names, 20, this);
    layout->addWidget(
        buildTable(Grid2, QStringLiteral("1"), &TPractice::PTOTST1, &TPractice::Kango1, &TPractice::Jitchi1));
    connect(Grid1, &PracticeGrid::changed, this, &PracticePage::changed);
    connect(Grid2, &PracticeGrid::changed, this, &PracticePage::changed);
}

QWidget *PracticeStatePage::buildHeader()
{
    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](const QString &text, QWidget *value) {
        row->addWidget(new QLabel(text, header));
        row->addWidget(value);
        row->addSpacing(12);
    };
    PlanDateEdit = new EraLineEdit(EraLineEdit::Mode::Date, header);
    PlanDateEdit->setObjectName(QStringLiteral("PlanDateEdit"));
    PlanDateEdit->setFixedWidth(150);
    add(QStringLiteral("計画評価実施日"), PlanDateEdit);
    UserNameLabel = valueLabel(QStringLiteral("UserNameLabel"), 140, header);
    add(QStringLiteral("氏名"), UserNameLabel);
    SexLabel = valueLabel(QStringLiteral("SexLabel"), 40, header);
    add(QStringLiteral("性別"), SexLabel);
    BirthLabel = valueLabel(QStringLiteral("BirthLabel"), 130, header);
    add(QStringLiteral("生年月日"), BirthLabel);
    OldLabel = valueLabel(QStringLiteral("OldLabel"), 30, header);
    add(QStringLiteral("年齢"), OldLabel);
    KaigodoLabel = valueLabel(QStringLiteral("KaigodoLabel"), 70, header);
    add(QStringLiteral("要介護度"), KaigodoLabel);
    row->addStretch();
    return header;
}

QWidget *PracticeStatePage::buildState()
{
    auto *state = new QWidget(this);
    auto *grid = new QGridLayout(state);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setColumnMinimumWidth(0, 200);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(2, 200);
    grid->setColumnStretch(3, 1);
    int line = 0;
    const auto wide = [&](const QString &text, QWidget *value, int height) {
        grid->addWidget(caption(text), line, 0);
        value->setFixedHeight(height);
        grid->addWidget(value, line++, 1, 1, 3);
    };
    KenkouMemo = addMemo(QStringLiteral("KenkouMemo"), &TPractice::KenkouMemo, HeaderMemoBytes, 1);
    wide(QStringLiteral("健康状態\n(原因疾患，発症・受傷日等)"), KenkouMemo, 96);
    wide(QStringLiteral("合併疾患・コントロール状態"),
         addMemo(QStringLiteral("GapeiMemo"), &TPractice::GapeiMemo, HeaderMemoBytes, 2), 48);
    wide(QStringLiteral("生活不活発病(廃用症候群)\n発生原因がわかる場合はその内容"),
         addMemo(QStringLiteral("SeikatsuMemo"), &TPractice::SeikatsuMemo, HeaderMemoBytes, 3), 48);

    auto *leave = new QWidget(state);
    auto *leaveRow = new QHBoxLayout(leave);
    leaveRow->setContentsMargins(0, 0, 0, 0);
    leaveRow->addWidget(addBox(QStringLiteral("HomeBox"), QStringLiteral("自宅"), &TPractice::HomeBox));
    leaveRow->addWidget(addBox(QStringLiteral("EtcBox"), QStringLiteral("その他"), &TPractice::EtcBox));
    leaveRow->addWidget(addEdit(QStringLiteral("EtcEdit"), &TPractice::EtcEdit, EtcEditBytes, -1), 1);
    leaveRow->addWidget(addBox(QStringLiteral("TaiinBox"), QStringLiteral("退院未定"), &TPractice::TaiinBox));
    grid->addWidget(caption(QStringLiteral("退院先")), line, 0);
    grid->addWidget(leave, line++, 1, 1, 3);

    const std::pair<const char16_t *, std::pair<const char16_t *, QString TPractice::*>> edits[] = {
        {u"家庭内役割（家事への参加、等）", {u"HomeWorkEdit", &TPractice::HomeWorkEdit}},
        {u"社会活動", {u"SocialEdit", &TPractice::SocialEdit}},
        {u"外出(内容・頻度等)", {u"GoOutEdit", &TPractice::GoOutEdit}},
        {u"余暇活動(内容・頻度等)", {u"FreeTimeEdit", &TPractice::FreeTimeEdit}},
        {u"退院後利用資源", {u"TaiinEdit", &TPractice::TaiinEdit}}};
    int code = 20;
    for (const auto &[text, control] : edits)
        wide(QString::fromUtf16(text), addEdit(QString::fromUtf16(control.first), control.second, LineBytes, code++),
             26);

    struct Remark
    {
        const char16_t *box;
        const char16_t *text;
        bool TPractice::*flag;
        const char16_t *memo;
        QString TPractice::*field;
    };
    const Remark remarks[] = {
        {u"Exercise", u"運動器機能障害", &TPractice::Exercise, u"ExerciseMemo", &TPractice::ExerciseMemo},
        {u"Sense", u"感覚機能障害", &TPractice::Sense, u"SenseMemo", &TPractice::SenseMemo},
        {u"Brain", u"高次脳機能障害", &TPractice::Brain, u"BrainMemo", &TPractice::BrainMemo},
        {u"Koushuku", u"拘縮（部位）", &TPractice::Koushuku, u"KoushukuMemo", &TPractice::KoushukuMemo},
        {u"Arthralgia", u"関節痛（部位）", &TPractice::Arthralgia, u"ArthralgiaMemo", &TPractice::ArthralgiaMemo},
        {u"Sonota", u"その他", &TPractice::Sonota, u"SonotaMemo", &TPractice::SonotaMemo}};
    code = 4;
    for (int i = 0; i < 6; ++i) {
        const Remark &remark = remarks[i];
        grid->addWidget(addBox(QString::fromUtf16(remark.box), QString::fromUtf16(remark.text), remark.flag), line,
                        (i % 2) * 2);
        QPlainTextEdit *memo = addMemo(QString::fromUtf16(remark.memo), remark.field, LineBytes, code++);
        memo->setFixedHeight(44);
        grid->addWidget(memo, line, (i % 2) * 2 + 1);
        line += i % 2;
    }

    auto *hds = new QWidget(state);
    auto *hdsRow = new QHBoxLayout(hds);
    hdsRow->setContentsMargins(0, 0, 0, 0);
    HDSEdit = new QLineEdit(hds);
    HDSEdit->setObjectName(QStringLiteral("HDSEdit"));
    HDSEdit->setFixedWidth(48);
    hdsRow->addWidget(new QLabel(QStringLiteral("HDS-R"), hds));
    hdsRow->addWidget(HDSEdit);
    hdsRow->addWidget(new QLabel(QStringLiteral("点"), hds));
    hdsRow->addStretch();
    grid->addWidget(caption(QStringLiteral("認知症に対する評価")), line, 0);
    grid->addWidget(hds, line, 1, 1, 3);
    return state;
}

QWidget *PracticeStatePage::buildTable(PracticeGrid *grid, const QString &suffix, QString TPractice::*ptotst,
                                       QString TPractice::*kango, QString TPractice::*jitchi)
{
    auto *table = new QWidget(this);
    auto *layout = new QGridLayout(table);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(2);
    layout->addWidget(grid, 0, 0, 1, 3);
    const std::pair<const char16_t *, const char16_t *> heads[] = {
        {u"PTOTST", u"ＰＴ、ＯＴ、ＳＴが実施する内容・頻度等"},
        {u"Kango", u"看護・介護職等が実施する内容・頻度等"},
        {u"Jitchi", u"実施上の留意点"}};
    QString TPractice::*fields[] = {ptotst, kango, jitchi};
    for (int i = 0; i < 3; ++i) {
        layout->addWidget(caption(QString::fromUtf16(heads[i].second)), 1, i);
        QPlainTextEdit *area = addMemo(QString::fromUtf16(heads[i].first) + suffix, fields[i], AreaBytes, 0);
        area->setFixedHeight(110);
        layout->addWidget(area, 2, i);
    }
    return table;
}

void PracticeStatePage::clear()
{
    PracticePage::clear();
    PlanDateEdit->setEmpty();
    for (QLabel *label : {UserNameLabel, SexLabel, BirthLabel, OldLabel, KaigodoLabel})
        label->clear();
    HDSEdit->clear();
    Grid1->clear();
    Grid2->clear();
}

void PracticeStatePage::showHeader(const TPractice &record)
{
    PlanDateEdit->setValue(record.PractDay);
    UserNameLabel->setText(record.UserName);
    SexLabel->setText(CodeName(SexNames, record.Sex));
    BirthLabel->setText(FormatEraDate(record.Birth));
    showAge(record.Old);
    KaigodoLabel->setText(record.Kaigodo < 0 ? QString() : CodeName(YoukaigoNames, record.Kaigodo));
}

void PracticeStatePage::showAge(int old)
{
    OldLabel->setText(QString::number(old));
}

void PracticeStatePage::showRecord(const TPractice &record)
{
    PracticePage::showRecord(record);
    HDSEdit->setText(record.HDSR == 0 ? QString() : QString::number(record.HDSR));
    Grid1->showRows(record.Grid1);
    Grid2->showRows(record.Grid2);
}

bool PracticeStatePage::collect(TPractice &record, const Check &check) const
{
    if (!PracticePage::collect(record, check))
        return false;
    int score = 0;
    if (!check(HDSEdit, checkHds(HDSEdit->text(), &score)))
        return false;
    record.HDSR = score;
    return Grid1->collect(record.Grid1, check) && Grid2->collect(record.Grid2, check);
}

bool PracticeStatePage::isModified() const
{
    return PracticePage::isModified() || HDSEdit->isModified() || Grid1->isModified() || Grid2->isModified();
}

void PracticeStatePage::clearModified()
{
    PracticePage::clearModified();
    HDSEdit->setModified(false);
    PlanDateEdit->setModified(false);
    Grid1->clearModified();
    Grid2->clearModified();
}
