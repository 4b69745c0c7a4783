#pragma once

#include "users/UserSearch.h"

class DbDataSet;

// A list of users that its kana-row buttons narrow: to the users whose
// reading (Kana) starts in one row of the syllabary, or back to every row.
// The list keeps its rows in the data set it names.
class KanaRowList
{
public:
    KanaRowList(const KanaRowList &) = delete;
    KanaRowList &operator=(const KanaRowList &) = delete;

    void filterByKanaRow(UserSearch::KanaRow row);
    void showAll();
    // Open with at least one row to show.
    [[nodiscard]] bool hasRows() const;

protected:
    explicit KanaRowList(DbDataSet &rows) : m_rows(rows) {}
    ~KanaRowList() = default;

private:
    DbDataSet &m_rows;
};
