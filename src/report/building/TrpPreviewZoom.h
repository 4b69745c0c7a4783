#pragma once

// The zoom a report's preview opens with: the zoom the last preview of the
// run left, the page's width, the whole page, or two pages side by side.
enum TrpPreviewZoom { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };
