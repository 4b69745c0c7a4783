#include "report/expr/TrpDisplayFormat.h"

#include "base/DateTime.h"
#include "base/NumberFormat.h"

namespace {

// The decimal separator of a format is in force while its value is
// formatted; the engine's own comes back afterwards.
class SeparatorScope
{
public:
    explicit SeparatorScope(char separator) : m_saved(NumberFormat::decimalSeparator())
    {
        // A separator byte of 0 (a broken file) keeps the engine's own.
        if (separator != 0)
            NumberFormat::setDecimalSeparator(QChar(char16_t(quint8(separator))));
    }
    ~SeparatorScope() { NumberFormat::setDecimalSeparator(m_saved); }
    SeparatorScope(const SeparatorScope &) = delete;
    SeparatorScope &operator=(const SeparatorScope &) = delete;

private:
    QChar m_saved;
};

const char *const DateFormats[] = {"mm.dd.yy", "mm.dd.yyyy", "d mmm yyyy", "d mmmm yyyy"};
const char *const TimeFormats[] = {"hh:nn:ss", "h:nn:ss", "hh:nn", "h:nn"};
const char *const BooleanTexts[] = {"0;1", "No;Yes", "_;x", "False;True"};

bool isSeparator(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char('-') || c == QLatin1Char('.');
}

// Truth of a value as the Boolean formats see it.
bool truthOf(const Variant &value)
{
    switch (value.type()) {
    case Variant::Type::Boolean:
        return value.boolValue();
    case Variant::Type::String: {
        const QString text = value.stringValue().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        return value.toDouble().value_or(0) != 0;
    }
    default:
        return value.toDouble().value_or(0) != 0;
    }
}

} // namespace

qint32 TrpDisplayFormat::make(int kind, int subFormat, int decimals, char separator)
{
    return qint32((quint32(kind & 0x0F) << 24) | (quint32(subFormat & 0xFF) << 16) | (quint32(decimals & 0xFF) << 8) |
                  quint32(quint8(separator)));
}

TrpDisplayFormat TrpDisplayFormat::parse(const QString &source, qint32 objectFormat)
{
    QString text = source;
    if (text.isEmpty())
        return TrpDisplayFormat(make(Text, 0, 0, char(objectFormat & 0xFF)), {});
    if (text[0].isDigit())
        text.prepend(QLatin1Char('N'));
    const QChar first = text[0].toUpper();
    if (first == QLatin1Char('N')) {
        const bool digits = text.size() > 1 && text[1].isDigit();
        char separator = char(objectFormat & 0xFF);
        qsizetype at = -1;
        for (qsizetype i = text.size() - 1; i >= 1; --i) {
            if (isSeparator(text[i])) {
                at = i;
                break;
            }
        }
        int decimals = 0;
        if (at >= 0) {
            separator = char(text[at].unicode());
            text[at] = QLatin1Char('.');
            if (digits) {
                qsizetype end = at + 1;
                while (end < text.size() && text[end].isDigit() && end - at <= 3)
                    ++end;
                decimals = qMin(text.mid(at + 1, end - at - 1).toInt(), 255);
            }
        }
        if (digits)
            return TrpDisplayFormat(make(Number, 1, decimals, separator), {});
        return TrpDisplayFormat(make(Number, FromText, decimals, separator), text.mid(1));
    }
    if (first == QLatin1Char('D') || first == QLatin1Char('T'))
        return TrpDisplayFormat(make(Date, FromText, 0, char(objectFormat & 0xFF)), text.mid(1));
    if (first == QLatin1Char('B'))
        return TrpDisplayFormat(make(Boolean, FromText, 0, char(objectFormat & 0xFF)), text.mid(1));
    return TrpDisplayFormat(make(Text, 0, 0, char(objectFormat & 0xFF)), {});
}

QString TrpDisplayFormat::number(double value) const
{
    const SeparatorScope scope(separator());
    switch (subFormat()) {
    case 0:
        return NumberFormat::format(u"###.##", value);
    case 1:
        return NumberFormat::fixed(value, decimals());
    case 2:
        return NumberFormat::format(u"#,###.##", value);
    case 3:
        return NumberFormat::number(value, decimals());
    case FromText:
        return NumberFormat::format(m_text, value);
    default:
        return NumberFormat::floatToText(value);
    }
}

QString TrpDisplayFormat::apply(const Variant &value) const
{
    if (value.isEmpty() || value.isNull())
        return QStringLiteral(" ");
    const int sub = subFormat();
    switch (kind()) {
    case Number:
        if (const std::optional<double> number = value.toDouble())
            return this->number(*number);
        break;
    case Date:
    case Time:
        if (const std::optional<TDateTime> dateTime = value.toDateTime()) {
            if (sub == FromText)
                return DateTime::format(m_text, *dateTime);
            if (sub < 4) {
                const char *pattern = kind() == Date ? DateFormats[sub] : TimeFormats[sub];
                return DateTime::format(QString::fromLatin1(pattern), *dateTime);
            }
        }
        break;
    case Boolean: {
        const QString pair = sub == FromText ? m_text : sub < 4 ? QString::fromLatin1(BooleanTexts[sub]) : QString();
        if (pair.isEmpty())
            break;
        const qsizetype semicolon = pair.indexOf(QLatin1Char(';'));
        const QString falseText = semicolon < 0 ? pair : pair.left(semicolon);
        const QString trueText = semicolon < 0 ? QString() : pair.mid(semicolon + 1);
        return truthOf(value) ? trueText : falseText;
    }
    default:
        break;
    }
    return value.toText();
}
