#pragma once

#include "base/Variant.h"
#include "platform/DbDataSet.h"
#include "users/KanaRowList.h"

#include <QString>

#include <array>
#include <optional>

class DbConnection;
class DbValue;

// The users who have no treatment plan, or no practice plan, at all
// (discharged users too), in user-number order, narrowed by the first kana
// of the reading; the rows of the missing-plans list and of its printout.
class OutstandingList : public KanaRowList
{
public:
    enum class Kind { CurePlan, PracticePlan };

    using GridColumn = ::GridColumn;
    static constexpr std::array<GridColumn, 5> Columns{{{u"CureNo", u"利用者番号", 90},
                                                        {u"Name", u"氏名", 160},
                                                        {u"NYUSHOBI_YMD", u"入所(開始)日", 150},
                                                        {u"RihaType", u"リハビリ形態", 120},
                                                        {u"KubunCode", u"区分", 260}}};
    static constexpr QStringView TemplateName = u"OutStandingList.rpf";

    explicit OutstandingList(DbConnection &database);

    // Lists the users without a plan of the kind; false (list closed) when
    // the query fails.
    bool open(Kind kind);
    void close() { PrintOutStandingQuery.close(); }

    // The text of a grid column for the row at a place among the shown rows.
    [[nodiscard]] QString cellText(int column, int position) const;
    // The text of a grid column's value.
    [[nodiscard]] static QString columnText(int column, const DbValue &value);
    // The printout's variables for the current row: CureNo, Name, Nyusho,
    // RType, RKubun, and ListTitle, the list's title naming the kind of
    // plan; nullopt for other names.
    [[nodiscard]] std::optional<Variant> value(const QString &name) const;

    DbDataSet PrintOutStandingQuery;

private:
    [[nodiscard]] static QString fieldText(QStringView field, const DbValue &value);

    DbConnection &m_database;
    Kind m_kind = Kind::CurePlan;
};
