#include "printing/ToukeiCounts.h"

#include "platform/DbDataSet.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"

#include <cmath>
#include <set>
#include <tuple>

namespace {

// The flags of a row as bits (type n is bit n), so that one narrow column
// carries all fourteen.
QString flagBitsTerm()
{
    QString term;
    for (int type = 0; type < ResultTypeFlags::Count; ++type) {
        if (type > 0)
            term += QStringLiteral(" + ");
        term += QStringLiteral("CASE WHEN %1 = '%2' THEN %3 ELSE 0 END")
                    .arg(ResultTypeFlags::Columns[size_t(type)], ResultTypeFlags::TrueText)
                    .arg(1 << type);
    }
    return term;
}

} // namespace

ToukeiCounts::ToukeiCounts(TDateTime month)
{
    const QDate date = DateTime::toDate(month);
    m_month = QDate(date.year(), date.month(), 1);
}

void ToukeiCounts::stepMonth(int months)
{
    m_month = m_month.addMonths(months);
    clear();
}

TDateTime ToukeiCounts::monthStart(int month) const
{
    return DateTime::fromDate(m_month.addMonths(month - (Months - 1)));
}

TDateTime ToukeiCounts::monthEnd(int month) const
{
    return DateTime::fromDate(m_month.addMonths(month - (Months - 1) + 1));
}

int ToukeiCounts::cell(int row, int column) const
{
    if (row < 0 || row >= Types || column < 0 || column >= Months * Measures)
        return 0;
    return m_table[row][column / Measures][column % Measures];
}

void ToukeiCounts::clear()
{
    m_table = {};
    m_counted = false;
}

bool ToukeiCounts::count(DbConnection &database)
{
    clear();
    DbQuery query(database,
                  QStringLiteral("SELECT CureDate, CureNo, ") + flagBitsTerm() +
                      QStringLiteral(" AS Flags FROM CureResults WHERE CureDate >= :PFrom AND CureDate < :PTo"));
    query.bind(u"PFrom", DbDate{monthStart(0)}).bind(u"PTo", DbDate{monthEnd(Months - 1)});
    DbDataSet rows;
    if (!rows.open(query))
        return false;
    // A result counts on its calendar day whatever its time of day.
    std::set<std::tuple<int, int>> days;
    std::set<std::tuple<int, int, int>> personDays;
    const std::array<double, Months> ends{monthEnd(0), monthEnd(1), monthEnd(2)};
    // The rows are held whole, not paged: a move cannot fail.
    for (rows.first(); !rows.eof(); (void)rows.next()) {
        const auto day = int(std::floor(rows.field(0).asDateTime()));
        const int cureNo = rows.field(1).asInteger();
        const int flags = rows.field(2).asInteger();
        int month = 0;
        while (month < Months - 1 && day >= ends[size_t(month)])
            ++month;
        for (int type = 0; type < Types; ++type) {
            if ((flags & (1 << type)) == 0)
                continue;
            auto &counts = m_table[type][month];
            ++counts[Rows];
            if (days.emplace(type, day).second)
                ++counts[Days];
            if (personDays.emplace(type, day, cureNo).second)
                ++counts[PersonDays];
        }
    }
    m_counted = true;
    return true;
}
