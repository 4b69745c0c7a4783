#pragma once

#include "base/Variant.h"
#include "printing/CountedReport.h"
#include "printing/RecordPerPage.h"
#include "results/PersonRecordPrint.h"

#include <QString>

#include <functional>
#include <optional>
#include <set>
#include <vector>

struct AppContext;

// The printed results records of several users ("PrintPersonKirokusho.rpf"):
// one record per user (rpUserDataset1, the report's master), each with a
// line per day of the month (rpUserDataset2). Each user's results and latest
// plan are read as the page of the record begins.
class PersonResultPrint
{
public:
    static constexpr QStringView TemplateName = u"PrintPersonKirokusho.rpf";
    // Shows what kept a user's record from being read whole; the other
    // users print all the same.
    using Notify = std::function<void(const QString &message)>;

    PersonResultPrint(AppContext &context, TDateTime month, std::vector<int> cureNos, Notify notify = {});

    [[nodiscard]] int recordCount() const { return int(m_cureNos.size()); }
    // The value of a variable of a record (0-based) on a day line (0-based);
    // nullopt for a name the printout does not know.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int record, int line);

    [[nodiscard]] TrpReport &report() { return m_report.report(); }

private:
    [[nodiscard]] std::optional<PersonRecordPrint> read(int record);
    void tell(int record, const QString &message);

    PersonMedicalRecord m_reader;
    std::vector<int> m_cureNos;
    QString m_facility;
    Notify m_notify;
    // Records whose trouble was told: a second pass or a rebuild tells it once.
    std::set<int> m_told;
    // What a record that cannot be read answers.
    std::optional<PersonRecordPrint> m_blank;
    RecordPerPage<PersonRecordPrint> m_records;
    CountedReport m_report;
};
