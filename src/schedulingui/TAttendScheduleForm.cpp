#include "schedulingui/TAttendScheduleForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/TMainModule.h"
#include "platform/DialogService.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

TAttendScheduleForm *AttendScheduleForm = nullptr;

using namespace BookingListText;

TAttendScheduleForm::TAttendScheduleForm(AppContext &context)
    : BookingListForm(context, BookingListPrint::Kind::Staff, QStringLiteral("AttendScheduleForm"),
                      QStringLiteral("月別担当者別予約表"))
{
    auto *layout = new QHBoxLayout(FilterPanel);
    TantouBox = makeStaffBox();
    HizukeLeft = makeArrow("HizukeLeft", Qt::LeftArrow);
    YearMonthLabel = new QLabel(FilterPanel);
    YearMonthLabel->setObjectName(QStringLiteral("YearMonthLabel"));
    YearMonthLabel->setMinimumWidth(120);
    HizukeRight = makeArrow("HizukeRight", Qt::RightArrow);
    MonthButton = new QRadioButton(QStringLiteral("１ヵ月分"), FilterPanel);
    MonthButton->setObjectName(QStringLiteral("MonthButton"));
    DaysButton = new QRadioButton(QStringLiteral("指定日"), FilterPanel);
    DaysButton->setObjectName(QStringLiteral("DaysButton"));
    FromEdit = new QSpinBox(FilterPanel);
    FromEdit->setObjectName(QStringLiteral("FromEdit"));
    ToEdit = new QSpinBox(FilterPanel);
    ToEdit->setObjectName(QStringLiteral("ToEdit"));
    layout->addWidget(new QLabel(QStringLiteral("担当者"), FilterPanel));
    for (QWidget *w : std::initializer_list<QWidget *>{TantouBox, HizukeLeft, YearMonthLabel, HizukeRight,
                                                       MonthButton, DaysButton, FromEdit})
        layout->addWidget(w);
    layout->addWidget(new QLabel(QStringLiteral("～"), FilterPanel));
    layout->addWidget(ToEdit);
    layout->addStretch();
    setColumns({{QStringLiteral("予定日"), 150, [](const auto &r) { return eraDay(r.ReserveDay); }},
                {QStringLiteral("曜日"), 60, [](const auto &r) { return weekday(r.ReserveDay); }},
                {QStringLiteral("番号"), 60, [](const auto &r) { return number(r.CureNo); }, Qt::AlignRight},
                {QStringLiteral("氏名"), 120, [](const auto &r) { return r.Name; }},
                {QStringLiteral("入所日"), 140, [](const auto &r) { return eraDay(r.NyushoDate); }},
                {QStringLiteral("形態"), 90, [](const auto &r) { return CodeName(RihaTypeNames, r.RihaType); }},
                {QStringLiteral("区分"), 150, [](const auto &r) { return BookingList::kubunWords(r.KubunCode, u"  "); }},
                {QStringLiteral("開始"), 50, [](const auto &r) { return DateTime::format(u"hh:nn", r.StartTime); }},
                {QStringLiteral("分"), 40, [](const auto &r) { return number(r.WorkingMin); }, Qt::AlignRight},
                {QStringLiteral("人数"), 40, [](const auto &r) { return number(r.Capacity); }, Qt::AlignRight}});
    connect(HizukeLeft, &QToolButton::clicked, this, [this] { stepMonth(-1); });
    connect(HizukeRight, &QToolButton::clicked, this, [this] { stepMonth(1); });
    connect(DaysButton, &QRadioButton::toggled, this, [this](bool days) {
        FromEdit->setEnabled(days);
        ToEdit->setEnabled(days);
        closeList();
    });
    connect(FromEdit, &QSpinBox::valueChanged, this, [this] { closeList(); });
    connect(ToEdit, &QSpinBox::valueChanged, this, [this] { closeList(); });
}

void TAttendScheduleForm::FormShow()
{
    BookingListForm::FormShow();
    TantouBox->setCurrentIndex(TantouBox->count() > 0 ? 0 : -1);
    m_month = BookingList::monthStart(Clock::today());
    MonthButton->setChecked(true);
    showMonth();
}

void TAttendScheduleForm::showMonth()
{
    YearMonthLabel->setText(DateTime::format(u"gg ee年mm月", m_month));
    const int last = DateTime::toDate(m_month).daysInMonth();
    for (QSpinBox *edit : {FromEdit, ToEdit}) {
        edit->setRange(1, last);
        edit->setEnabled(DaysButton->isChecked());
    }
    FromEdit->setValue(1);
    ToEdit->setValue(last);
    closeList();
}

void TAttendScheduleForm::stepMonth(int months)
{
    m_month = DateTime::fromDate(DateTime::toDate(m_month).addMonths(months));
    showMonth();
}

void TAttendScheduleForm::DisplayClick()
{
    const int staff = TantouBox->currentIndex();
    TDateTime from = m_month;
    TDateTime to = BookingList::monthEnd(m_month);
    if (DaysButton->isChecked()) {
        if (FromEdit->value() > ToEdit->value()) {
            Dialogs::error(QStringLiteral("作業日の指定に誤りがあります。"), MessageButtons::Abort);
            return;
        }
        from = m_month + FromEdit->value() - 1;
        to = m_month + ToEdit->value() - 1;
    }
    BookingListPrint::Header header;
    header.StaffName = staffNameOf(staff);
    header.Period = YearMonthLabel->text() + QLatin1Char(' ') + DateTime::format(u"d日", from) + QStringLiteral("～") +
                    DateTime::format(u"d日", to);
    showRows(BookingList::ofStaff(m_context.database, staffCodeOf(staff), from, to), header);
}
