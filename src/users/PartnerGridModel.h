#pragma once

#include "users/DataSetGridModel.h"

// The partner picker's filtered rows as its grid shows them
// (PartnerSearch::Columns, PartnerSearch::cellText).
class PartnerGridModel : public DataSetGridModel
{
    Q_OBJECT

public:
    explicit PartnerGridModel(const DbDataSet &rows, QObject *parent = nullptr);

protected:
    [[nodiscard]] QString text(int column, const DbValue &value) const override;
};
