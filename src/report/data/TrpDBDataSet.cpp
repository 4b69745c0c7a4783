#include "report/data/TrpDBDataSet.h"

TrpDBDataSet::~TrpDBDataSet() = default;

void TrpDBDataSet::setDataSet(TrpRowSource *dataSet)
{
    m_dataSet = dataSet;
    m_dataSource = nullptr;
}

void TrpDBDataSet::setDataSource(TrpDataSource *dataSource)
{
    m_dataSource = dataSource;
    if (dataSource)
        m_dataSet = nullptr;
}

TrpRowSource *TrpDBDataSet::rows() const
{
    if (m_dataSource && m_dataSource->DataSet())
        return m_dataSource->DataSet();
    return m_dataSet;
}

TrpRowSource *TrpDBDataSet::required()
{
    TrpRowSource *source = rows();
    if (!source)
        failWith(TrpError::Kind::Database, QStringLiteral("Unable to open dataset ") + objectName());
    return source;
}

bool TrpDBDataSet::failFrom(const TrpRowSource &rows)
{
    return failWith(TrpError::Kind::Database, rows.errorText());
}

bool TrpDBDataSet::Init()
{
    if (!TrpDataset::Init())
        return false;
    TrpRowSource *source = required();
    if (!source)
        return false;
    if (OpenDataSource && !source->open())
        return failFrom(*source);
    if (OnOpen)
        OnOpen(*this);
    if (failed())
        return false;
    FBookmark = source->bookmark();
    if (!FBookmark)
        return failFrom(*source);
    FEof = false;
    return true;
}

bool TrpDBDataSet::Exit()
{
    TrpRowSource *source = required();
    if (!source)
        return false;
    if (FBookmark) {
        const TrpRowSource::Bookmark held = *FBookmark;
        FBookmark.reset();
        if ((RangeBegin == rbCurrent || RangeEnd == reCurrent) && !source->gotoBookmark(held))
            return failFrom(*source);
    }
    if (OnClose)
        OnClose(*this);
    if (CloseDataSource)
        source->close();
    return !failed();
}

bool TrpDBDataSet::First()
{
    TrpRowSource *source = required();
    if (!source)
        return false;
    if (RangeBegin == rbFirst) {
        if (!source->first())
            return failFrom(*source);
    } else if (FBookmark && !source->gotoBookmark(*FBookmark)) {
        return failFrom(*source);
    }
    FEof = false;
    return TrpDataset::First();
}

bool TrpDBDataSet::Next()
{
    TrpRowSource *source = required();
    if (!source)
        return false;
    FEof = false;
    if (RangeEnd == reCurrent && FBookmark) {
        // The walk ends after the row that was current at Init. From the
        // first row it moves on until it gets there.
        const std::optional<TrpRowSource::Bookmark> here = source->bookmark();
        if (!here)
            return failFrom(*source);
        if (source->sameBookmark(*here, *FBookmark)) {
            FEof = true;
            return true;
        }
    }
    if (!source->next())
        return failFrom(*source);
    return TrpDataset::Next();
}

bool TrpDBDataSet::Eof()
{
    const bool counted = TrpDataset::Eof();
    TrpRowSource *source = required();
    if (!source)
        return true;
    return counted || source->eof() || FEof;
}
