#pragma once

#include "report/common/TrpError.h"

#include <QString>

class TrpEMFPages;

// What the preview window shows and works on: the prepared pages and the
// report they belong to, which saves, loads, prints and rebuilds them.
class TrpPreviewDocument
{
public:
    // The zoom the report asks for; Default keeps the last one of the run.
    enum class Zoom { Default, PageWidth, OnePage, TwoPages };
    // The tool buttons the report shows.
    enum Button { pbZoom = 1, pbLoad = 2, pbSave = 4, pbPrint = 8, pbFind = 16, pbHelp = 32, pbExit = 64 };
    static constexpr int AllButtons = 127;

    virtual ~TrpPreviewDocument();

    [[nodiscard]] virtual TrpEMFPages &pages() = 0;
    [[nodiscard]] virtual QString title() const { return {}; }
    [[nodiscard]] virtual Zoom initialZoom() const { return Zoom::Default; }
    [[nodiscard]] virtual int previewButtons() const { return AllButtons; }
    [[nodiscard]] virtual bool grayedButtons() const { return false; }

    // True when the pages were built from the template in this run, so that
    // they can be built again for another printer.
    [[nodiscard]] virtual bool canRebuild() const { return false; }
    // Makes the printer at the new index current and builds the pages again
    // for it; false, with the old printer back, when it cannot.
    virtual bool rebuildForPrinter(int oldIndex, int newIndex) = 0;

    // False, with error(), when the file cannot be written or read; a failed
    // load keeps the pages read before the fault.
    virtual bool savePrepared(const QString &fileName) = 0;
    virtual bool loadPrepared(const QString &fileName) = 0;
    // Prints the pages the text names (all for an empty text). False when
    // nothing was printed; error() then says why unless the user cancelled.
    virtual bool printPrepared(const QString &pageText, int copies) = 0;

    [[nodiscard]] virtual const TrpError &error() const = 0;

protected:
    TrpPreviewDocument() = default;
    TrpPreviewDocument(const TrpPreviewDocument &) = default;
    TrpPreviewDocument &operator=(const TrpPreviewDocument &) = default;
};
