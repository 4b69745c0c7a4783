#pragma once

#include <QString>

class TrpEMFPages;

// rpftool's commands on prepared reports (.rpd).
namespace PreparedCommands {

// Prints the pages, their paper and their objects as text.
int dump(const QString &fileName);
// Draws the pages into a PDF file (OUT ending in ".pdf"), one sheet per
// page on its own paper, or into PNG files at 100 %, one per page, named
// OUT with "-1", "-2", ... before the extension.
int render(const QString &fileName, const QString &outputName);
// The same for pages in memory.
int renderPages(TrpEMFPages &pages, const QString &outputName);

} // namespace PreparedCommands
