#pragma once

#include "base/DateTime.h"
#include "platform/DbDataSet.h"
#include "users/GridColumn.h"
#include "users/KanaRowList.h"

#include <array>

class DbConnection;
class DbValue;

// The treatment plans valid on some day of a month, with their users: the
// list the results records are printed from. A user with two such plans is
// listed twice.
class PersonResultPlans : public KanaRowList
{
public:
    static constexpr std::array<GridColumn, 5> Columns{{{u"CureNo", u"治療番号", 90},
                                                        {u"Kana", u"カナ", 170},
                                                        {u"Name", u"氏名", 170},
                                                        {u"RihaType", u"リハビリ形態", 120},
                                                        {u"PlanRegistDay", u"計画書作成日", 150}}};

    explicit PersonResultPlans(DbConnection &database) : KanaRowList(SelectPlanPersonQuery), m_database(database) {}

    // Lists the plans of the month [from, to) by user, date and key; false
    // when they could not be read.
    [[nodiscard]] bool open(TDateTime from, TDateTime to);
    void close() { SelectPlanPersonQuery.close(); }
    [[nodiscard]] bool isOpen() const { return SelectPlanPersonQuery.isOpen(); }
    [[nodiscard]] int rowCount() const { return isOpen() ? SelectPlanPersonQuery.recordCount() : 0; }

    // The user number of a listed (filtered) row.
    [[nodiscard]] int cureNo(int row) const;
    // The text of a grid column's cell.
    [[nodiscard]] static QString cellText(int column, const DbValue &value);

    DbDataSet SelectPlanPersonQuery;

private:
    DbConnection &m_database;
};
