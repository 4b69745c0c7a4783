#pragma once

#include <functional>
#include <optional>
#include <utility>

// The record a printout prints for the master row being built, read when
// the row changes, so that every row prints its own record: a row whose
// record cannot be read prints none, never the row before it.
template <typename Record> class RecordPerPage
{
public:
    using Reader = std::function<std::optional<Record>(int row)>;

    explicit RecordPerPage(Reader reader) : m_reader(std::move(reader)) {}

    // The record of a 0-based row; nullptr when it could not be read.
    const Record *at(int row)
    {
        if (!m_row || *m_row != row) {
            m_record.reset();
            m_record = m_reader(row);
            m_row = row;
        }
        return m_record ? &*m_record : nullptr;
    }

private:
    Reader m_reader;
    std::optional<int> m_row;
    std::optional<Record> m_record;
};
