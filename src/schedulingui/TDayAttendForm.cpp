#include "schedulingui/TDayAttendForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/TKubun.h"
#include "core/TMainModule.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

TDayAttendForm *DayAttendForm = nullptr;

using namespace BookingListText;

TDayAttendForm::TDayAttendForm(AppContext &context)
    : BookingListForm(context, BookingListPrint::Kind::Day, QStringLiteral("DayAttendForm"),
                      QStringLiteral("当日作業予約表"))
{
    auto *layout = new QHBoxLayout(FilterPanel);
    TantouBox = makeStaffBox();
    HizukeLeft = makeArrow("HizukeLeft", Qt::LeftArrow);
    YearMonthLabel = new QLabel(FilterPanel);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setMinimumWidth(150);
    WeekLabel = new QLabel(FilterPanel);
    WeekLabel->setObjectName(QStringLiteral("WeekLabel"));
    WeekLabel->setMinimumWidth(60);
    HizukeRight = makeArrow("HizukeRight", Qt::RightArrow);
    layout->addWidget(new QLabel(QStringLiteral("担当者"), FilterPanel));
    for (QWidget *w : std::initializer_list<QWidget *>{TantouBox, HizukeLeft, YearMonthLabel, WeekLabel, HizukeRight})
        layout->addWidget(w);
    layout->addStretch();
    setColumns({{QStringLiteral("番号"), 60, [](const auto &r) { return number(r.CureNo); }, Qt::AlignRight},
                {QStringLiteral("氏名"), 130, [](const auto &r) { return r.Name; }},
                {QStringLiteral("入所日"), 150, [](const auto &r) { return eraDay(r.NyushoDate); }},
                {QStringLiteral("形態"), 100, [](const auto &r) { return CodeName(RihaTypeNames, r.RihaType); }},
                {QStringLiteral("区分"), 200,
                 [](const auto &r) {
                     TKubun kubun;
                     kubun.SetCode(r.KubunCode);
                     return kubun.LongText();
                 }},
                {QStringLiteral("開始"), 60, [](const auto &r) { return DateTime::format(u"hh:nn", r.StartTime); }},
                {QStringLiteral("分"), 50, [](const auto &r) { return number(r.WorkingMin); }, Qt::AlignRight},
                {QStringLiteral("人数"), 50, [](const auto &r) { return number(r.Capacity); }, Qt::AlignRight}});
    connect(HizukeLeft, &QToolButton::clicked, this, [this] { stepDay(-1); });
    connect(HizukeRight, &QToolButton::clicked, this, [this] { stepDay(1); });
}

void TDayAttendForm::FormShow()
{
    BookingListForm::FormShow();
    if (TantouBox->currentIndex() < 0 && TantouBox->count() > 0)
        TantouBox->setCurrentIndex(0);
    m_day = Clock::today();
    showDay();
}

void TDayAttendForm::showDay()
{
    YearMonthLabel->setText(DateTime::format(u"gg ee年mm月dd日", m_day));
    WeekLabel->setText(weekday(m_day));
    DisplayClick();
}

void TDayAttendForm::stepDay(int days)
{
    m_day += days;
    showDay();
}

void TDayAttendForm::DisplayClick()
{
    const int staff = TantouBox->currentIndex();
    BookingListPrint::Header header;
    header.StaffName = staffNameOf(staff);
    header.Period = YearMonthLabel->text();
    header.Weekday = WeekLabel->text();
    showRows(BookingList::ofStaff(m_context.database, staffCodeOf(staff), m_day, m_day), header);
}
