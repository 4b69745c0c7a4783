#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

class TrpBand;
class TrpView;

// The rows of a band that a text too tall for its box stood in, kept for a
// continuation sheet: copies of the objects lying within the box's rows
// (its heading and frame) with their texts as printed, the text's own copy
// holding what its box did not, their tops relative to the rows. Those
// spanning the rows are stretched to the text that goes on.
struct TrpContinued
{
    TrpBand *band = nullptr;
    std::vector<std::unique_ptr<TrpView>> objects;
    qint32 height = 0;
};
