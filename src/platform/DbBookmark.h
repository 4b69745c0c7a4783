#pragma once

#include <QtGlobal>

// A handle to one row of a data set that stays valid while the filter
// changes and other rows are added or removed; it finds nothing once its
// row is removed or the data set is reopened.
class DbBookmark
{
public:
    DbBookmark() = default;

    [[nodiscard]] bool isValid() const { return m_rowId != 0; }
    friend bool operator==(DbBookmark, DbBookmark) = default;

private:
    friend class DbDataSet;
    explicit DbBookmark(quint64 rowId) : m_rowId(rowId) {}

    quint64 m_rowId = 0;
};
