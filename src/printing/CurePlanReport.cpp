#include "printing/CurePlanReport.h"

#include "plans/FigureModel.h"
#include "plans/FigurePicture.h"
#include "plans/PlanStore.h"
#include "printing/PrintingLog.h"
#include "report/objects/TrpPictureView.h"

PlanPrintList::Statement CurePlanReport::listStatement()
{
    return {QStringLiteral("SELECT RihaPlan.PlanNo, Person.CureNo, RihaPlan.PlanRegistDay, RihaPlan.PlanEndDay, "
                           "Person.RihaType, Person.KubunCode, Person.Name, Person.Kana "
                           "FROM Person INNER JOIN RihaPlan ON Person.CureNo = RihaPlan.CureNo "),
            QStringLiteral("RihaPlan.PlanRegistDay"), QStringLiteral("RihaPlan.PlanRegistDay, RihaPlan.PlanNo")};
}

CurePlanReport::CurePlanReport(int count, QString facilityName, RecordPerPage<Record>::Reader reader)
    : m_blank(TPlan(), std::move(facilityName)), m_records(std::move(reader)), m_report(&m_owner), m_dataset(&m_owner)
{
    m_report.setObjectName(QStringLiteral("rpReport1"));
    m_dataset.setObjectName(QStringLiteral("rpUserDataset1"));
    m_dataset.RangeEnd = reCount;
    m_dataset.RangeEndCount = count;
    // The pages are built once per plan; each plan is read as its page begins.
    m_report.ReportType = rtMultiple;
    m_report.Dataset = &m_dataset;
    m_report.OnBeginPage = [this](int) {
        m_records.at(m_dataset.RecNo);
    };
    m_report.OnGetValue = [this](const QString &name, Variant &value) {
        const Record *record = m_records.at(m_dataset.RecNo);
        std::optional<Variant> answer = (record ? record->values : m_blank).value(name);
        if (!answer)
            return;
        // A plan that could not be read prints its facility and nothing else.
        value = record || name == u"Shisetsu" ? *answer : Variant(QString());
    };
    m_report.OnEnterRect = [this](QStringList &memo, TrpView &view) {
        if (memo.isEmpty())
            return;
        const Record *record = m_records.at(m_dataset.RecNo);
        if (auto *picture = dynamic_cast<TrpPictureView *>(&view)) {
            if (memo.first() == u"[Picture]")
                picture->setImage(record ? record->figure : QImage());
        } else if (auto text = (record ? record->values : m_blank).areaText(memo.first())) {
            memo = text->split(QLatin1Char('\n'));
        }
    };
}

CurePlanReport::CurePlanReport(DbConnection &database, const QString &facilityName, const std::vector<int> &planNos)
    : CurePlanReport(int(planNos.size()), facilityName,
                     [&database, facilityName, planNos](int row) -> std::optional<Record> {
                         if (row < 0 || size_t(row) >= planNos.size())
                             return std::nullopt;
                         return readStored(database, facilityName, planNos[size_t(row)]);
                     })
{}

CurePlanReport::CurePlanReport(CurePlanPrint plan, QImage figure)
    : CurePlanReport(1, QString(), [record = Record{std::move(plan), std::move(figure)}](int) {
          return std::optional<Record>(record);
      })
{}

std::optional<CurePlanReport::Record> CurePlanReport::readStored(DbConnection &database, const QString &facilityName,
                                                                 int planNo)
{
    const PlanStore store(database);
    PlanStore::Result result;
    std::optional<TPlan> plan = store.load(planNo, result);
    std::optional<TPerson> person;
    if (plan)
        person = store.user(plan->CureNo, result);
    const std::optional<std::vector<FigureRow>> figures = person ? store.figures(planNo) : std::nullopt;
    if (!figures) {
        qCWarning(lcPrinting).noquote() << "treatment plan" << planNo << "not printed:" << result.message;
        return std::nullopt;
    }
    // The user's values of today, not the snapshot stored with the plan.
    plan->setUser(*person);
    FigureModel model;
    model.load(*figures);
    return Record{CurePlanPrint(std::move(*plan), facilityName), FigurePicture::paint(model)};
}
