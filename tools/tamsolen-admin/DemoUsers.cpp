#include "DemoUsers.h"

#include "base/Clock.h"
#include "platform/DbConnection.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "platform/DbTransaction.h"

#include <QStringList>

#include <array>
#include <random>

namespace {

struct NamePart
{
    const char16_t *kanji;
    const char16_t *kana;
};

// Common family names, with a few rarer ones so that every kana row and the
// voiced letters have users.
constexpr NamePart FamilyNames[] = {
    {u"佐藤", u"ｻﾄｳ"},   {u"鈴木", u"ｽｽﾞｷ"},  {u"高橋", u"ﾀｶﾊｼ"},    {u"田中", u"ﾀﾅｶ"},    {u"伊藤", u"ｲﾄｳ"},
    {u"渡辺", u"ﾜﾀﾅﾍﾞ"}, {u"山本", u"ﾔﾏﾓﾄ"},  {u"中村", u"ﾅｶﾑﾗ"},    {u"小林", u"ｺﾊﾞﾔｼ"},  {u"加藤", u"ｶﾄｳ"},
    {u"吉田", u"ﾖｼﾀﾞ"},  {u"山田", u"ﾔﾏﾀﾞ"},  {u"佐々木", u"ｻｻｷ"},   {u"山口", u"ﾔﾏｸﾞﾁ"},  {u"松本", u"ﾏﾂﾓﾄ"},
    {u"井上", u"ｲﾉｳｴ"},  {u"木村", u"ｷﾑﾗ"},   {u"林", u"ﾊﾔｼ"},       {u"斎藤", u"ｻｲﾄｳ"},   {u"清水", u"ｼﾐｽﾞ"},
    {u"山崎", u"ﾔﾏｻﾞｷ"}, {u"森", u"ﾓﾘ"},      {u"池田", u"ｲｹﾀﾞ"},    {u"橋本", u"ﾊｼﾓﾄ"},   {u"阿部", u"ｱﾍﾞ"},
    {u"石川", u"ｲｼｶﾜ"},  {u"山下", u"ﾔﾏｼﾀ"},  {u"中島", u"ﾅｶｼﾞﾏ"},   {u"石井", u"ｲｼｲ"},    {u"小川", u"ｵｶﾞﾜ"},
    {u"前田", u"ﾏｴﾀﾞ"},  {u"岡田", u"ｵｶﾀﾞ"},  {u"長谷川", u"ﾊｾｶﾞﾜ"}, {u"藤田", u"ﾌｼﾞﾀ"},   {u"後藤", u"ｺﾞﾄｳ"},
    {u"近藤", u"ｺﾝﾄﾞｳ"}, {u"村上", u"ﾑﾗｶﾐ"},  {u"遠藤", u"ｴﾝﾄﾞｳ"},   {u"青木", u"ｱｵｷ"},    {u"坂本", u"ｻｶﾓﾄ"},
    {u"福田", u"ﾌｸﾀﾞ"},  {u"太田", u"ｵｵﾀ"},   {u"西村", u"ﾆｼﾑﾗ"},    {u"藤井", u"ﾌｼﾞｲ"},   {u"金子", u"ｶﾈｺ"},
    {u"岡本", u"ｵｶﾓﾄ"},  {u"藤原", u"ﾌｼﾞﾜﾗ"}, {u"中野", u"ﾅｶﾉ"},     {u"三浦", u"ﾐｳﾗ"},    {u"原田", u"ﾊﾗﾀﾞ"},
    {u"中川", u"ﾅｶｶﾞﾜ"}, {u"松田", u"ﾏﾂﾀﾞ"},  {u"竹内", u"ﾀｹｳﾁ"},    {u"小野", u"ｵﾉ"},     {u"田村", u"ﾀﾑﾗ"},
    {u"和田", u"ﾜﾀﾞ"},   {u"石田", u"ｲｼﾀﾞ"},  {u"上田", u"ｳｴﾀﾞ"},    {u"内田", u"ｳﾁﾀﾞ"},   {u"柴田", u"ｼﾊﾞﾀ"},
    {u"酒井", u"ｻｶｲ"},   {u"宮崎", u"ﾐﾔｻﾞｷ"}, {u"横山", u"ﾖｺﾔﾏ"},    {u"高木", u"ﾀｶｷﾞ"},   {u"安藤", u"ｱﾝﾄﾞｳ"},
    {u"大野", u"ｵｵﾉ"},   {u"工藤", u"ｸﾄﾞｳ"},  {u"野口", u"ﾉｸﾞﾁ"},    {u"菅原", u"ｽｶﾞﾜﾗ"},  {u"久保", u"ｸﾎﾞ"},
    {u"千葉", u"ﾁﾊﾞ"},   {u"桜井", u"ｻｸﾗｲ"},  {u"野村", u"ﾉﾑﾗ"},     {u"菊地", u"ｷｸﾁ"},    {u"木下", u"ｷﾉｼﾀ"},
    {u"平野", u"ﾋﾗﾉ"},   {u"杉山", u"ｽｷﾞﾔﾏ"}, {u"堀", u"ﾎﾘ"},        {u"増田", u"ﾏｽﾀﾞ"},   {u"武田", u"ﾀｹﾀﾞ"},
    {u"新井", u"ｱﾗｲ"},   {u"矢野", u"ﾔﾉ"},    {u"若林", u"ﾜｶﾊﾞﾔｼ"},  {u"根本", u"ﾈﾓﾄ"},    {u"本田", u"ﾎﾝﾀﾞ"},
    {u"水野", u"ﾐｽﾞﾉ"},  {u"目黒", u"ﾒｸﾞﾛ"},  {u"沼田", u"ﾇﾏﾀ"},     {u"湯川", u"ﾕｶﾜ"},    {u"辺見", u"ﾍﾝﾐ"},
    {u"関", u"ｾｷ"},      {u"相馬", u"ｿｳﾏ"},   {u"剣持", u"ｹﾝﾓﾁ"},    {u"寺田", u"ﾃﾗﾀﾞ"},   {u"土屋", u"ﾂﾁﾔ"},
    {u"富田", u"ﾄﾐﾀ"},   {u"李", u"ﾘ"},       {u"六角", u"ﾛｯｶｸ"},    {u"竜崎", u"ﾘｭｳｻﾞｷ"}, {u"留守", u"ﾙｽ"},
    {u"冷泉", u"ﾚｲｾﾞｲ"}, {u"村田", u"ﾑﾗﾀ"},   {u"北村", u"ｷﾀﾑﾗ"},    {u"荒木", u"ｱﾗｷ"},    {u"八木", u"ﾔｷﾞ"}};

constexpr NamePart MaleNames[] = {
    {u"清", u"ｷﾖｼ"},     {u"茂", u"ｼｹﾞﾙ"},   {u"実", u"ﾐﾉﾙ"},    {u"勇", u"ｲｻﾑ"},        {u"進", u"ｽｽﾑ"},
    {u"博", u"ﾋﾛｼ"},     {u"正", u"ﾀﾀﾞｼ"},   {u"勝", u"ﾏｻﾙ"},    {u"武", u"ﾀｹｼ"},        {u"三郎", u"ｻﾌﾞﾛｳ"},
    {u"一郎", u"ｲﾁﾛｳ"},  {u"正雄", u"ﾏｻｵ"},  {u"和夫", u"ｶｽﾞｵ"}, {u"昭", u"ｱｷﾗ"},        {u"隆", u"ﾀｶｼ"},
    {u"修", u"ｵｻﾑ"},     {u"健一", u"ｹﾝｲﾁ"}, {u"義雄", u"ﾖｼｵ"},  {u"幸雄", u"ﾕｷｵ"},      {u"秀夫", u"ﾋﾃﾞｵ"},
    {u"良一", u"ﾘｮｳｲﾁ"}, {u"敏夫", u"ﾄｼｵ"},  {u"功", u"ｲｻｵ"},    {u"昇", u"ﾉﾎﾞﾙ"},       {u"徹", u"ﾄｵﾙ"},
    {u"豊", u"ﾕﾀｶ"},     {u"満", u"ﾐﾂﾙ"},    {u"信夫", u"ﾉﾌﾞｵ"}, {u"源太郎", u"ｹﾞﾝﾀﾛｳ"}, {u"善吉", u"ｾﾞﾝｷﾁ"}};

constexpr NamePart FemaleNames[] = {
    {u"和子", u"ｶｽﾞｺ"}, {u"幸子", u"ｻﾁｺ"},   {u"節子", u"ｾﾂｺ"},  {u"洋子", u"ﾖｳｺ"}, {u"京子", u"ｷｮｳｺ"},
    {u"弘子", u"ﾋﾛｺ"},  {u"美代子", u"ﾐﾖｺ"}, {u"久子", u"ﾋｻｺ"},  {u"恵子", u"ｹｲｺ"}, {u"文子", u"ﾌﾐｺ"},
    {u"静子", u"ｼｽﾞｺ"}, {u"千代子", u"ﾁﾖｺ"}, {u"花子", u"ﾊﾅｺ"},  {u"ハル", u"ﾊﾙ"},  {u"キヨ", u"ｷﾖ"},
    {u"トミ", u"ﾄﾐ"},   {u"正子", u"ﾏｻｺ"},   {u"信子", u"ﾉﾌﾞｺ"}, {u"光子", u"ﾐﾂｺ"}, {u"照子", u"ﾃﾙｺ"},
    {u"春子", u"ﾊﾙｺ"},  {u"和江", u"ｶｽﾞｴ"},  {u"芳子", u"ﾖｼｺ"},  {u"澄子", u"ｽﾐｺ"}, {u"栄子", u"ｴｲｺ"},
    {u"悦子", u"ｴﾂｺ"},  {u"道子", u"ﾐﾁｺ"},   {u"君子", u"ｷﾐｺ"},  {u"ゑい", u"ｴｲ"},  {u"ぎん", u"ｷﾞﾝ"}};

constexpr const char16_t *Towns[] = {
    u"東京都八王子市元本郷町", u"東京都日野市多摩平", u"東京都立川市錦町",           u"東京都府中市宮西町",
    u"東京都町田市原町田",     u"東京都調布市小島町", u"東京都多摩市関戸",           u"東京都国立市中",
    u"東京都昭島市田中町",     u"東京都青梅市東青梅", u"神奈川県相模原市中央区中央", u"埼玉県所沢市東町"};

constexpr const char16_t *Diseases[] = {
    u"脳梗塞後遺症",     u"脳出血後遺症",           u"大腿骨頸部骨折", u"変形性膝関節症", u"パーキンソン病",
    u"腰部脊柱管狭窄症", u"アルツハイマー型認知症", u"廃用症候群",     u"糖尿病",         u"高血圧症",
    u"慢性心不全",       u"慢性閉塞性肺疾患",       u"関節リウマチ",   u"頸椎症性脊髄症", u"圧迫骨折"};

constexpr const char16_t *Remarks[] = {u"",           u"",         u"",         u"車椅子使用", u"杖歩行",
                                       u"歩行器使用", u"右片麻痺", u"左片麻痺", u"難聴あり",   u"嚥下注意"};

// The categories each rehabilitation type offers (短期集中 1, 認知症 2,
// 集団 4, 個別 8): 入所, 短期入所 and 通所リハビリ all four, 訪問リハビリ
// the first two.
constexpr std::array<int, 4> CategoryMask{15, 15, 15, 3};

constexpr int RowsPerStatement = 20;

const QStringList Columns{
    QStringLiteral("Name"),          QStringLiteral("Kana"),           QStringLiteral("Sex"),
    QStringLiteral("Birth"),         QStringLiteral("YoubinNo"),       QStringLiteral("Address"),
    QStringLiteral("TelNo"),         QStringLiteral("FaxNo"),          QStringLiteral("EMail"),
    QStringLiteral("distinctive"),   QStringLiteral("HinorikuUserNo"), QStringLiteral("RihaType"),
    QStringLiteral("KubunCode"),     QStringLiteral("KubunDate"),      QStringLiteral("ROOM_NO"),
    QStringLiteral("Jiritsu_KBN"),   QStringLiteral("Ninchi_KBN"),     QStringLiteral("YOUKAIGO_KBN"),
    QStringLiteral("HP_TAISHO_YMD"), QStringLiteral("NYUSHOBI_YMD"),   QStringLiteral("TAISHOBI_YMD"),
    QStringLiteral("Disease1"),      QStringLiteral("Disease2"),       QStringLiteral("Disease3"),
    QStringLiteral("Disease4"),      QStringLiteral("Disease5"),       QStringLiteral("Disease6"),
    QStringLiteral("Reserve01"),     QStringLiteral("Reserve02"),      QStringLiteral("Reserve03"),
    QStringLiteral("Reserve04"),     QStringLiteral("Reserve05"),      QStringLiteral("Reserve06"),
    QStringLiteral("Reserve07"),     QStringLiteral("Funn01"),         QStringLiteral("Funn02"),
    QStringLiteral("Funn03"),        QStringLiteral("Funn04"),         QStringLiteral("Funn05"),
    QStringLiteral("Funn06"),        QStringLiteral("Funn07")};

// INSERT INTO Person of `rows` rows, all values as positional parameters.
QString insertStatement(int rows)
{
    const QString row =
        QStringLiteral("(") + QStringList(Columns.size(), QStringLiteral("?")).join(u',') + QStringLiteral(")");
    return QStringLiteral("INSERT INTO Person (") + Columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES ") +
           QStringList(rows, row).join(QStringLiteral(", "));
}

class Generator
{
public:
    explicit Generator(TDateTime today) : m_today(today) {}

    // Binds the values of the next user, in the order of Columns.
    void bindNext(DbQuery &query, int index)
    {
        const NamePart &family = pick(FamilyNames);
        const int sex = index % 5 < 3 ? 1 : 0; // more women than men, as in care
        const NamePart &given = sex == 1 ? pick(FemaleNames) : pick(MaleNames);
        const int rihaType = index % 4;
        // Every category on its own first, then any combination the type offers.
        const int single = 1 << ((index / 4) % 4);
        int categories = (index < 16 ? single : number(1, 15)) & CategoryMask[size_t(rihaType)];
        if (categories == 0)
            categories = 1;
        const TDateTime admitted = m_today - number(0, 3 * 365);
        const bool discharged = number(0, 5) == 0;
        const TDateTime discharge = discharged ? std::min(m_today, admitted + number(14, 400)) : DateTime::None;
        const TDateTime hospitalDischarge = number(0, 2) == 0 ? admitted - number(1, 60) : DateTime::None;

        query.addBind(QString::fromUtf16(family.kanji) + u' ' + QString::fromUtf16(given.kanji));
        query.addBind(QString::fromUtf16(family.kana) + u' ' + QString::fromUtf16(given.kana));
        query.addBind(sex);
        query.addBind(date(DateTime::encodeDate(number(1920, 1955), number(1, 12), number(1, 28))));
        query.addBind(QStringLiteral("%1-%2").arg(number(190, 199)).arg(number(0, 9999), 4, 10, QLatin1Char('0')));
        query.addBind(QString::fromUtf16(pick(Towns)) +
                      QStringLiteral("%1-%2-%3").arg(number(1, 5)).arg(number(1, 30)).arg(number(1, 20)));
        query.addBind(QStringLiteral("042-%1-%2").arg(number(500, 699)).arg(number(0, 9999), 4, 10, QLatin1Char('0')));
        query.addBind(QString());
        query.addBind(QString());
        query.addBind(QString::fromUtf16(pick(Remarks)));
        query.addBind(number(0, 4) < 3 ? 100000 + index : 0);
        query.addBind(rihaType);
        query.addBind(categories);
        query.addBind(date(admitted + DateTime::encodeTime(number(9, 17), number(0, 59))));
        query.addBind(rihaType <= 1 ? QStringLiteral("%1号室").arg(number(1, 3) * 100 + number(1, 20)) : QString());
        query.addBind(number(0, 8));
        query.addBind(number(0, 7));
        query.addBind(number(0, 6));
        query.addBind(date(hospitalDischarge));
        query.addBind(date(admitted));
        query.addBind(date(discharge));
        const int diseases = number(1, 3);
        for (int i = 0; i < 6; ++i)
            query.addBind(i < diseases ? QString::fromUtf16(pick(Diseases)) : QString());
        // Weekly wishes for four users in five, two or three weekdays at one
        // time; drawn from the index so that the random sequence stays.
        const bool wishes = index % 5 != 4;
        const auto wishDay = [index, rihaType](int day) {
            return day == index % 7 || day == (index + 3) % 7 || (rihaType == 2 && day == (index + 5) % 7);
        };
        const TDateTime start = DateTime::encodeTime(9 + (index % 14) / 2, (index % 2) * 30);
        for (int day = 0; day < 7; ++day)
            query.addBind(date(wishes && wishDay(day) ? start : DateTime::None));
        for (int day = 0; day < 7; ++day)
            query.addBind(wishes && wishDay(day) ? 20 + (index % 3) * 20 : 0);
    }

private:
    static DbValue date(TDateTime value) { return DbDate{value}; }
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    template <typename T, size_t N> const T &pick(const T (&table)[N]) { return table[size_t(number(0, int(N) - 1))]; }

    TDateTime m_today;
    std::mt19937 m_random{20240401};
};

} // namespace

namespace DemoUsers {

bool add(DbConnection &db, int count, QString &errorText)
{
    DbTransaction transaction(db);
    if (!transaction.isActive()) {
        errorText = db.errorText();
        return false;
    }
    Generator generator(Clock::today());
    const QString fullStatement = insertStatement(RowsPerStatement);
    for (int first = 0; first < count; first += RowsPerStatement) {
        const int rows = std::min(RowsPerStatement, count - first);
        DbQuery insert(db, rows == RowsPerStatement ? fullStatement : insertStatement(rows));
        for (int row = 0; row < rows; ++row)
            generator.bindNext(insert, first + row);
        if (!insert.exec()) {
            errorText = insert.errorText();
            return false;
        }
    }
    if (!transaction.commit()) {
        errorText = db.errorText();
        return false;
    }
    return true;
}

bool fill(DbConnection &db, QString &errorText)
{
    return add(db, DemoCount, errorText);
}

bool forEvery(DbConnection &db, int step, const std::function<bool(int, int)> &visit, QString &errorText)
{
    DbDataSet users;
    if (!users.open(DbQuery(db, QStringLiteral("SELECT CureNo FROM Person ORDER BY CureNo")))) {
        errorText = users.errorText();
        return false;
    }
    for (int position = 0; position < users.recordCount(); position += step) {
        if (!visit(position, users.record(position).value(u"CureNo").asInteger()))
            return false;
    }
    return true;
}

} // namespace DemoUsers
