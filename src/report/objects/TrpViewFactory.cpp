#include "report/objects/TrpViewFactory.h"

#include "report/objects/TrpAddinRegistry.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpLineView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpSubReportView.h"

std::unique_ptr<TrpView> TrpViewFactory::create(quint8 type)
{
    switch (type) {
    case gtMemo:
        return std::make_unique<TrpMemoView>();
    case gtPicture:
        return std::make_unique<TrpPictureView>();
    case gtBand:
        return std::make_unique<TrpBandView>();
    case gtSubReport:
        return std::make_unique<TrpSubReportView>();
    case gtLine:
        return std::make_unique<TrpLineView>();
    default:
        return nullptr;
    }
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
