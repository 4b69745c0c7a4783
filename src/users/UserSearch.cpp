#include "users/UserSearch.h"

#include "base/Sjis.h"
#include "platform/DbConnection.h"
#include "platform/DbPagedQuery.h"
#include "platform/DbQuery.h"
#include "users/UsersLog.h"

Q_LOGGING_CATEGORY(lcUsers, "tamsolen.users", QtWarningMsg)

namespace {

// The columns the search reads: the record's fields up to Disease6. The
// wish columns are left out, since a user handed over carries no wishes.
const QString Select = QStringLiteral(
    "SELECT CureNo, Name, Kana, Sex, Birth, YoubinNo, Address, TelNo, FaxNo, EMail, distinctive, HinorikuUserNo, "
    "RihaType, KubunCode, KubunDate, ROOM_NO, Jiritsu_KBN, Ninchi_KBN, YOUKAIGO_KBN, HP_TAISHO_YMD, NYUSHOBI_YMD, "
    "TAISHOBI_YMD, Disease1, Disease2, Disease3, Disease4, Disease5, Disease6 FROM Person ");

// The rows of a search read at once: more than the grid shows, the rest as
// it is scrolled.
constexpr int FirstPage = 100;

// Both databases take "\" as the escape character of LIKE once it is named.
const QString LikeEscape = QStringLiteral(" ESCAPE '\\'");

// The LIKE pattern of a prefix: the prefix matched literally, then anything.
QString prefixPattern(QStringView prefix)
{
    QString pattern;
    pattern.reserve(prefix.size() + 1);
    for (const QChar c : prefix) {
        if (c == u'\\' || c == u'%' || c == u'_')
            pattern += u'\\';
        pattern += c;
    }
    pattern += u'%';
    return pattern;
}

struct InputLimit
{
    qsizetype maxBytes;
    QStringView empty;
    QStringView tooLong;
};

InputLimit limitOf(UserSearch::Input input)
{
    static constexpr QStringView NumberEmpty = u"入力が必要です。\n半角10文字以内で入力してください。";
    static constexpr QStringView NumberTooLong =
        u"入力文字数がオーバーしています。\n半角10文字以内で入力してください。";
    switch (input) {
    case UserSearch::Input::CureNo:
    case UserSearch::Input::Hinoriku:
        return {10, NumberEmpty, NumberTooLong};
    case UserSearch::Input::Name:
        return {20, u"氏名の入力が必要です。\n半角20文字・全角10文字以内で入力してください。",
                u"氏名の入力文字数がオーバーしています。\n半角20文字・全角10文字以内で入力してください。"};
    case UserSearch::Input::Kana:
        return {20, u"カナの入力が必要です。\n半角20文字以内で入力してください。",
                u"カナの入力文字数がオーバーしています。\n半角20文字以内で入力してください。"};
    }
    return {0, {}, {}};
}

bool isTextColumn(QStringView column)
{
    return column == u"Name" || column == u"Kana" || column == u"Address";
}

} // namespace

UserSearch::UserSearch(DbConnection &database) : m_database(database) {}

QString UserSearch::checkInput(Input input, QStringView text)
{
    const InputLimit limit = limitOf(input);
    const qsizetype bytes = Sjis::byteLength(text);
    if (bytes == 0)
        return limit.empty.toString();
    if (bytes > limit.maxBytes)
        return limit.tooLong.toString();
    return {};
}

QStringView UserSearch::rowLetters(KanaRow row)
{
    switch (row) {
    case KanaRow::A:
        return u"ｱｲｳｴｵ";
    case KanaRow::Ka:
        return u"ｶｷｸｹｺ";
    case KanaRow::Sa:
        return u"ｻｼｽｾｿ";
    case KanaRow::Ta:
        return u"ﾀﾁﾂﾃﾄ";
    case KanaRow::Na:
        return u"ﾅﾆﾇﾈﾉ";
    case KanaRow::Ha:
        return u"ﾊﾋﾌﾍﾎ";
    case KanaRow::Ma:
        return u"ﾏﾐﾑﾒﾓ";
    case KanaRow::Ya:
        return u"ﾔﾕﾖ";
    case KanaRow::Ra:
        return u"ﾗﾘﾙﾚﾛ";
    case KanaRow::Wa:
        return u"ﾜ";
    }
    return {};
}

DbDataSet::Filter UserSearch::kanaRowFilter(KanaRow row, const QString &field)
{
    return [letters = rowLetters(row).toString(), field](const DbRecord &record) {
        const QString kana = record.value(field).asString();
        return !kana.isEmpty() && letters.contains(kana.front());
    };
}

bool UserSearch::opened(bool succeeded) const
{
    if (succeeded)
        return true;
    qCWarning(lcUsers) << "user search failed:" << UserSearchQuery.errorText();
    return false;
}

QString UserSearch::orderTerm(QStringView column) const
{
    QString term = column.toString();
    if (m_database.kind() == DbKind::PostgreSQL && isTextColumn(column))
        term += QStringLiteral(" COLLATE \"C\"");
    return term;
}

bool UserSearch::searchCureNo(QStringView text)
{
    close();
    bool isNumber = false;
    const int cureNo = text.trimmed().toInt(&isNumber);
    if (!isNumber)
        return true;
    DbQuery query(m_database, Select + QStringLiteral("WHERE CureNo = :cureNo ORDER BY CureNo"));
    query.bind(u"cureNo", cureNo);
    return opened(UserSearchQuery.open(query));
}

bool UserSearch::searchPrefix(QStringView column, QStringView prefix)
{
    close();
    DbPagedQuery query(m_database, Select, QStringLiteral("%1 LIKE :prefix").arg(column) + LikeEscape);
    query.bind(u"prefix", prefixPattern(prefix)).addKey(QStringLiteral("CureNo")).setFirstPageSize(FirstPage);
    return opened(UserSearchQuery.open(query));
}

bool UserSearch::searchName(QStringView prefix)
{
    return searchPrefix(u"Name", prefix);
}

bool UserSearch::searchKana(QStringView prefix)
{
    return searchPrefix(u"Kana", prefix);
}

bool UserSearch::searchHinoriku(QStringView prefix)
{
    // The number column is compared as text, which PostgreSQL's LIKE needs.
    return searchPrefix(u"CAST(HinorikuUserNo AS TEXT)", prefix);
}

bool UserSearch::searchKanaRow(KanaRow row)
{
    close();
    // The letters of a row follow one another in the code table, so the
    // names beginning with one of them form a range in character-code
    // order, which the kana index serves.
    const QStringView letters = rowLetters(row);
    const QString kana = orderTerm(u"Kana");
    DbPagedQuery query(m_database, Select, QStringLiteral("%1 >= :first AND %1 < :after").arg(kana));
    query.bind(u"first", letters.first(1).toString());
    query.bind(u"after", QString(QChar(letters.back().unicode() + 1)));
    query.addKey(QStringLiteral("Kana"), kana).addKey(QStringLiteral("CureNo")).setFirstPageSize(FirstPage);
    return opened(UserSearchQuery.open(query));
}

bool UserSearch::showAll()
{
    close();
    DbPagedQuery query(m_database, Select);
    query.addKey(QStringLiteral("CureNo")).setFirstPageSize(FirstPage);
    return opened(UserSearchQuery.open(query));
}

bool UserSearch::sortByColumn(int column)
{
    close();
    if (column < 0 || column >= ColumnCount)
        return false;
    const QStringView field = Columns[size_t(column)].field;
    QString order =
        orderTerm(field) + (SortDescending[size_t(column)] ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    // Equal values keep user-number order on both databases.
    if (field != u"CureNo")
        order += QStringLiteral(", CureNo");
    SortDescending[size_t(column)] = !SortDescending[size_t(column)];
    return opened(UserSearchQuery.open(DbQuery(m_database, Select + QStringLiteral("ORDER BY ") + order)));
}
