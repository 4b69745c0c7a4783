#include "report/objects/TrpSubReportView.h"

#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/files/TrpTextFieldWriter.h"
#include "report/files/TrpTextLine.h"

TrpSubReportView::TrpSubReportView()
{
    Typ = gtSubReport;
}

std::unique_ptr<TrpView> TrpSubReportView::clone() const
{
    return std::unique_ptr<TrpView>(new TrpSubReportView(*this));
}

QString TrpSubReportView::ClassName() const
{
    return QStringLiteral("TrpSubReportView");
}

QString TrpSubReportView::BaseName() const
{
    return QStringLiteral("SubReport");
}

void TrpSubReportView::loadFromStream(TrpStreamReader &reader, TrpStreamMode mode)
{
    TrpView::loadFromStream(reader, mode);
    SubPage = reader.readInt32();
}

void TrpSubReportView::saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const
{
    TrpView::saveToStream(writer, mode);
    writer.writeInt32(SubPage);
}

void TrpSubReportView::writeText(TrpTextFieldWriter &out) const
{
    out.number("SubPage", SubPage);
}

bool TrpSubReportView::readText(const TrpTextLine &line, QByteArray &, QString &error, bool &known)
{
    known = line.keyword() == QLatin1String("SubPage");
    return !known || line.number(0, SubPage, error);
}
