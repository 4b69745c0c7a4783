#include "plansui/PracticeHopePage.h"

#include "core/StaffDirectory.h"
#include "plans/PracticeRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

PracticeHopePage::PracticeHopePage(QWidget *parent) : PracticePage(parent)
{
    setObjectName(QStringLiteral("PracticePanel2"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    auto *title = new QLabel(QStringLiteral("リハビリテーション実施計画書（２）"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    UserLabel = new QLabel(this);
    UserLabel->setObjectName(QStringLiteral("UserLabel"));
    layout->addWidget(UserLabel);

    auto *areas = new QGridLayout();
    areas->setHorizontalSpacing(6);
    areas->setColumnMinimumWidth(0, 200);
    areas->setColumnStretch(1, 1);
    struct Area
    {
        const char16_t *name;
        const char16_t *text;
        QString TPractice::*field;
    };
    const Area list[] = {{u"SelfHope", u"本人の希望", &TPractice::SelfHope},
                         {u"FarmilyHope", u"ご家族の希望", &TPractice::FarmilyHope},
                         {u"LifePoint", u"その人らしく生活するポイント", &TPractice::LifePoint},
                         {u"RihaTerget", u"本人の状態および\nリハビリテーションの目標", &TPractice::RihaTerget},
                         {u"SelfDo", u"ご本人に行ってもらうこと", &TPractice::SelfDo},
                         {u"AskFarmily", u"ご家族にお願いしたいこと", &TPractice::AskFarmily},
                         {u"DiseseCare", u"病気との関係で気をつけること", &TPractice::DiseseCare},
                         {u"Variation", u"前回計画書作成時からの変化点", &TPractice::Variation},
                         {u"Remark", u"備考", &TPractice::Remark}};
    int code = 30;
    int line = 0;
    for (const Area &area : list) {
        areas->addWidget(caption(QString::fromUtf16(area.text)), line, 0);
        QPlainTextEdit *memo = addMemo(QString::fromUtf16(area.name), area.field, PracticeRules::AreaBytes, code++);
        memo->setFixedHeight(84);
        areas->addWidget(memo, line++, 1);
    }
    layout->addLayout(areas);
    layout->addWidget(buildTeam());
    layout->addStretch();
}

QWidget *PracticeHopePage::buildTeam()
{
    auto *team = new QWidget(this);
    auto *grid = new QGridLayout(team);
    grid->setContentsMargins(0, 8, 0, 0);
    grid->addWidget(caption(QStringLiteral("担当医チーム")), 0, 0, 1, 5);
    const std::pair<const char16_t *, int> groups[] = {
        {u"●担当医", 1}, {u"●ＰＴ・ＯＴ・ＳＴ", 4}, {u"●看護・介護", 4}, {u"●その他", 4}};
    int box = 0;
    int row = 1;
    for (const auto &[text, count] : groups) {
        grid->addWidget(new QLabel(QString::fromUtf16(text), team), row, 0);
        for (int i = 0; i < count; ++i, ++box) {
            auto *combo = new QComboBox(team);
            combo->setObjectName(QStringLiteral("TeamBox%1").arg(box + 1));
            combo->setMinimumWidth(150);
            connect(combo, &QComboBox::activated, this, &PracticePage::changed);
            grid->addWidget(combo, row, 1 + i);
            TeamBox[size_t(box)] = combo;
        }
        ++row;
    }
    grid->setColumnStretch(5, 1);
    return team;
}

void PracticeHopePage::setStaff(const StaffDirectory &staff)
{
    m_staff = &staff;
    for (QComboBox *box : TeamBox) {
        box->clear();
        box->addItems(staff.names());
        box->setCurrentIndex(-1);
    }
}

void PracticeHopePage::clear()
{
    PracticePage::clear();
    UserLabel->clear();
    for (QComboBox *box : TeamBox)
        box->setCurrentIndex(-1);
}

void PracticeHopePage::showRecord(const TPractice &record)
{
    PracticePage::showRecord(record);
    for (int i = 0; i < TPractice::TeamBoxes; ++i) {
        const int code = record.TeamBox[size_t(i)];
        TeamBox[size_t(i)]->setCurrentIndex(code < 0 || !m_staff ? -1 : m_staff->indexOfCode(code));
    }
}

bool PracticeHopePage::collect(TPractice &record, const Check &check) const
{
    if (!PracticePage::collect(record, check))
        return false;
    for (int i = 0; i < TPractice::TeamBoxes; ++i) {
        const int position = TeamBox[size_t(i)]->currentIndex();
        record.TeamBox[size_t(i)] = m_staff ? m_staff->codeAt(position) : -1;
    }
    return true;
}
