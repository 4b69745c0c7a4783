#include "report/building/TrpStdFunctionLibrary.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBandTypes.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpInputUi.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpReportUi.h"
#include "report/data/TrpDBDataSet.h"
#include "report/objects/TrpBandView.h"

#include "base/DateTime.h"
#include "base/NumberFormat.h"

namespace {

constexpr double MinStart = 1e200;
constexpr double MaxStart = -1e200;

double initialOf(int index)
{
    if (index == TrpStdFunctionLibrary::fnMin)
        return MinStart;
    if (index == TrpStdFunctionLibrary::fnMax)
        return MaxStart;
    return 0;
}

double combined(int index, double running, double value)
{
    switch (index) {
    case TrpStdFunctionLibrary::fnMin:
        return std::min(running, value);
    case TrpStdFunctionLibrary::fnMax:
        return std::max(running, value);
    case TrpStdFunctionLibrary::fnCount:
        return running + 1;
    default:
        return running + value;
    }
}

// A band name or flag may be written bare or quoted.
QString plainText(const Variant &parameter)
{
    QString text = parameter.toText().trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('\'')) && text.endsWith(QLatin1Char('\'')))
        text = text.mid(1, text.size() - 2);
    return text;
}

QString withoutBrackets(const QString &text)
{
    if (text.size() >= 2 && text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
        return text.mid(1, text.size() - 2);
    return text;
}

} // namespace

TrpStdFunctionLibrary::TrpStdFunctionLibrary()
    : TrpFunctionLibrary({QStringLiteral("AVG"), QStringLiteral("COUNT"), QStringLiteral("FORMATDATETIME"),
                          QStringLiteral("FORMATFLOAT"), QStringLiteral("INPUT"), QStringLiteral("LOWERCASE"),
                          QStringLiteral("MAX"), QStringLiteral("MIN"), QStringLiteral("NAMECASE"),
                          QStringLiteral("STRTODATE"), QStringLiteral("STRTOTIME"), QStringLiteral("SUM"),
                          QStringLiteral("UPPERCASE")})
{}

std::optional<Variant> TrpStdFunctionLibrary::evaluate(TrpReport &report, const Variant &parameter)
{
    const QString text = parameter.toText();
    if (text.trimmed().isEmpty())
        return Variant();
    std::optional<Variant> value = report.parser().Calc(text);
    if (!value)
        report.setFunctionError(report.parser().error());
    return value;
}

std::optional<double> TrpStdFunctionLibrary::numberOf(TrpReport &report, const Variant &value)
{
    if (value.isEmpty() || value.isNull() || (value.type() == Variant::Type::String && value.stringValue().isEmpty()))
        return 0.0;
    std::optional<double> number = value.toDouble();
    if (!number)
        report.setFunctionError(
            {TrpError::Kind::Conversion, QStringLiteral("'%1' is not a valid floating point value").arg(value.toText()), -1});
    return number;
}

void TrpStdFunctionLibrary::DoFunction(TrpReport &report, int index, const Variant &p1, const Variant &p2,
                                       const Variant &p3, QString &val)
{
    switch (index) {
    case fnAvg:
    case fnCount:
    case fnMax:
    case fnMin:
    case fnSum:
        aggregate(report, index, p1, p2, p3, val);
        return;
    case fnInput: {
        const std::optional<Variant> prompt = evaluate(report, p1);
        const std::optional<Variant> initial = prompt ? evaluate(report, p2) : std::nullopt;
        if (!initial)
            return;
        TrpInputUi *input = TrpReportUi::installed().input;
        val = quotedText(input ? input->input(report.Title, prompt->toText(), initial->toText()) : initial->toText());
        return;
    }
    default:
        break;
    }
    const std::optional<Variant> first = evaluate(report, p1);
    if (!first)
        return;
    const QString text = first->toText();
    switch (index) {
    case fnLowerCase:
        val = quotedText(text.toLower());
        return;
    case fnUpperCase:
        val = quotedText(text.toUpper());
        return;
    case fnNameCase:
        val = quotedText(text.isEmpty() ? text : text.left(1).toUpper() + text.mid(1).toLower());
        return;
    case fnStrToDate:
    case fnStrToTime: {
        const std::optional<TDateTime> value =
            index == fnStrToDate ? Variant::dateFromText(text.trimmed()) : Variant::timeFromText(text.trimmed());
        if (!value) {
            report.setFunctionError(
                {TrpError::Kind::Conversion, QStringLiteral("'%1' is not a valid date or time").arg(text), -1});
            return;
        }
        val = index == fnStrToDate ? QStringLiteral("%d'") + DateTime::format(u"yyyy/mm/dd", *value) + QLatin1Char('\'')
                                   : QStringLiteral("%t'") + DateTime::format(u"hh:nn:ss", *value) + QLatin1Char('\'');
        return;
    }
    default:
        break;
    }
    const std::optional<Variant> second = evaluate(report, p2);
    if (!second)
        return;
    if (index == fnFormatDateTime) {
        const std::optional<TDateTime> value = second->toDateTime();
        if (!value) {
            report.setFunctionError(
                {TrpError::Kind::Conversion, QStringLiteral("'%1' is not a valid date").arg(second->toText()), -1});
            return;
        }
        val = quotedText(DateTime::format(text, *value));
        return;
    }
    if (const std::optional<double> number = numberOf(report, *second))
        val = quotedText(NumberFormat::format(text, *number));
}

void TrpStdFunctionLibrary::aggregate(TrpReport &report, int index, const Variant &p1, const Variant &p2,
                                      const Variant &p3, QString &val)
{
    TrpBuild *build = report.build();
    if (!build)
        return;
    const QString argument = p1.toText().trimmed();
    if (!build->collectingFooter && datasetAggregate(report, index, argument, val))
        return;
    TrpBand *band = build->collectingFooter ? build->collectingFooter : build->band;
    if (!build->collectingFooter && build->inCrossFooter && build->page)
        band = build->page->slot(TrpBandTypes::btCrossFooter);
    if (band && TrpBandTypes::keepsAggregates(band->type))
        bandAggregate(report, *band, index, argument, p2, p3, val);
}

bool TrpStdFunctionLibrary::datasetAggregate(TrpReport &report, int index, const QString &argument, QString &val)
{
    const QString name = withoutBrackets(argument);
    TrpDBDataSet *dataset = nullptr;
    QString field;
    if (index == fnCount)
        dataset = qobject_cast<TrpDBDataSet *>(report.findDataset(name));
    else if (!name.contains(QLatin1Char('.')) || !report.findField(name, dataset, field))
        return false;
    TrpRowSource *rows = dataset ? dataset->rows() : nullptr;
    if (!rows || !rows->isOpen())
        return false;
    const std::optional<TrpRowSource::Bookmark> here = rows->bookmark();
    double value = initialOf(index);
    bool ok = rows->first();
    while (ok && !rows->eof()) {
        double number = 0;
        if (index != fnCount) {
            const std::optional<double> read = numberOf(report, rows->fieldValue(field).value_or(Variant()));
            if (!read) {
                ok = false;
                break;
            }
            number = *read;
        }
        value = combined(index, value, number);
        ok = rows->next();
    }
    if (here && !rows->gotoBookmark(*here) && ok)
        report.setFunctionError({TrpError::Kind::Database, rows->errorText(), -1});
    if (ok)
        val = numberText(value);
    else if (!report.functionError().isSet())
        report.setFunctionError({TrpError::Kind::Database, rows->errorText(), -1});
    return true;
}

void TrpStdFunctionLibrary::bandAggregate(TrpReport &report, TrpBand &band, int index, const QString &argument,
                                          const Variant &p2, const Variant &p3, QString &val)
{
    TrpBuild &build = *report.build();
    // Calls that differ only in their band name or flag keep apart.
    QString key = List[index] + argument;
    if (!plainText(p2).isEmpty() || !plainText(p3).isEmpty())
        key += QLatin1Char('\n') + plainText(p2).toUpper() + QLatin1Char('\n') + plainText(p3);
    if (build.inCrossFooter)
        key += QStringLiteral("00");
    else if (build.crossColumn > 0)
        key += QStringLiteral("%1").arg(build.crossColumn, 2, 10, QLatin1Char('0'));
    if (build.collectingFooter != &band) {
        const TrpAggregates::Entry *entry = band.aggregates.find(key);
        double value = entry ? entry->value : initialOf(index);
        if (index == fnAvg)
            value = entry && entry->rows > 0 ? entry->value / entry->rows : 0;
        val = numberText(value);
        return;
    }
    const TrpBand *data = build.collectingDataBand;
    const QString bandName = plainText(p2);
    if (!data || (!bandName.isEmpty() && bandName.compare(data->name(), Qt::CaseInsensitive) != 0))
        return;
    if (plainText(p3) != QLatin1String("1") && !data->view.Visible)
        return;
    if (const TrpAggregates::Entry *counted = band.aggregates.find(key); counted && counted->counted)
        return;
    double number = 0;
    if (index != fnCount) {
        const std::optional<Variant> value = evaluate(report, Variant(argument));
        const std::optional<double> read = value ? numberOf(report, *value) : std::nullopt;
        if (!read)
            return;
        number = *read;
    }
    // Looked up after evaluating: the evaluation may add entries.
    TrpAggregates::Entry &entry = band.aggregates.entry(key, initialOf(index));
    entry.value = combined(index, entry.value, number);
    ++entry.rows;
    entry.counted = true;
}
