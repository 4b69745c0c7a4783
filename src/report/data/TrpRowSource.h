#pragma once

#include "base/Variant.h"

#include <QByteArray>
#include <QObject>
#include <QVariant>

#include <optional>

// The rows a database report data set walks: the engine's view of a data
// set of the application (a query or table held in memory, with its filter
// applied). The printing forms hand the engine an adapter over their data
// sets; the engine knows nothing else of the database.
class TrpRowSource : public QObject
{
    Q_OBJECT
public:
    // A position in the rows, as the data set gives it out.
    using Bookmark = QVariant;

    // Field types as the data set reports them.
    enum class FieldType {
        Unknown,
        String,
        Integer,
        Float,
        Boolean,
        DateTime,
        Blob,
        Memo,
        Graphic,
        FormattedMemo,
        ParadoxOle,
        DBaseOle,
        TypedBinary,
    };

    using QObject::QObject;
    ~TrpRowSource() override;

    // Stored bytes as text: Shift-JIS, the encoding of the facility's
    // binary records.
    [[nodiscard]] static QString textOfBytes(const QByteArray &bytes);

    [[nodiscard]] virtual bool isOpen() const = 0;
    // Opening an open data set does nothing. False on failure, with errorText().
    [[nodiscard]] virtual bool open() = 0;
    virtual void close() = 0;
    // Moves to the first row (of those the filter lets through).
    [[nodiscard]] virtual bool first() = 0;
    [[nodiscard]] virtual bool next() = 0;
    // True after moving past the last row, and on an empty data set.
    [[nodiscard]] virtual bool eof() const = 0;

    // The current position; nullopt on failure (a closed data set).
    [[nodiscard]] virtual std::optional<Bookmark> bookmark() const = 0;
    [[nodiscard]] virtual bool gotoBookmark(const Bookmark &bookmark) = 0;
    [[nodiscard]] virtual bool sameBookmark(const Bookmark &a, const Bookmark &b) const = 0;

    // Fields of the current row by name; nullopt for no such field.
    [[nodiscard]] virtual std::optional<FieldType> fieldType(const QString &name) const = 0;
    [[nodiscard]] virtual std::optional<Variant> fieldValue(const QString &name) const = 0;
    // The bytes of a picture or binary field of the current row, empty for
    // a null; nullopt for no such field or a field of another kind. Rows
    // without such fields (the default) give nullopt.
    [[nodiscard]] virtual std::optional<QByteArray> fieldBytes(const QString &name) const;

    // Why the last operation failed.
    [[nodiscard]] virtual QString errorText() const = 0;
};
