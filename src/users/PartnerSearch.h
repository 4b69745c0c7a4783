#pragma once

#include "platform/DbDataSet.h"
#include "users/PartnerUser.h"
#include "users/UserSearch.h"

#include <QString>
#include <QStringView>

#include <array>

class DbConnection;

// The partner picker's rows without the window: the partner's user table is
// read once, in kana order, and narrowed by filters in memory. Typed texts
// never become SQL; "%" and "_" in them match themselves.
class PartnerSearch
{
public:
    struct GridColumn
    {
        QStringView field;
        QStringView title;
        int width;
    };
    enum Column { SidColumn, JnameColumn, KnameColumn, SexColumn, BirthColumn, ChikuColumn, ColumnCount };
    static constexpr std::array<GridColumn, ColumnCount> Columns{{{u"Sid", u"利用者番号", 95},
                                                                  {u"Jname", u"氏名", 150},
                                                                  {u"Kname", u"カナ氏名", 170},
                                                                  {u"Sex", u"性別", 45},
                                                                  {u"Birth", u"生年月日", 130},
                                                                  {u"ChikuCode", u"地区", 60}}};

    // Opens the query on the partner's connection unless it is open. False
    // with the reason in errorText().
    [[nodiscard]] bool open(DbConnection &partner);
    void close() { HinorikuQuery.close(); }
    [[nodiscard]] const QString &errorText() const { return HinorikuQuery.errorText(); }

    // The message for a typed partner number that is refused; empty when it
    // passes, number then holding it.
    [[nodiscard]] static QString checkNumber(QStringView text, int &number);

    // Users whose name begins with name or whose kana begins with kana.
    void filterByName(const QString &name, const QString &kana);
    void filterByNumber(int number);
    void filterByKanaRow(UserSearch::KanaRow row);
    void showAll();

    // The row at a place among the filtered rows.
    [[nodiscard]] PartnerUser user(int position) const;
    // The text of a cell of grid column `column` holding the value.
    [[nodiscard]] static QString cellText(int column, const DbValue &value);

    DbDataSet HinorikuQuery;

private:
    void setFilter(DbDataSet::Filter filter);
};
