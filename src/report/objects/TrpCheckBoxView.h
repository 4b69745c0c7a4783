#pragma once

#include "report/objects/TrpView.h"

// A check box (add-in "TrpCheckBoxView"): checked when the first line of
// its text is not empty and does not begin with "0". When it is output the
// first line is evaluated and replaced by the whole-number part of the
// result.
class TrpCheckBoxView : public TrpView
{
public:
    // The mark keeps this far from the edges, in page units.
    static constexpr int MarkInset = 4;
    static constexpr int MarkWidth = 3;

    TrpCheckBoxView();

    [[nodiscard]] std::unique_ptr<TrpView> clone() const override;
    [[nodiscard]] QString ClassName() const override;
    [[nodiscard]] QString BaseName() const override;
    void draw(QPainter &painter, const TrpDrawContext &context) const override;

    // The state of the text as it is drawn (ExpandedMemo).
    [[nodiscard]] bool isChecked() const;
    // The text the box stands for in a text export: "X" or nothing.
    [[nodiscard]] QString exportText() const;

private:
    TrpCheckBoxView(const TrpCheckBoxView &) = default;
};
