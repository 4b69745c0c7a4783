#pragma once

#include "report/data/TrpRowSource.h"

#include <QObject>
#include <QPointer>

// A data source of a form: a link to a data set that can change or go away.
class TrpDataSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    [[nodiscard]] TrpRowSource *DataSet() const { return m_dataSet; }
    void setDataSet(TrpRowSource *dataSet) { m_dataSet = dataSet; }

private:
    QPointer<TrpRowSource> m_dataSet;
};
