#pragma once

#include "base/DateTime.h"
#include "base/Variant.h"
#include "platform/DbDataSet.h"
#include "users/GridColumn.h"
#include "users/KanaRowList.h"

#include <QString>

#include <array>
#include <optional>

class DbConnection;
class DbValue;
class ListPrint;

// The users still in care whose latest treatment plan, or latest practice
// plan, is older than three months: the rows of the plan-deadline list and
// of its printout ("PrintLimit.rpf"), narrowed by the first kana of the
// reading. Users without any plan of the kind are not listed.
class PlanLimitList : public KanaRowList
{
public:
    enum class Kind { CurePlan, PracticePlan };

    static constexpr std::array<GridColumn, 5> Columns{{{u"CureNo", u"利用者番号", 90},
                                                        {u"Name", u"氏名", 160},
                                                        {u"MaxRegistDay", u"登録(実施)日", 150},
                                                        {u"RihaType", u"リハビリ形態", 120},
                                                        {u"KubunCode", u"区分", 260}}};
    static constexpr QStringView TemplateName = u"PrintLimit.rpf";

    PlanLimitList(DbConnection &database, QString facilityName);

    // The day a latest plan must not be older than: three months before
    // today, clipped to the end of a shorter month.
    [[nodiscard]] static TDateTime limitDay(TDateTime today);

    // Lists the users as of today; false (list closed) when the query fails.
    bool open(Kind kind, TDateTime today);
    void close() { PrintLimitRihaQuery.close(); }

    // The text of a grid column's value.
    [[nodiscard]] static QString cellText(int column, const DbValue &value);
    // The printout's variables for the current row, and ListTitle, the
    // list's title naming the kind of plan; nullopt for other names.
    [[nodiscard]] std::optional<Variant> value(const QString &name) const;
    [[nodiscard]] ListPrint printout();

    DbDataSet PrintLimitRihaQuery;

private:
    DbConnection &m_database;
    QString m_facility;
    TDateTime m_today = DateTime::None;
    Kind m_kind = Kind::CurePlan;
};
