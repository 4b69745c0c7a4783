#include "printing/ToukeiCsv.h"

#include "core/CodeTables.h"
#include "core/TKubun.h"
#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "printing/ListCsvFile.h"

namespace ToukeiCsv {

namespace {

QString dayText(TDateTime value)
{
    return value == DateTime::None ? QString() : DateTime::format(u"yyyymmdd", value);
}

} // namespace

QStringList header()
{
    return {QStringLiteral("利用日"), QStringLiteral("利用者番号"), QStringLiteral("氏名"),
            QStringLiteral("カナ"),   QStringLiteral("リハ形態"),   QStringLiteral("区分"),
            QStringLiteral("入力者"), QStringLiteral("更新日")};
}

std::optional<std::vector<QStringList>> rows(DbConnection &database, TDateTime from, TDateTime to)
{
    DbQuery query(database, QStringLiteral("SELECT CureDate, CureNo, Name, Kana, RihaType, KubunCode, LoginName, "
                                           "UpdateDate FROM CureResults WHERE CureDate >= :PFrom AND CureDate < :PTo "
                                           "ORDER BY CureDate, CureNo, RStartTime, ResultNo"));
    query.bind(u"PFrom", DbDate{from}).bind(u"PTo", DbDate{to});
    DbDataSet data;
    if (!data.open(query))
        return std::nullopt;
    std::vector<QStringList> lines;
    TKubun kubun;
    // The rows are held whole, not paged: a move cannot fail.
    for (data.first(); !data.eof(); (void)data.next()) {
        kubun.SetCode(data.field(u"KubunCode").asInteger());
        lines.push_back({dayText(data.field(u"CureDate").asDateTime()),
                         Text::zeroPadded(data.field(u"CureNo").asInteger(), 8), data.field(u"Name").asString(),
                         data.field(u"Kana").asString(), CodeName(RihaTypeNames, data.field(u"RihaType").asInteger()),
                         kubun.LongText(), data.field(u"LoginName").asString(),
                         dayText(data.field(u"UpdateDate").asDateTime())});
    }
    return lines;
}

bool write(DbConnection &database, const QString &path, TDateTime from, TDateTime to, const MessageAsker &ask,
           std::vector<UserMessage> &told)
{
    const auto file = ListCsvFile::target(path, told);
    if (!file)
        return false;
    if (!CsvWriter::confirmOverwrite(*file, MessageButtons::YesNo, ask))
        return true;
    const auto lines = rows(database, from, to);
    if (!lines) {
        told.push_back({MessageType::Error, QStringLiteral("データの抽出に失敗しました。"), MessageButtons::Yes});
        return false;
    }
    if (lines->empty()) {
        // Nothing to write is told, not a failure.
        told.push_back(
            {MessageType::Information, QStringLiteral("条件に該当するデータがありません。"), MessageButtons::Yes});
        return true;
    }
    return ListCsvFile::write(*file, header(), *lines, told);
}

} // namespace ToukeiCsv
