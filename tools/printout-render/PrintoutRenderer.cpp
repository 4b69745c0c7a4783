#include "PrintoutRenderer.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/TMainModule.h"
#include "plans/OutstandingList.h"
#include "plans/OutstandingPrint.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "printing/AllUserList.h"
#include "printing/CountedReport.h"
#include "printing/CurePlanReport.h"
#include "printing/KeitaiList.h"
#include "printing/ListPrint.h"
#include "printing/MonthlyReport.h"
#include "printing/PersonResultPlans.h"
#include "printing/PersonResultPrint.h"
#include "printing/PlanLimitList.h"
#include "printing/PlanPrintList.h"
#include "printing/PracticePlanReport.h"
#include "printing/ScheduleTypeList.h"
#include "printing/ToukeiPrint.h"
#include "report/building/TrpReport.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPdfFile.h"
#include "results/DailyMedicalRecord.h"
#include "results/DailyRecordPrint.h"
#include "results/PersonMedicalRecord.h"
#include "results/PersonRecordPrint.h"
#include "scheduling/BookingList.h"
#include "scheduling/BookingListPrint.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(qUtf8Printable(text + u'\n'), stream);
}

// A few plans or users are enough to look at: each prints alike.
constexpr int Picked = 5;

// The first plans of the list in its order (reading, then day).
std::vector<int> firstPlans(DbConnection &database, const PlanPrintList::Statement &statement, QStringView key)
{
    PlanPrintList list(database, statement);
    if (!list.openAll())
        return {};
    std::vector<int> positions(size_t(std::min(list.Rows.recordCount(), Picked)));
    std::iota(positions.begin(), positions.end(), 0);
    return list.keysAt(positions, key);
}

} // namespace

PrintoutRenderer::PrintoutRenderer(AppContext &context, QString folder)
    : m_context(context), m_folder(std::move(folder))
{}

int PrintoutRenderer::renderAll()
{
    const std::optional<Choice> choice = latestResult();
    if (!choice) {
        print(stderr, QStringLiteral("printout-render: the database holds no result to choose the month by"));
        return 1;
    }
    m_choice = *choice;
    print(stdout, QStringLiteral("day %1, staff %2 %3, form %4, user %5")
                      .arg(DateTime::toDate(m_choice.day).toString(Qt::ISODate))
                      .arg(m_choice.staffCode)
                      .arg(m_choice.staffName)
                      .arg(m_choice.rihaType)
                      .arg(m_choice.cureNo));
    int failed = 0;
    for (bool (PrintoutRenderer::*render)() :
         {&PrintoutRenderer::curePlan, &PrintoutRenderer::practicePlan, &PrintoutRenderer::allUsers,
          &PrintoutRenderer::planLimit, &PrintoutRenderer::personResults, &PrintoutRenderer::statistics,
          &PrintoutRenderer::monthlyByForm, &PrintoutRenderer::monthlyByType, &PrintoutRenderer::outstanding,
          &PrintoutRenderer::personRecord, &PrintoutRenderer::dailyRecord, &PrintoutRenderer::bookings}) {
        if (!(this->*render)())
            ++failed;
    }
    return failed;
}

std::optional<PrintoutRenderer::Choice> PrintoutRenderer::latestResult() const
{
    DbDataSet rows;
    DbQuery query(m_context.database,
                  QStringLiteral("SELECT CureDate, StuffCode, RihaType, CureNo FROM CureResults WHERE EXISTS "
                                 "(SELECT 1 FROM RihaPlan WHERE RihaPlan.CureNo = CureResults.CureNo) "
                                 "ORDER BY CASE WHEN RMinute > 0 THEN 0 ELSE 1 END, CureDate DESC, ResultNo DESC"));
    if (!rows.open(query) || rows.isEmpty())
        return std::nullopt;
    rows.first();
    Choice choice;
    choice.day = rows.field(u"CureDate").value().asDateTime();
    choice.staffCode = rows.field(u"StuffCode").asInteger();
    choice.staffName = m_context.mainModule.GetStaffName(choice.staffCode);
    choice.rihaType = rows.field(u"RihaType").asInteger();
    choice.cureNo = rows.field(u"CureNo").asInteger();
    return choice;
}

QString PrintoutRenderer::templateFile(QStringView name) const
{
    return m_context.appDir + u'/' + name.toString();
}

bool PrintoutRenderer::fail(QStringView templateName, const QString &reason)
{
    print(stderr, templateName.toString() + QStringLiteral(": ") + reason);
    return false;
}

bool PrintoutRenderer::write(QStringView templateName, TrpReport &report)
{
    // The template is loaded here alone, as the printing windows' preview
    // loads it, into a report the printout has set up.
    if (!report.LoadFromFile(templateFile(templateName)))
        return fail(templateName, report.FileName + QStringLiteral(" does not load: ") + report.LoadError().message);
    if (!report.PrepareReport())
        return fail(templateName, QStringLiteral("building stopped"));
    if (report.hasError())
        return fail(templateName, report.ErrorText());
    TrpEMFPages &pages = report.EMFPages();
    if (pages.Count() == 0)
        return fail(templateName, QStringLiteral("no page"));
    const QString file = QDir(m_folder).filePath(templateName.toString().section(u'.', 0, 0) + QStringLiteral(".pdf"));
    TrpPdfFile pdf;
    pdf.setCreator(QStringLiteral("printout-render"));
    for (int i = 0; i < pages.Count(); ++i) {
        if (!pdf.print(pages[i]))
            return fail(templateName, QStringLiteral("cannot draw page %1").arg(i + 1));
    }
    if (!pdf.finish() || !pdf.save(file))
        return fail(templateName, QStringLiteral("cannot write ") + file);
    print(stdout, QStringLiteral("%1 %2").arg(file).arg(pages.Count()));
    return true;
}

bool PrintoutRenderer::writeRows(QStringView templateName, int rows, const RowValues &values)
{
    CountedReport report(rows, 0, [&](const QString &variable, int row, int) { return values(variable, row); });
    return write(templateName, report.report());
}

bool PrintoutRenderer::curePlan()
{
    const std::vector<int> plans =
        firstPlans(m_context.database, CurePlanReport::listStatement(), QStringView(u"PlanNo"));
    CurePlanReport print(m_context.database, m_context.mainModule.FacilityName, plans);
    return write(CurePlanReport::TemplateName, print.report());
}

bool PrintoutRenderer::practicePlan()
{
    const std::vector<int> plans =
        firstPlans(m_context.database, PracticePlanReport::listStatement(), QStringView(u"PractNo"));
    PracticePlanReport print(m_context.database, m_context.mainModule, plans);
    return write(PracticePlanReport::TemplateName, print.report());
}

bool PrintoutRenderer::allUsers()
{
    AllUserList list(m_context.database, m_context.mainModule.FacilityName);
    AllUserList::Conditions everybody;
    everybody.InCareOnly = false;
    everybody.RecentOnly = false;
    if (list.open(everybody, Clock::today()) != AllUserList::Outcome::Rows)
        return fail(AllUserList::TemplateName, QStringLiteral("no user"));
    ListPrint print = list.printout();
    return write(AllUserList::TemplateName, print.report());
}

bool PrintoutRenderer::planLimit()
{
    PlanLimitList list(m_context.database, m_context.mainModule.FacilityName);
    // The treatment plans' list, or the practice plans' when that one is
    // empty; with no plan past its deadline yet, the treatment plans as of
    // half a year on, so that the list's lines can be looked at.
    const TDateTime today = Clock::today();
    const TDateTime later = DateTime::fromDate(DateTime::toDate(today).addMonths(6));
    if (!list.open(PlanLimitList::Kind::CurePlan, today) ||
        (!list.hasRows() && !list.open(PlanLimitList::Kind::PracticePlan, today)) ||
        (!list.hasRows() && !list.open(PlanLimitList::Kind::CurePlan, later)))
        return fail(PlanLimitList::TemplateName, QStringLiteral("the list cannot be read"));
    ListPrint print = list.printout();
    return write(PlanLimitList::TemplateName, print.report());
}

bool PrintoutRenderer::personResults()
{
    const TDateTime month = BookingList::monthStart(m_choice.day);
    PersonResultPlans plans(m_context.database);
    if (!plans.open(month, BookingList::monthEnd(month) + 1))
        return fail(PersonResultPrint::TemplateName, QStringLiteral("the plans cannot be read"));
    std::vector<int> cureNos;
    for (int row = 0; row < plans.rowCount() && int(cureNos.size()) < Picked; ++row) {
        if (cureNos.empty() || cureNos.back() != plans.cureNo(row))
            cureNos.push_back(plans.cureNo(row));
    }
    PersonResultPrint print(m_context, month, cureNos);
    return write(PersonResultPrint::TemplateName, print.report());
}

bool PrintoutRenderer::statistics()
{
    ToukeiCounts counts(m_choice.day);
    if (!counts.count(m_context.database))
        return fail(ToukeiPrint::TemplateName, QStringLiteral("the results cannot be counted"));
    ToukeiPrint print(std::move(counts), m_context.mainModule.FacilityName, Clock::today());
    return write(ToukeiPrint::TemplateName, print.report());
}

bool PrintoutRenderer::monthlyByForm()
{
    TrpReport report;
    const MonthlyChoice choice{m_choice.day, std::nullopt, 0};
    if (MonthlyReport::setUpReport<KeitaiList>(report, m_context, choice) != MonthlyReport::Status::Ready)
        return fail(KeitaiList::TemplateName, QStringLiteral("the month cannot be read"));
    return write(KeitaiList::TemplateName, report);
}

bool PrintoutRenderer::monthlyByType()
{
    TrpReport report;
    const MonthlyChoice choice{m_choice.day, std::nullopt, m_choice.rihaType};
    if (MonthlyReport::setUpReport<ScheduleTypeList>(report, m_context, choice) != MonthlyReport::Status::Ready)
        return fail(ScheduleTypeList::TemplateName, QStringLiteral("the month cannot be read"));
    return write(ScheduleTypeList::TemplateName, report);
}

bool PrintoutRenderer::outstanding()
{
    OutstandingList list(m_context.database);
    if (!list.open(OutstandingList::Kind::PracticePlan))
        return fail(OutstandingList::TemplateName, QStringLiteral("the list cannot be read"));
    OutstandingPrint print(list, m_context.mainModule.FacilityName, Clock::now());
    return write(OutstandingList::TemplateName, print.report());
}

bool PrintoutRenderer::personRecord()
{
    constexpr QStringView name = u"RihaPersonKirokusho.rpf";
    PersonMedicalRecord record(m_context);
    record.setMonth(m_choice.day);
    if (!record.load(m_choice.cureNo, std::nullopt))
        return fail(name, QStringLiteral("the results cannot be read"));
    QString message;
    auto plan = record.latestPlan(message);
    if (!plan)
        return fail(name, message);
    const PersonRecordPrint print(record, std::move(*plan), m_context.mainModule.FacilityName);
    return writeRows(name, print.dayCount(),
                     [&](const QString &variable, int row) { return print.value(variable, row); });
}

bool PrintoutRenderer::dailyRecord()
{
    constexpr QStringView name = u"DailyMedicalRecord.rpf";
    DailyMedicalRecord record(m_context);
    if (!record.load(m_choice.day, m_choice.staffCode, m_choice.rihaType))
        return fail(name, QStringLiteral("the results cannot be read"));
    const DailyRecordPrint print(record, m_context.mainModule.FacilityName, m_choice.staffName, m_choice.rihaType,
                                 Clock::now());
    return writeRows(name, print.rowCount(),
                     [&](const QString &variable, int row) { return print.value(variable, row); });
}

BookingListPrint::Header PrintoutRenderer::userHeader() const
{
    BookingListPrint::Header header;
    header.CureNo = QString::number(m_choice.cureNo);
    DbDataSet person;
    DbQuery query(m_context.database, QStringLiteral("SELECT Name, Kana, Birth, Sex FROM Person WHERE CureNo = ?"));
    query.addBind(m_choice.cureNo);
    if (person.open(query) && !person.isEmpty()) {
        person.first();
        header.Name = person.field(u"Name").asString();
        header.Kana = person.field(u"Kana").asString();
        header.Birth = DateTime::format(u"gg ee年mm月dd日", person.field(u"Birth").value().asDateTime());
        header.Sex = CodeName(SexNames, person.field(u"Sex").asInteger());
    }
    return header;
}

bool PrintoutRenderer::bookings()
{
    const TDateTime from = BookingList::monthStart(m_choice.day);
    const TDateTime to = BookingList::monthEnd(m_choice.day);
    const QString month = DateTime::format(u"gg ee年mm月", from);
    BookingListPrint::Header staff;
    staff.StaffName = m_choice.staffName;
    staff.Period = month + u' ' + DateTime::format(u"d日", from) + QStringLiteral("～") + DateTime::format(u"d日", to);
    BookingListPrint::Header user = userHeader();
    user.Period = month;
    BookingListPrint::Header day;
    day.StaffName = m_choice.staffName;
    day.Period = DateTime::format(u"gg ee年mm月dd日", m_choice.day);
    day.Weekday = WeekLongNames[std::size_t(DateTime::toDate(m_choice.day).dayOfWeek() - 1)].toString();

    struct List
    {
        BookingListPrint::Kind kind;
        std::optional<BookingList::Rows> rows;
        BookingListPrint::Header header;
    };
    List lists[] = {
        {BookingListPrint::Kind::Staff, BookingList::ofStaff(m_context.database, m_choice.staffCode, from, to), staff},
        {BookingListPrint::Kind::User, BookingList::ofUser(m_context.database, m_choice.cureNo, from), user},
        {BookingListPrint::Kind::Day,
         BookingList::ofStaff(m_context.database, m_choice.staffCode, m_choice.day, m_choice.day), day}};
    bool written = true;
    for (List &list : lists) {
        const QStringView name = BookingListPrint::templateName(list.kind);
        if (!list.rows) {
            written = fail(name, QStringLiteral("the bookings cannot be read"));
            continue;
        }
        const BookingListPrint print(list.kind, std::move(*list.rows), list.header, m_context.mainModule.FacilityName,
                                     Clock::now());
        written = writeRows(name, print.rowCount(),
                            [&](const QString &variable, int row) { return print.value(variable, row); }) &&
                  written;
    }
    return written;
}
