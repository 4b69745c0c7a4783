#pragma once

#include "report/data/TrpDataSource.h"
#include "report/data/TrpDataset.h"
#include "report/data/TrpRowSource.h"

#include <QPointer>

#include <optional>

// Walks the rows of a database data set: the one of DataSource when that has
// one, else DataSet. With RangeBegin rbCurrent the walk starts at the row
// that was current at Init; with RangeEnd reCurrent it ends after that row,
// and Exit returns the data set to it.
class TrpDBDataSet : public TrpDataset
{
    Q_OBJECT
public:
    using TrpDataset::TrpDataset;
    ~TrpDBDataSet() override;

    [[nodiscard]] TrpRowSource *DataSet() const { return m_dataSet; }
    // Clears DataSource.
    void setDataSet(TrpRowSource *dataSet);
    [[nodiscard]] TrpDataSource *DataSource() const { return m_dataSource; }
    // A data source clears DataSet.
    void setDataSource(TrpDataSource *dataSource);

    bool OpenDataSource = true;
    bool CloseDataSource = false;
    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;

    // The data set the walk uses, or nullptr.
    [[nodiscard]] TrpRowSource *rows() const;

    [[nodiscard]] bool Init() override;
    bool Exit() override;
    [[nodiscard]] bool First() override;
    [[nodiscard]] bool Next() override;
    [[nodiscard]] bool Eof() override;

private:
    // The data set, or nullptr after failing for its lack.
    TrpRowSource *required();
    bool failFrom(const TrpRowSource &rows);

    QPointer<TrpRowSource> m_dataSet;
    QPointer<TrpDataSource> m_dataSource;
    std::optional<TrpRowSource::Bookmark> FBookmark;
    bool FEof = false;
};
