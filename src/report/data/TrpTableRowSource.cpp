#include "report/data/TrpTableRowSource.h"

TrpTableRowSource::TrpTableRowSource(QStringList fields, QObject *parent)
    : TrpRowSource(parent), m_fields(std::move(fields))
{}

void TrpTableRowSource::addRow(QList<Variant> values)
{
    m_rows.append(std::move(values));
}

bool TrpTableRowSource::open()
{
    m_open = true;
    return true;
}

bool TrpTableRowSource::first()
{
    m_position = 0;
    return m_open;
}

bool TrpTableRowSource::next()
{
    if (m_position < m_rows.size())
        ++m_position;
    return m_open;
}

bool TrpTableRowSource::eof() const
{
    return !m_open || m_position >= m_rows.size();
}

std::optional<TrpRowSource::Bookmark> TrpTableRowSource::bookmark() const
{
    if (!m_open)
        return std::nullopt;
    return QVariant(m_position);
}

bool TrpTableRowSource::gotoBookmark(const Bookmark &bookmark)
{
    const int position = bookmark.toInt();
    if (position < 0 || position > m_rows.size()) {
        m_errorText = QStringLiteral("No such row");
        return false;
    }
    m_position = position;
    return true;
}

bool TrpTableRowSource::sameBookmark(const Bookmark &a, const Bookmark &b) const
{
    return a.toInt() == b.toInt();
}

int TrpTableRowSource::column(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::optional<TrpRowSource::FieldType> TrpTableRowSource::fieldType(const QString &name) const
{
    if (column(name) < 0)
        return std::nullopt;
    return FieldType::String;
}

std::optional<Variant> TrpTableRowSource::fieldValue(const QString &name) const
{
    const int index = column(name);
    if (index < 0 || eof())
        return index < 0 ? std::nullopt : std::optional(Variant::null());
    return m_rows[m_position].value(index, Variant::null());
}
