#pragma once

#include "platform/DbDataSet.h"
#include "users/KanaRowList.h"

#include <QString>

#include <array>

class DbConnection;

// The stored treatment plans with their users, in kana order, narrowed by
// the first kana of the reading; the rows and details of the plan search.
class PlanSearchList : public KanaRowList
{
public:
    using GridColumn = ::GridColumn;
    static constexpr std::array<GridColumn, 8> Columns{{{u"CureNo", u"利用者番号", 80},
                                                        {u"Kana", u"カナ", 110},
                                                        {u"Name", u"氏名", 110},
                                                        {u"Sex", u"性別", 50},
                                                        {u"Birth", u"生年月日", 120},
                                                        {u"RihaType", u"リハビリ形態", 100},
                                                        {u"PlanRegistDay", u"計画登録日", 120},
                                                        {u"Comment", u"特徴", 200}}};

    // What the labels under the grid show for one row.
    struct Details
    {
        QString UserNo;
        QString Kana;
        QString Name;
        QString Sex;
        QString Birth;
        QString RihaType;
        QString Kubun;
        QString PlanDay;
        QString PlanEnd; // empty when the plan has no end date
        QString Special;
    };

    explicit PlanSearchList(DbConnection &database);

    // Lists every plan; false (list closed) when the query fails.
    bool open();
    void close() { PlanQuery.close(); }

    [[nodiscard]] QString cellText(int column, int position) const;
    [[nodiscard]] Details details(int position) const;

    DbDataSet PlanQuery;

private:
    DbConnection &m_database;
};
