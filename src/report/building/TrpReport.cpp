#include "report/building/TrpReport.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBandTypes.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpFunctionLibraries.h"
#include "report/building/TrpFunctionLibrary.h"
#include "report/building/TrpMessageUi.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpPreviewUi.h"
#include "report/building/TrpPrintJob.h"
#include "report/building/TrpProgressUi.h"
#include "report/building/TrpReportUi.h"
#include "report/common/TrpUtils.h"
#include "report/data/TrpDBDataSet.h"
#include "report/objects/TrpComponentRegistry.h"
#include "report/objects/TrpStandardAddins.h"
#include "report/pages/TrpPrinter.h"

using namespace TrpBandTypes;

namespace {

constexpr const char *SpecialNames[TrpReport::SpecialCount] = {
    "PAGE#", "", "DATE", "TIME", "LINE#", "LINETHROUGH#", "COLUMN#", "CURRENT#", "TOTALPAGES"};
// VALUE is looked up before the table.
constexpr int ValueIndex = -1;

QString preparingCaption(const QString &title)
{
    const QString text = QStringLiteral("Report preparing");
    return title.isEmpty() ? text : title + QStringLiteral(" - ") + text;
}

} // namespace

QString TrpReport::specialName(int index)
{
    if (index < 0 || index >= SpecialCount)
        return {};
    return QString::fromLatin1(SpecialNames[index]);
}

QString TrpReport::jobName(const QString &title)
{
    return QStringLiteral("Quernlight: ") + (title.isEmpty() ? QStringLiteral("Untitled") : title);
}

TrpReport::TrpReport(QObject *owner) : QObject(owner), m_printer(&TrpPrinter::instance())
{
    TrpStandardAddins::registerAll();
    m_parser.OnGetValue = [this](const QString &name, Variant &value) {
        const std::optional<Variant> found = GetVariableValue(name);
        if (found)
            value = *found;
        else
            m_parser.fail(m_lookupError);
    };
    m_parser.OnFunction = [this](const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                 QString &val) {
        if (!dispatchFunction(name, p1, p2, p3, val))
            m_parser.fail(m_functionError);
    };
}

TrpReport::~TrpReport() = default;

bool TrpReport::LoadFromFile(const QString &fileName)
{
    FileName = fileName;
    m_loadError = {};
    return loaded(m_template.loadFromFile(fileName, *m_printer, m_loadError));
}

bool TrpReport::LoadFromStream(QIODevice &device)
{
    m_loadError = {};
    return loaded(m_template.loadFromStream(device, *m_printer, m_loadError));
}

bool TrpReport::loaded(TrpTemplate::LoadStatus status)
{
    m_canRebuild = true;
    if (status == TrpTemplate::LoadStatus::Unsupported) {
        m_loadError = {TrpError::Kind::Stream, TrpTemplate::unsupportedMessage(), 0};
        if (TrpMessageUi *message = TrpReportUi::installed().message)
            message->showError(QStringLiteral("Error"), TrpTemplate::unsupportedMessage());
    }
    return status == TrpTemplate::LoadStatus::Loaded;
}

bool TrpReport::SaveToStream(QIODevice &device)
{
    return m_template.saveToStream(device, m_printer->printerName(), m_loadError);
}

TrpView *TrpReport::FindObject(const QString &name) const
{
    for (const std::unique_ptr<TrpPage> &page : m_template.Pages) {
        for (const std::unique_ptr<TrpView> &view : page->Objects) {
            if (view->Name.compare(name, Qt::CaseInsensitive) == 0)
                return view.get();
        }
    }
    return nullptr;
}

bool TrpReport::ChangePrinter(int oldIndex, int newIndex)
{
    auto applyPages = [this] {
        m_printer->forgetPaper();
        for (const std::unique_ptr<TrpPage> &page : m_template.Pages)
            page->applyPaper(*m_printer);
    };
    if (m_printer->setPrinterIndex(newIndex)) {
        applyPages();
        return true;
    }
    if (TrpMessageUi *message = TrpReportUi::installed().message)
        message->showError(QStringLiteral("Error"), QStringLiteral("Printer selected is not valid"));
    m_printer->setPrinterIndex(oldIndex);
    applyPages();
    return false;
}

TrpDataset *TrpReport::findDataset(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    if (!name.contains(QLatin1Char('.'))) {
        for (const QObject *scope : {static_cast<const QObject *>(this), static_cast<const QObject *>(parent())}) {
            if (!scope)
                continue;
            for (TrpDataset *dataset : scope->findChildren<TrpDataset *>()) {
                if (dataset->objectName().compare(name, Qt::CaseInsensitive) == 0)
                    return dataset;
            }
        }
    }
    return TrpComponentRegistry::global().find<TrpDataset>(name, parent() ? parent()->objectName() : QString());
}

TrpDataset *TrpReport::defaultDataset() const
{
    if (!m_build || !m_build->band || !m_build->page)
        return nullptr;
    int source = -1;
    switch (m_build->band->type) {
    case btReportSummary:
    case btMasterData:
    case btMasterFooter:
    case btGroupHeader:
    case btGroupFooter:
        source = btMasterData;
        break;
    case btDetailData:
    case btDetailFooter:
        source = btDetailData;
        break;
    case btSubDetailData:
    case btSubDetailFooter:
        source = btSubDetailData;
        break;
    case btCrossData:
    case btCrossFooter:
        source = btCrossData;
        break;
    default:
        return nullptr;
    }
    const TrpBand *band = m_build->page->slot(source);
    return band ? band->dataset : nullptr;
}

bool TrpReport::findField(const QString &name, TrpDBDataSet *&dataset, QString &field) const
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    dataset = qobject_cast<TrpDBDataSet *>(dot > 0 ? findDataset(name.left(dot)) : defaultDataset());
    field = TrpUtils::stripQuotes(dot > 0 ? name.mid(dot + 1) : name);
    TrpRowSource *rows = dataset ? dataset->rows() : nullptr;
    if (!rows || field.isEmpty())
        return false;
    if (!rows->isOpen() && !rows->open())
        return false;
    return rows->fieldType(field).has_value();
}

std::optional<Variant> TrpReport::fieldValue(TrpDBDataSet &dataset, const QString &field)
{
    TrpRowSource *rows = dataset.rows();
    std::optional<Variant> value = rows ? rows->fieldValue(field) : std::nullopt;
    if (!value)
        m_lookupError = {TrpError::Kind::Database,
                         rows ? rows->errorText() : QStringLiteral("Unable to open dataset ") + dataset.objectName(), -1};
    return value;
}

std::optional<Variant> TrpReport::namedValue(const QString &name, bool &found)
{
    const TrpValue *entry = m_template.Values.FindName(name);
    found = entry != nullptr;
    if (!entry)
        return std::nullopt;
    switch (entry->Typ) {
    case vtDataField: {
        TrpDBDataSet *dataset = nullptr;
        QString field;
        if (findField(entry->DataSetName + QLatin1Char('.') + entry->FieldName, dataset, field))
            return fieldValue(*dataset, field);
        m_lookupError = {TrpError::Kind::Database,
                         QStringLiteral("Field %1 of %2 not found").arg(entry->FieldName, entry->DataSetName), -1};
        return std::nullopt;
    }
    case vtSpecial:
        if (entry->SpecialIndex != 1)
            return specialValue(entry->SpecialIndex);
        [[fallthrough]];
    case vtExpression: {
        std::optional<Variant> value = m_parser.Calc(entry->FieldName);
        if (!value)
            m_lookupError = m_parser.error();
        return value;
    }
    default:
        return Variant(QString());
    }
}

std::optional<Variant> TrpReport::specialValue(int index)
{
    const TrpBuild *build = m_build.get();
    const TrpBand *band = build ? build->band : nullptr;
    if (band && !isDataBand(band->type) && band->type != btGroupHeader)
        band = build->dataBand;
    switch (index) {
    case ValueIndex:
        return build ? build->value : Variant();
    case 0:
        return Variant(build ? build->PageNo + 1 : 1);
    case 2:
        return Variant::dateTime(build ? build->Date : 0);
    case 3:
        return Variant::dateTime(build ? build->Time : 0);
    case 4:
        return Variant(band ? band->lineNo : 0);
    case 5:
        return Variant(band ? band->lineThrough : 0);
    case 6:
        return Variant(build && build->page ? build->page->crossColumn : 1);
    case 7:
        return Variant(build && build->page ? build->page->current : 1);
    case 8:
        return Variant(build ? build->TotalPages : 0);
    default:
        return Variant();
    }
}

std::optional<Variant> TrpReport::GetVariableValue(const QString &name)
{
    Variant value;
    if (OnGetValue) {
        OnGetValue(name, value);
        if (!value.isEmpty())
            return value;
    }
    bool found = false;
    std::optional<Variant> named = namedValue(name, found);
    if (found)
        return named;
    TrpDBDataSet *dataset = nullptr;
    QString field;
    if (findField(name, dataset, field))
        return fieldValue(*dataset, field);
    if (name == QLatin1String("VALUE"))
        return specialValue(ValueIndex);
    for (int index = 0; index < SpecialCount; ++index) {
        if (index != 1 && name == specialName(index))
            return specialValue(index);
    }
    if (m_variables.IndexOf(name) >= 0)
        return m_variables.GetVariable(name);
    if (name == m_resolving) {
        m_lookupError = {TrpError::Kind::Conversion, QStringLiteral("Undefined symbol \"%1\"").arg(name), -1};
        return std::nullopt;
    }
    const QString outer = m_resolving;
    m_resolving = name;
    std::optional<Variant> result = m_parser.Calc(name);
    m_resolving = outer;
    if (!result)
        m_lookupError = m_parser.error();
    return result;
}

std::optional<Variant> TrpReport::lookup(const QString &expression)
{
    std::optional<Variant> value = GetVariableValue(expression);
    if (value && m_build)
        m_build->value = *value;
    return value;
}

void TrpReport::setFunctionError(const TrpError &error)
{
    if (!m_functionError.isSet())
        m_functionError = error;
}

bool TrpReport::dispatchFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                 QString &val)
{
    m_functionError = {};
    val = QStringLiteral("0");
    for (const std::unique_ptr<TrpFunctionLibrary> &library : TrpFunctionLibraries::global().libraries()) {
        if (library->OnFunction(*this, name, p1, p2, p3, val))
            return !m_functionError.isSet();
    }
    if (OnUserFunction && !(m_build && m_build->collectingFooter)) {
        Variant result;
        OnUserFunction(name, p1, p2, p3, result);
        if (!result.isEmpty()) {
            const std::optional<double> number =
                result.type() == Variant::Type::String ? std::nullopt : result.toDouble();
            val = number ? TrpFunctionLibrary::numberText(*number) : TrpFunctionLibrary::quotedText(result.toText());
        }
    }
    return true;
}

void TrpReport::setBuildError(const TrpView *view, const TrpBand *band, const TrpError &cause)
{
    if (m_errorFlag)
        return;
    m_errorFlag = true;
    m_errorCause = cause;
    m_errorText = QStringLiteral("An error occured during calculating");
    if (view) {
        for (const QString &line : view->Memo)
            m_errorText += QLatin1Char('\r') + line;
    }
    m_errorText += QStringLiteral("\rReport ") + objectName();
    m_errorText += QStringLiteral("\rBand: ") + displayName(band ? band->type : int(btNone));
}

bool TrpReport::PrepareReport()
{
    m_errorFlag = false;
    m_errorText.clear();
    m_errorCause = {};
    m_canRebuild = true;
    if (OnBeginDoc)
        OnBeginDoc();
    const bool result = prepareProper();
    if (OnEndDoc)
        OnEndDoc();
    return result;
}

bool TrpReport::prepareProper()
{
    m_terminated = false;
    m_emfPages.Clear();
    m_totalPages = 0;
    TrpProgressUi *progress = (!OnProgress && ShowProgress) ? TrpReportUi::installed().progress : nullptr;
    auto work = [this] {
        bool firstStopped = false;
        if (m_template.TwoPass) {
            m_build = std::make_unique<TrpBuild>(*this, 0, true);
            m_build->run();
            m_totalPages = m_emfPages.Count();
            m_emfPages.Clear();
            firstStopped = m_terminated;
            m_terminated = false;
            if (m_errorFlag) {
                m_build.reset();
                return;
            }
        }
        m_build = std::make_unique<TrpBuild>(*this, m_totalPages, false);
        m_build->ShowTotal = !firstStopped;
        m_build->run();
        m_build.reset();
    };
    bool result = true;
    if (progress && !progress->isShowing()) {
        const QString first = m_template.TwoPass ? QStringLiteral("Performing 1st pass:") : QStringLiteral("Processing page:");
        result = progress->run(preparingCaption(Title), first + QStringLiteral("  1"), work);
    } else {
        work();
    }
    result = result && !m_terminated;
    m_terminated = false;
    return result;
}

bool TrpReport::showErrorAndClear()
{
    if (!m_errorFlag)
        return false;
    if (TrpMessageUi *message = TrpReportUi::installed().message)
        message->showError(QStringLiteral("Error"), m_errorText);
    m_emfPages.Clear();
    return true;
}

bool TrpReport::ShowReport()
{
    const bool prepared = PrepareReport();
    if (showErrorAndClear())
        return false;
    ShowPreparedReport();
    return prepared;
}

bool TrpReport::RebuildReport()
{
    const bool prepared = PrepareReport();
    return !showErrorAndClear() && prepared;
}

void TrpReport::ShowPreparedReport()
{
    if (m_emfPages.Count() == 0)
        return;
    const QString caption = Title.isEmpty() ? QStringLiteral("Preview") : Title + QStringLiteral(" - Preview");
    if (TrpPreviewUi *preview = TrpReportUi::installed().preview)
        preview->show(*this, caption);
}

bool TrpReport::LoadPreparedReport(const QString &fileName)
{
    const bool ok = m_emfPages.LoadFromFile(fileName, *m_printer, m_template.UseDefaultPrinter);
    m_canRebuild = false;
    if (!ok)
        m_loadError = m_emfPages.error();
    return ok;
}

bool TrpReport::SavePreparedReport(const QString &fileName)
{
    const bool ok = m_emfPages.SaveToFile(fileName, m_printer->printerName());
    if (!ok)
        m_loadError = m_emfPages.error();
    return ok;
}

bool TrpReport::PrintPreparedReport(const QString &pages, int copies)
{
    m_terminated = false;
    TrpPrintJob job(*this);
    TrpProgressUi *progress = (!OnProgress && ShowProgress) ? TrpReportUi::installed().progress : nullptr;
    bool result = false;
    auto work = [&] { result = job.print(pages, copies); };
    if (progress && !progress->isShowing())
        // The job asks the dialog for Cancel itself and drops what it began;
        // a Cancel after the last page comes too late, the job is printed.
        (void)progress->run(preparingCaption(Title), QStringLiteral("Printing page:"), work);
    else
        work();
    m_terminated = false;
    if (!result && !job.errorText().isEmpty()) {
        if (TrpMessageUi *message = TrpReportUi::installed().message)
            message->showError(QStringLiteral("Error"), job.errorText());
    }
    return result;
}
