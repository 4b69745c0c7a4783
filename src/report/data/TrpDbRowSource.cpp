#include "report/data/TrpDbRowSource.h"

#include "platform/DbDataSet.h"

namespace {

// The engine asks the data set for every name a report uses, most of which
// are the form's variables, not fields: a miss is no fault to log.
DbField fieldNamed(const DbDataSet &rows, const QString &name)
{
    return rows.field(rows.indexOfField(name));
}

} // namespace

TrpDbRowSource::TrpDbRowSource(DbDataSet &dataSet, QObject *parent) : TrpRowSource(parent), m_dataSet(dataSet) {}

bool TrpDbRowSource::isOpen() const
{
    return m_dataSet.isOpen();
}

bool TrpDbRowSource::open()
{
    if (m_dataSet.isOpen())
        return true;
    m_errorText = QStringLiteral("The data set is not open");
    return false;
}

void TrpDbRowSource::close()
{
    m_dataSet.close();
}

bool TrpDbRowSource::first()
{
    if (!m_dataSet.isOpen())
        return open();
    m_dataSet.first();
    return true;
}

bool TrpDbRowSource::next()
{
    if (!m_dataSet.isOpen())
        return open();
    // A page that cannot be read must not end the report as if the rows did.
    if (m_dataSet.next())
        return true;
    m_errorText.clear();
    return false;
}

bool TrpDbRowSource::eof() const
{
    return !m_dataSet.isOpen() || m_dataSet.eof();
}

std::optional<TrpRowSource::Bookmark> TrpDbRowSource::bookmark() const
{
    if (!m_dataSet.isOpen())
        return std::nullopt;
    return QVariant::fromValue(m_dataSet.bookmark());
}

bool TrpDbRowSource::gotoBookmark(const Bookmark &bookmark)
{
    const DbBookmark row = bookmark.value<DbBookmark>();
    // An empty data set has no row to return to.
    if (!row.isValid() || m_dataSet.gotoBookmark(row))
        return true;
    m_errorText = QStringLiteral("The row to return to is gone");
    return false;
}

bool TrpDbRowSource::sameBookmark(const Bookmark &a, const Bookmark &b) const
{
    return a.value<DbBookmark>() == b.value<DbBookmark>();
}

std::optional<TrpRowSource::FieldType> TrpDbRowSource::fieldType(const QString &name) const
{
    const DbField field = fieldNamed(m_dataSet, name);
    if (!field.isValid())
        return std::nullopt;
    switch (field.type()) {
    case DbType::Integer:
        return FieldType::Integer;
    case DbType::Double:
        return FieldType::Float;
    case DbType::Boolean:
        return FieldType::Boolean;
    case DbType::Text:
        return FieldType::String;
    case DbType::DateTime:
        return FieldType::DateTime;
    case DbType::Blob:
        return FieldType::Blob;
    case DbType::Null:
        break;
    }
    return FieldType::Unknown;
}

std::optional<Variant> TrpDbRowSource::fieldValue(const QString &name) const
{
    const DbField field = fieldNamed(m_dataSet, name);
    if (!field.isValid())
        return std::nullopt;
    const DbValue value = field.value();
    switch (value.type()) {
    case DbType::Null:
        return Variant::null();
    case DbType::Integer:
        return Variant(value.asLargeInt());
    case DbType::Double:
        return Variant(value.asDouble());
    case DbType::Boolean:
        return Variant(value.asBoolean());
    case DbType::DateTime:
        return Variant::dateTime(value.asDateTime());
    case DbType::Blob:
        return Variant(textOfBytes(value.asBytes()));
    case DbType::Text:
        break;
    }
    return Variant(value.asString());
}

std::optional<QByteArray> TrpDbRowSource::fieldBytes(const QString &name) const
{
    const DbField field = fieldNamed(m_dataSet, name);
    if (!field.isValid() || field.type() != DbType::Blob)
        return std::nullopt;
    return field.asBytes();
}

QString TrpDbRowSource::errorText() const
{
    return m_errorText.isEmpty() ? m_dataSet.errorText() : m_errorText;
}
