#pragma once

#include <QFlags>

// The tool buttons a report's preview shows.
enum TrpPreviewButton { pbZoom = 1, pbLoad = 2, pbSave = 4, pbPrint = 8, pbFind = 16, pbHelp = 32, pbExit = 64 };
Q_DECLARE_FLAGS(TrpPreviewButtons, TrpPreviewButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(TrpPreviewButtons)
