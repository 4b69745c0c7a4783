#include "printing/PracticePlanReport.h"

#include "core/TMainModule.h"
#include "plans/PracticeStore.h"
#include "printing/PrintingLog.h"

namespace {

PracticePlanPrint printOf(const TMainModule &staff, TPractice record)
{
    return PracticePlanPrint(std::move(record), staff.staff(), staff.FacilityName);
}

} // namespace

PlanPrintList::Statement PracticePlanReport::listStatement()
{
    return {QStringLiteral("SELECT Practice.PractNo, Person.CureNo, Practice.PrcticeDay, Person.Kana, Person.Name, "
                           "Person.RihaType, Person.KubunCode, Practice.DataFormatVersion "
                           "FROM Person INNER JOIN Practice ON Person.CureNo = Practice.CureNo "),
            QStringLiteral("Practice.PrcticeDay"), QStringLiteral("Practice.PrcticeDay, Practice.PractNo")};
}

PracticePlanReport::PracticePlanReport(const TMainModule &staff, int count, RecordPerPage<TPractice>::Reader reader)
    : m_blank(printOf(staff, TPractice())), m_staff(staff),
      m_records([this, reader = std::move(reader)](int row) -> std::optional<PracticePlanPrint> {
          std::optional<TPractice> record = reader(row);
          if (!record)
              return std::nullopt;
          return printOf(m_staff, std::move(*record));
      }),
      m_report(&m_owner), m_table1(&m_owner), m_table2(&m_owner), m_plans(&m_owner)
{
    const struct
    {
        TrpUserDataset *dataset;
        const char16_t *name;
        int rows;
    } datasets[] = {{&m_table1, u"rpUserDataset1", PracticePlanPrint::Table1Lines},
                    {&m_table2, u"rpUserDataset2", PracticePlanPrint::Table2Lines},
                    {&m_plans, u"rpUserDataset3", count}};
    for (const auto &d : datasets) {
        d.dataset->setObjectName(QString::fromUtf16(d.name));
        d.dataset->RangeEnd = reCount;
        d.dataset->RangeEndCount = d.rows;
    }
    m_report.setObjectName(QStringLiteral("rpReport1"));
    m_report.ReportType = rtMultiple;
    m_report.Dataset = &m_plans;
    m_report.OnGetValue = [this](const QString &name, Variant &value) {
        const PracticePlanPrint *record = m_records.at(m_plans.RecNo);
        std::optional<Variant> answer = (record ? *record : m_blank).value(name, m_table1.RecNo, m_table2.RecNo);
        if (!answer)
            return;
        // A plan that could not be read prints its facility and nothing else.
        value = record || name == u"Shisetsu" ? *answer : Variant(QString());
    };
}

PracticePlanReport::PracticePlanReport(DbConnection &database, const TMainModule &staff,
                                       const std::vector<int> &practNos)
    : PracticePlanReport(staff, int(practNos.size()), [&database, practNos](int row) -> std::optional<TPractice> {
          if (row < 0 || size_t(row) >= practNos.size())
              return std::nullopt;
          PracticeStore::Result result;
          std::optional<PracticeStore::StoredPractice> stored =
              PracticeStore(database).load(practNos[size_t(row)], result);
          if (!stored) {
              qCWarning(lcPrinting).noquote()
                  << "practice plan" << practNos[size_t(row)] << "not printed:" << result.message;
              return std::nullopt;
          }
          return std::move(stored->Record);
      })
{}

PracticePlanReport::PracticePlanReport(const TMainModule &staff, TPractice record)
    : PracticePlanReport(staff, 1, [record = std::move(record)](int) { return std::optional<TPractice>(record); })
{}
