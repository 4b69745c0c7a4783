#pragma once

#include "users/DataSetGridModel.h"

class PersonResultPlans;

// The listed plans as the grid of the results record shows them.
class PersonResultGridModel : public DataSetGridModel
{
    Q_OBJECT

public:
    explicit PersonResultGridModel(const PersonResultPlans &plans, QObject *parent = nullptr);

protected:
    [[nodiscard]] QString text(int column, const DbValue &value) const override;
};
