#pragma once

#include "platform/DbDataSet.h"
#include "users/GridColumn.h"

#include <QString>
#include <QStringView>

#include <array>

class DbConnection;

// The searches of the user search dialog on the main database, without the
// window: each one replaces the rows of UserSearchQuery. Every value the
// user typed reaches the database as a bound parameter, and "%" and "_" in
// a typed prefix match themselves.
class UserSearch
{
public:
    // The inputs that a search takes its text from.
    enum class Input { CureNo, Name, Kana, Hinoriku };
    // The kana-row buttons ア to ワ.
    enum class KanaRow { A, Ka, Sa, Ta, Na, Ha, Ma, Ya, Ra, Wa };

    static constexpr int ColumnCount = 9;
    // The columns of the result grid, in grid order.
    static constexpr std::array<GridColumn, ColumnCount> Columns{{{u"CureNo", u"利用者番号", 67},
                                                                  {u"Name", u"氏名", 85},
                                                                  {u"Kana", u"カナ氏名", 84},
                                                                  {u"Sex", u"性別", 36},
                                                                  {u"Birth", u"生年月日", 107},
                                                                  {u"Address", u"住所", 172},
                                                                  {u"NYUSHOBI_YMD", u"入所(開始)日", 105},
                                                                  {u"RihaType", u"形態", 77},
                                                                  {u"HinorikuUserNo", u"ヒノリク番号", 75}}};

    explicit UserSearch(DbConnection &database);

    // The message for a typed text that an input refuses (empty, or longer
    // than the input's limit in Shift-JIS bytes); empty when it passes.
    [[nodiscard]] static QString checkInput(Input input, QStringView text);
    // The half-width letters whose names a kana-row button finds.
    [[nodiscard]] static QStringView rowLetters(KanaRow row);
    // A data set filter that keeps the rows whose text field begins with a
    // letter of the row.
    [[nodiscard]] static DbDataSet::Filter kanaRowFilter(KanaRow row, const QString &field);

    // The searches, each listing its users in user-number order (the kana
    // rows in kana order). False when the rows could not be read; the list
    // is then closed. Except the user number, they read their rows a page
    // at a time (DbDataSet::fetchMore). A user number that is no number finds no one: the list
    // is closed without asking the database.
    bool searchCureNo(QStringView text);
    bool searchName(QStringView prefix);
    bool searchKana(QStringView prefix);
    // Partner-system numbers beginning with the typed digits.
    bool searchHinoriku(QStringView prefix);
    bool searchKanaRow(KanaRow row);
    bool showAll();
    // Lists all users by a grid column, descending when the column's flag
    // is false and ascending when it is true, and flips the flag. False when
    // the rows could not be read (the list is then closed).
    bool sortByColumn(int column);
    void close() { UserSearchQuery.close(); }

    // The direction of each column's next sort (see sortByColumn); all false
    // at first and kept for the life of the search.
    std::array<bool, ColumnCount> SortDescending{};
    DbDataSet UserSearchQuery;

private:
    // Logs a failed opening of the rows; returns succeeded.
    [[nodiscard]] bool opened(bool succeeded) const;
    [[nodiscard]] bool searchPrefix(QStringView column, QStringView prefix);
    // An ORDER BY term on a column: text columns sort by character code on
    // PostgreSQL too, so both databases list the same order.
    [[nodiscard]] QString orderTerm(QStringView column) const;

    DbConnection &m_database;
};
