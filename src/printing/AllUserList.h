#pragma once

#include "base/DateTime.h"
#include "base/Variant.h"
#include "platform/DbDataSet.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class DbConnection;
class ListPrint;

// The registered users of the printed user list ("AllUser.rpf") and of its
// CSV file, chosen by the rehabilitation types, whether discharged users
// count and whether only recent admissions are listed, in user-number order.
class AllUserList
{
public:
    struct Conditions
    {
        // By RihaType: 入所, 短期入所, 通所リハビリ, 訪問リハビリ. None checked
        // lists every type.
        std::array<bool, 4> Types{};
        // 条件２ "退所者を除く": only users still in care (no discharge date,
        // or one after today).
        bool InCareOnly = true;
        // 条件３ "３ヶ月以内": only users admitted since the first day of the
        // month three months back.
        bool RecentOnly = true;
    };
    enum class Outcome { Rows, NoRows, Failed };

    static constexpr QStringView TemplateName = u"AllUser.rpf";
    static const QStringList CsvHeader;

    AllUserList(DbConnection &database, QString facilityName);

    // Lists the users the conditions choose, as of today.
    Outcome open(const Conditions &conditions, TDateTime today);
    void close() { AllUserPrintQuery.close(); }
    // The first day of the earliest month the recent users are admitted in.
    [[nodiscard]] static TDateTime recentSince(TDateTime today);

    // The printout's variables for the current row; nullopt for the names
    // that are not its own (the fields of the row answer those).
    [[nodiscard]] std::optional<Variant> value(const QString &name) const;
    // "（印刷条件:...）" of the conditions the list was opened with.
    [[nodiscard]] QString conditionText() const;
    // The fields of every CSV line, in list order.
    [[nodiscard]] std::vector<QStringList> csvRows() const;
    [[nodiscard]] ListPrint printout();

    DbDataSet AllUserPrintQuery;
    // Whether a type box was checked when the list was opened.
    bool TypeFilterSet = false;

private:
    [[nodiscard]] QString dayCount(const DbRecord &row) const;
    [[nodiscard]] QString age(const DbRecord &row) const;

    DbConnection &m_database;
    QString m_facility;
    Conditions m_conditions;
    TDateTime m_today = DateTime::None;
};
