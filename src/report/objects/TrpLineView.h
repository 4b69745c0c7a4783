#pragma once

#include "report/objects/TrpView.h"

// A line: drawn with the frame pen along the edges its FrameTyp sets.
class TrpLineView : public TrpView
{
public:
    TrpLineView();

    [[nodiscard]] std::unique_ptr<TrpView> clone() const override;
    [[nodiscard]] QString ClassName() const override;
    [[nodiscard]] QString BaseName() const override;

    void draw(QPainter &painter, const TrpDrawContext &context) const override;

private:
    TrpLineView(const TrpLineView &) = default;
};
