#pragma once

#include "base/Variant.h"
#include "printing/CountedReport.h"
#include "results/PersonRecordPrint.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

struct AppContext;

// The printed results records of several users ("PrintPersonKirokusho.rpf"):
// one record per user (rpUserDataset1, the report's master), each with a
// line per day of the month (rpUserDataset2). Every record is read before
// the report is built, so that no page shows another run's values.
class PersonResultPrint
{
public:
    static constexpr QStringView TemplateName = u"PrintPersonKirokusho.rpf";

    PersonResultPrint(std::vector<PersonRecordPrint> records, int days);

    // Reads the month's results and the latest plan of each user in the
    // order given and loads the template from the program's folder: the
    // printout ready to be built or shown. Nullptr with the message to show
    // when a record cannot be read or the template does not load.
    [[nodiscard]] static std::unique_ptr<PersonResultPrint> build(AppContext &context, TDateTime month,
                                                                  const std::vector<int> &cureNos, QString &message);

    [[nodiscard]] int recordCount() const { return int(m_records.size()); }
    // The value of a variable of a record (0-based) on a day line (0-based);
    // nullopt for a name the printout does not know.
    [[nodiscard]] std::optional<Variant> value(const QString &name, int record, int line) const;

    // Loads the template from the folder; false with the text to show when
    // it does not load.
    [[nodiscard]] bool setUp(const QString &appDir, QString &message);
    [[nodiscard]] TrpReport &report() { return m_report.report(); }

private:
    std::vector<PersonRecordPrint> m_records;
    int m_days;
    CountedReport m_report;
};
