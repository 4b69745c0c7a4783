#include "results/ResultsCsv.h"

#include "base/Clock.h"
#include "base/Sjis.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/TMainModule.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"
#include "results/CureResultStore.h"
#include "results/TCsv.h"
#include "scheduling/SlotEntryCheck.h"
#include "scheduling/SlotTime.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

constexpr qsizetype NameBytes = 36;
constexpr qsizetype CommentBytes = 20;

QString dateText(TDateTime value)
{
    return DateTime::format(u"yyyy/mm/dd", value);
}

// The number of the ASCII digits text[from, from + count), or -1.
int digits(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// "yyyy/mm/dd" and "hh:nn", as every line of the system's own export has
// them, read without the general parser; nullopt for any other text, which
// the general parser then reads.
std::optional<TDateTime> exportedDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'/' || text[7] != u'/')
        return std::nullopt;
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return DateTime::encodeDate(year, month, day);
}

std::optional<TDateTime> exportedTime(QStringView text)
{
    if (text.size() != 5 || text[2] != u':')
        return std::nullopt;
    const int hour = digits(text, 0, 2);
    const int minute = digits(text, 3, 2);
    if (hour < 0 || minute < 0 || hour > 23 || minute > 59)
        return std::nullopt;
    return DateTime::encodeTime(hour, minute);
}

// "hh:nn" (seconds allowed), or a date-time text: the time of day.
std::optional<TDateTime> parseTime(const QString &text)
{
    if (const auto time = exportedTime(text))
        return time;
    if (const auto dateTime = DateTime::parse(text))
        return DateTime::timeOf(*dateTime);
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    const int second = match.captured(3).toInt();
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return DateTime::encodeTime(hour, minute, second);
}

std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A value as a message shows it: a field of 600 KB would make a box
// taller than the screen.
QString shown(const QString &value)
{
    constexpr qsizetype Shown = 40;
    return value.size() <= Shown ? value : value.left(Shown) + QStringLiteral("…");
}

QString failed(QStringView what, const QString &field)
{
    return what.toString() + QStringLiteral("の変換に失敗しました。\n") + shown(field);
}

// A date of the file: a real date of 1900 to 2100 ("26/02/03" is the
// year 26, not 2026). The stored "none" (1899/12/30), as the export writes
// it, passes where a date may be missing.
std::optional<TDateTime> parseDate(const QString &text, bool noneAllowed)
{
    auto value = exportedDate(text);
    if (!value)
        value = DateTime::parse(text);
    if (!value)
        return std::nullopt;
    if (noneAllowed && DateTime::dateOf(*value) == DateTime::None)
        return value;
    const int year = DateTime::toDate(*value).year();
    if (year < 1900 || year > 2100)
        return std::nullopt;
    return value;
}

// A file that is not Shift-JIS: a byte-order mark, text that reads as
// UTF-8 with characters beyond ASCII, or bytes Shift-JIS has no character for.
bool isShiftJis(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (ascii)
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8(bytes);
    if (!utf8.hasError())
        return false;
    return !Sjis::decode(bytes).contains(QChar::ReplacementCharacter);
}

qsizetype fieldCount(const QByteArray &line)
{
    TCsv csv;
    csv.Line = line;
    csv.Split();
    return csv.Fields.size();
}

// Sjis::byteLength(text) <= limit without encoding a text whose length
// settles it: a character takes one or two bytes.
bool fitsBytes(QStringView text, qsizetype limit)
{
    if (text.size() * 2 <= limit)
        return true;
    return text.size() <= limit && Sjis::byteLength(text) <= limit;
}

// "分の変換に失敗しました。\nabc" of line 3 reads
// "分の変換に失敗しました。\n3行目: abc".
QString withLine(const QString &error, int lineNumber)
{
    const qsizetype end = error.indexOf(u'\n');
    const QString line = QStringLiteral("%1行目").arg(lineNumber);
    if (end < 0)
        return error + u'\n' + line;
    const QString rest = error.mid(end + 1);
    return error.left(end + 1) + line + (rest.isEmpty() ? QString() : QStringLiteral(": ") + rest);
}

const QString SizeError = QStringLiteral("\nサイズエラー");

} // namespace

const QStringList &ResultsCsv::headerNames()
{
    static const QStringList names{
        QStringLiteral("利用者番号"), QStringLiteral("氏名"),       QStringLiteral("カナ氏名"),
        QStringLiteral("生年月日"),   QStringLiteral("性別"),       QStringLiteral("自立区分"),
        QStringLiteral("認知区分"),   QStringLiteral("要介護区分"), QStringLiteral("入所日"),
        QStringLiteral("退所日"),     QStringLiteral("利用日"),     QStringLiteral("開始時間"),
        QStringLiteral("分"),         QStringLiteral("形態"),       QStringLiteral("区分"),
        QStringLiteral("備考"),       QStringLiteral("担当者")};
    return names;
}

QStringList ResultsCsv::exportValues(const CureResult &row)
{
    return {Text::zeroPadded(row.CureNo, 8),
            row.Name,
            row.Kana,
            dateText(row.Birth),
            CodeName(SexNames, row.Sex),
            CodeName(JiritsuNames, row.Jiritsu_KBN),
            CodeName(NinchiNames, row.Ninchi_KBN),
            CodeName(YoukaigoNames, row.YOUKAIGO_KBN),
            dateText(row.NYUSHOBI_YMD),
            dateText(row.TAISHOBI_YMD),
            dateText(row.CureDate),
            DateTime::format(u"hh:nn", row.RStartTime),
            QString::number(row.RMinute),
            CodeName(RihaTypeNames, row.RihaType),
            QString::number(row.KubunCode),
            Sjis::cut(row.Comment, CommentBytes),
            row.StuffName};
}

CsvWriter ResultsCsv::writer()
{
    return {CsvWriter::Quoting::EveryField, CsvWriter::LineBreaks::Blanked};
}

ResultsCsv::Outcome ResultsCsv::exportMonth(TDateTime from, TDateTime to, const QString &fileName) const
{
    DbDataSet rows;
    DbQuery query(m_context.database,
                  QStringLiteral("SELECT * FROM CureResults WHERE CureDate >= :PFromDate AND "
                                 "CureDate < :PToDate ORDER BY CureNo, CureDate, RStartTime, ResultNo"));
    query.bind(u"PFromDate", DbDate{from}).bind(u"PToDate", DbDate{to});
    if (!rows.open(query))
        return {false, MessageType::Error, QStringLiteral("データの抽出に失敗しました。")};
    if (rows.isEmpty())
        return {false, MessageType::Warning, QStringLiteral("条件に該当するデータがありません。")};

    std::vector<QStringList> lines;
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next())
        lines.push_back(exportValues(CureResult::fromRow(rows)));
    qsizetype unmapped = 0;
    if (const QString failure =
            writer().write(fileName, CsvWriter::headedParts(headerNames(), std::move(lines)), &unmapped);
        !failure.isEmpty())
        return {false, MessageType::Error, failure};
    if (unmapped > 0)
        return {true, MessageType::Warning,
                QStringLiteral("エクスポートを完了しました。\nShift-JISにない文字%1個を「?」で書き出しました。")
                    .arg(unmapped)};
    return {true, MessageType::Information, QStringLiteral("エクスポートを完了しました。")};
}

std::optional<QStringList> ResultsCsv::importFields(const QByteArray &line)
{
    TCsv csv;
    csv.Line = line;
    csv.Split();
    csv.StripQuotes();
    if (csv.Fields.size() != ColumnCount)
        return std::nullopt;
    QStringList fields;
    fields.reserve(ColumnCount);
    for (const QByteArray &field : std::as_const(csv.Fields))
        fields.append(Sjis::decode(field.contains("\"\"") ? QByteArray(field).replace("\"\"", "\"") : field));
    return fields;
}

ResultsCsv::Converted ResultsCsv::convert(const QStringList &f, TDateTime now) const
{
    CureResult row;
    const auto cureNo = parseInteger(f[0]);
    if (!cureNo)
        return {{}, failed(u"治療番号", f[0])};
    row.CureNo = *cureNo;
    if (!fitsBytes(f[1], NameBytes))
        return {{}, QStringLiteral("氏名の変換に失敗しました。") + SizeError};
    row.Name = f[1];
    if (!fitsBytes(f[2], NameBytes))
        return {{}, QStringLiteral("かな氏名の変換に失敗しました。") + SizeError};
    row.Kana = f[2];
    const auto birth = parseDate(f[3], true);
    if (!birth)
        return {{}, failed(u"生年月日", f[3])};
    row.Birth = *birth;
    if (f[4].startsWith(u'男'))
        row.Sex = 0;
    else if (f[4].startsWith(u'女'))
        row.Sex = 1;
    else
        return {{}, QStringLiteral("性別の変換に失敗しました。")};
    // An empty degree is one the register does not hold (-1): the export
    // writes it so.
    const auto degree = [](QStringView text, int (*indexOf)(QStringView)) -> std::optional<int> {
        if (text.isEmpty())
            return -1;
        const int index = indexOf(text);
        return index < 0 ? std::nullopt : std::optional<int>(index);
    };
    const auto jiritsu = degree(f[5], IndexOfJiritsuName);
    if (!jiritsu)
        return {{}, QStringLiteral("自立区分の変換に失敗しました。")};
    row.Jiritsu_KBN = *jiritsu;
    const auto ninchi = degree(f[6], IndexOfNinchiName);
    if (!ninchi)
        return {{}, failed(u"認知区分", f[6])};
    row.Ninchi_KBN = *ninchi;
    const auto youkaigo = degree(f[7], IndexOfYoukaigoName);
    if (!youkaigo)
        return {{}, failed(u"要介護区分", f[7])};
    row.YOUKAIGO_KBN = *youkaigo;
    const auto admission = parseDate(f[8], true);
    if (!admission)
        return {{}, failed(u"入所日", f[8])};
    row.NYUSHOBI_YMD = *admission;
    const auto discharge = parseDate(f[9], true);
    if (!discharge)
        return {{}, failed(u"退所日", f[9])};
    row.TAISHOBI_YMD = *discharge;
    const auto cureDate = parseDate(f[10], false);
    if (!cureDate)
        return {{}, failed(u"利用日", f[10])};
    row.CureDate = DateTime::dateOf(*cureDate);
    const auto start = parseTime(f[11]);
    if (!start)
        return {{}, failed(u"開始時間", f[11])};
    row.RStartTime = *start;
    const auto minutes = parseInteger(f[12]);
    // 0 is a session booked but not given.
    if (!minutes || *minutes < 0 || *minutes > SlotEntryCheck::MaxMinutes)
        return {{}, failed(u"分", f[12])};
    row.RMinute = *minutes;
    static constexpr std::array<QStringView, 4> typeHeads{u"入所", u"短期", u"通所", u"訪問"};
    row.RihaType = -1;
    for (int i = 0; i < int(typeHeads.size()); ++i) {
        if (f[13].startsWith(typeHeads[size_t(i)]))
            row.RihaType = i;
    }
    if (row.RihaType < 0)
        return {{}, QStringLiteral("リハビリ形態の変換に失敗しました。")};
    const auto kubun = parseInteger(f[14]);
    if (!kubun)
        return {{}, failed(u"区分", f[14])};
    if (*kubun < 0 || *kubun > 15)
        return {{}, QStringLiteral("区分コードにエラーがあります。\n") + shown(f[14])};
    row.KubunCode = *kubun;
    if (!fitsBytes(f[15], CommentBytes))
        return {{}, QStringLiteral("コメントの変換に失敗しました。") + SizeError};
    row.Comment = f[15];
    // A day added by hand has no therapist (-1) until one is chosen, and is
    // exported with an empty name.
    const QString staff = Sjis::trim(f[16]);
    row.StuffCode = staff.isEmpty() ? -1 : m_context.mainModule.StaffCodeOfName(staff);
    if (row.StuffCode < 0 && !staff.isEmpty())
        return {{}, QStringLiteral("未登録スタッフエラーです。\n") + shown(staff)};
    row.StuffName = m_context.mainModule.GetStaffName(row.StuffCode);
    row.StuffKigo = m_context.mainModule.GetStaffKigo(row.StuffCode);
    row.ReserveNo = -1;
    row.PStartTime = DateTime::timeOf(now);
    row.PMinute = 0;
    row.deriveFlags();
    row.KubunDate = now;
    row.HP_TAISHO_YMD = DateTime::None;
    row.LoginCD = m_context.mainModule.LoginStaffCode;
    row.LoginName = m_context.mainModule.LoginStaffName;
    row.UpdateDate = now;
    return {row, {}};
}

std::pair<std::vector<CureResult>, QString> ResultsCsv::convertAll(const QByteArray &bytes) const
{
    if (!isShiftJis(bytes))
        return {{},
                QStringLiteral("インポートファイルがShift-JIS（CP932）ではありません。\nShift-"
                               "JISで保存したCSVファイルを指定して下さい。")};
    // One time for every row of the file.
    const TDateTime now = Clock::now();
    std::vector<CureResult> rows;
    const QList<QByteArray> lines = bytes.split('\n');
    bool first = true;
    int lineNumber = 0;
    for (QByteArray line : lines) {
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const auto fields = importFields(line);
        if (!fields) {
            return {{},
                    QStringLiteral("インポートファイルの項目が一致しません。\n%1行目: %2項目（%3項目が必要です）")
                        .arg(lineNumber)
                        .arg(fieldCount(line))
                        .arg(ColumnCount)};
        }
        const bool header = first && *fields == headerNames();
        first = false;
        if (header)
            continue;
        Converted converted = convert(*fields, now);
        if (!converted.row)
            return {{}, withLine(converted.error, lineNumber)};
        rows.push_back(std::move(*converted.row));
    }
    return {std::move(rows), {}};
}

int ResultsCsv::storedCount(const std::vector<CureResult> &rows) const
{
    if (rows.empty())
        return 0;
    const auto [first, last] = std::minmax_element(
        rows.begin(), rows.end(), [](const CureResult &a, const CureResult &b) { return a.CureDate < b.CureDate; });
    DbQuery query(m_context.database,
                  QStringLiteral("SELECT CureNo, CureDate, RStartTime, StuffCode, RihaType, RMinute FROM CureResults "
                                 "WHERE CureDate >= :PFromDate AND CureDate < :PToDate"));
    query.bind(u"PFromDate", DbDate{DateTime::dateOf(first->CureDate)})
        .bind(u"PToDate", DbDate{DateTime::dateOf(last->CureDate) + 1});
    DbDataSet stored;
    if (!stored.open(query))
        return -1;
    using Key = std::tuple<int, int, int, int, int, int>;
    const auto key = [](int cureNo, TDateTime day, TDateTime start, int staff, int type, int minutes) {
        return Key{cureNo, SlotTime::dayNumber(day), SlotTime::minuteOfDay(start), staff, type, minutes};
    };
    std::set<Key> keys;
    // The rows are held whole, not paged: a move cannot fail.
    for (stored.first(); !stored.eof(); (void)stored.next()) {
        // By position, in the order of the statement: a month holds thousands.
        keys.insert(key(stored.field(0).asInteger(), stored.field(1).asDateTime(), stored.field(2).asDateTime(),
                        stored.field(3).asInteger(), stored.field(4).asInteger(), stored.field(5).asInteger()));
    }
    return int(std::count_if(rows.begin(), rows.end(), [&](const CureResult &row) {
        return keys.contains(key(row.CureNo, row.CureDate, row.RStartTime, row.StuffCode, row.RihaType, row.RMinute));
    }));
}

ResultsCsv::Outcome ResultsCsv::importFile(const QString &fileName, const MessageAsker &ask) const
{
    if (!QFileInfo::exists(fileName))
        return {false, MessageType::Error, QStringLiteral("インポートファイルが見つかりません。")};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {false, MessageType::Error, QStringLiteral("インポートファイルをオープンできません。")};
    const auto [rows, error] = convertAll(file.readAll());
    if (!error.isEmpty())
        return {false, MessageType::Error, error};
    if (rows.empty())
        return {false, MessageType::Warning, QStringLiteral("インポートファイルに実績がありません。")};
    // A file imported twice would double its month. The rows are counted
    // again under the table's lock: when another import added some since
    // the user agreed, the user is asked again with the new count.
    int accepted = 0;
    for (;;) {
        DbTransaction transaction(m_context.database, true);
        if (!transaction.isActive() || !m_context.database.lockTableForWriting(QStringLiteral("CureResults")))
            return {false, MessageType::Error, QStringLiteral("結果テーブルをオープンできません。")};
        const int stored = storedCount(rows);
        if (stored < 0)
            return {false, MessageType::Error, QStringLiteral("*** System Error 結果テーブル サーチエラー")};
        if (stored <= accepted) {
            CureResultStore store(m_context.database);
            if (!store.insert(rows) || !transaction.commit())
                return {false, MessageType::Error, QStringLiteral("*** System Error 結果テーブル（追加）")};
            break;
        }
        // No lock is held while the question is open.
        transaction.rollback();
        if (ask({MessageType::Confirmation,
                 QStringLiteral("インポートファイルの%1件中%2件は登録済みの実績と同じです。\n"
                                "このままインポートしますか？")
                     .arg(rows.size())
                     .arg(stored),
                 MessageButtons::YesNoDefaultNo}) != MessageAnswer::Yes)
            return {false, MessageType::Information, QStringLiteral("インポートを中止しました。")};
        accepted = stored;
    }
    return {true, MessageType::Information, QStringLiteral("インポートしました。")};
}
