#include "report/objects/TrpViewFactory.h"

#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpAddinRegistry.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/objects/TrpSubReportView.h"

namespace {

// The built-in kinds: a new kind is its class and a row here.
struct BuiltIn
{
    quint8 type;
    QLatin1StringView keyword;
    std::unique_ptr<TrpView> (*make)();
};

template <typename T> std::unique_ptr<TrpView> make()
{
    return std::make_unique<T>();
}

constexpr BuiltIn BuiltIns[] = {
    {gtMemo, QLatin1StringView("Memo"), make<TrpMemoView>},
    {gtPicture, QLatin1StringView("Picture"), make<TrpPictureView>},
    {gtBand, QLatin1StringView("Band"), make<TrpBandView>},
    {gtSubReport, QLatin1StringView("SubReport"), make<TrpSubReportView>},
    {gtLine, QLatin1StringView("Line"), make<TrpLineView>},
};

const BuiltIn *builtIn(quint8 type)
{
    for (const BuiltIn &kind : BuiltIns) {
        if (kind.type == type)
            return &kind;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<TrpView> TrpViewFactory::create(quint8 type)
{
    const BuiltIn *kind = builtIn(type);
    return kind ? kind->make() : nullptr;
}

QLatin1StringView TrpViewFactory::keyword(quint8 type)
{
    const BuiltIn *kind = builtIn(type);
    return kind ? kind->keyword : QLatin1StringView();
}

std::optional<quint8> TrpViewFactory::typeOfKeyword(QStringView word)
{
    for (const BuiltIn &kind : BuiltIns) {
        if (word == kind.keyword)
            return kind.type;
    }
    return std::nullopt;
}

std::unique_ptr<TrpView> TrpViewFactory::readHead(TrpStreamReader &reader, int &skipAfterBody)
{
    skipAfterBody = 0;
    const qint64 at = reader.pos();
    const quint8 type = reader.readByte();
    if (!reader.ok())
        return nullptr;
    if (type != gtAddIn) {
        std::unique_ptr<TrpView> view = create(type);
        if (!view)
            reader.fail(QStringLiteral("Invalid object type %1 at offset %2").arg(type).arg(at), at);
        return view;
    }
    const QString className = reader.readString();
    if (!reader.ok())
        return nullptr;
    if (className.toUpper() == QLatin1String("TRPFRAMEDMEMOVIEW")) {
        skipAfterBody = FramedMemoTail;
        return create(gtMemo);
    }
    std::unique_ptr<TrpView> view = TrpAddinRegistry::global().create(className);
    if (!view)
        reader.fail(QString(ClassNotFound) + className, at);
    return view;
}

void TrpViewFactory::writeHead(TrpStreamWriter &writer, const TrpView &view)
{
    writer.writeByte(view.Typ);
    if (view.Typ == gtAddIn)
        writer.writeString(view.ClassName());
}

std::unique_ptr<TrpView> TrpViewFactory::readPrepared(TrpStreamReader &reader)
{
    int skip = 0;
    std::unique_ptr<TrpView> view = readHead(reader, skip);
    if (!view)
        return nullptr;
    view->loadFromStream(reader, TrpStreamMode::Prepared);
    reader.readBytes(skip);
    if (!reader.ok())
        return nullptr;
    return view;
}

void TrpViewFactory::writePrepared(TrpStreamWriter &writer, const TrpView &view)
{
    writeHead(writer, view);
    view.saveToStream(writer, TrpStreamMode::Prepared);
}
