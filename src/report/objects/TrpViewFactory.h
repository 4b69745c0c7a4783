#pragma once

#include "report/objects/TrpView.h"

#include <memory>

class TrpStreamReader;
class TrpStreamWriter;

// Makes report objects from their stored record heads and writes the heads
// back. A record head is the type byte and, for add-ins (type 10), the
// class name. The class name "TrpFramedMemoView" (any case) of older
// templates makes a plain memo whose body is followed by 8 bytes to skip.
//
// Failures (types 5 to 9 and 11 and above, unknown add-in classes, a
// stream that ends) are left in the reader as format errors.
class TrpViewFactory
{
public:
    // Prefix of the error of an add-in class that is not registered.
    static constexpr QLatin1StringView ClassNotFound{"Class not found: "};
    static constexpr int FramedMemoTail = 8;

    // A built-in object of the type (0 to 4); null for any other.
    [[nodiscard]] static std::unique_ptr<TrpView> create(quint8 type);
    // The word that names a built-in type in a template's text form
    // ("Memo", "Picture", "Band", "SubReport", "Line"); empty for others.
    [[nodiscard]] static QLatin1StringView keyword(quint8 type);
    // The built-in type the word names.
    [[nodiscard]] static std::optional<quint8> typeOfKeyword(QStringView word);

    // Reads a record head and makes its object; null on failure.
    // skipAfterBody is set to the bytes that follow the object's body.
    [[nodiscard]] static std::unique_ptr<TrpView> readHead(TrpStreamReader &reader, int &skipAfterBody);
    static void writeHead(TrpStreamWriter &writer, const TrpView &view);

    // One object record of a prepared page: head and body in prepared mode.
    [[nodiscard]] static std::unique_ptr<TrpView> readPrepared(TrpStreamReader &reader);
    static void writePrepared(TrpStreamWriter &writer, const TrpView &view);
};
