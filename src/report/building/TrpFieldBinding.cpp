#include "report/building/TrpFieldBinding.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDBDataSet.h"
#include "report/objects/TrpView.h"

namespace {

TrpRowSource *boundField(TrpReport &report, const QString &name, QString &field)
{
    TrpDBDataSet *dataset = nullptr;
    const TrpValue *value = report.Template().Values.FindName(name);
    if (value && value->Typ == vtDataField &&
        report.findField(value->DataSetName + QLatin1Char('.') + value->FieldName, dataset, field))
        return dataset->rows();
    if (report.findField(name, dataset, field))
        return dataset->rows();
    return nullptr;
}

void bindBand(TrpBuild &build, TrpBand &band)
{
    build.band = &band;
    for (TrpView *view : band.objects) {
        view->DataSet = nullptr;
        view->DataField.clear();
        const std::optional<QString> name = view->boundFieldName();
        if (!name)
            continue;
        QString field;
        if (TrpRowSource *rows = boundField(build.report, *name, field)) {
            view->DataSet = rows;
            view->DataField = field;
        }
    }
}

} // namespace

void TrpFieldBinding::bind(TrpBuild &build)
{
    TrpPageBuilder *const savedPage = build.page;
    TrpBand *const savedBand = build.band;
    for (int index = 0; TrpPageBuilder *page = build.pageBuilder(index); ++index) {
        build.page = page;
        for (int type = 0; type < TrpBandTypes::Count; ++type) {
            for (TrpBand *band = page->slot(type); band; band = band->next)
                bindBand(build, *band);
        }
    }
    build.page = savedPage;
    build.band = savedBand;
}
