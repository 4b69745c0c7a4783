#pragma once

#include "reportui/TrpSpeedButton.h"

// The tool-bar button of the preview: a flat speed button with a caption or a glyph.
class TrpTBButton : public TrpSpeedButton
{
    Q_OBJECT
public:
    explicit TrpTBButton(QWidget *parent = nullptr);
};
