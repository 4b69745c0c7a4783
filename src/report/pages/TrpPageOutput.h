#pragma once

class TrpEMFPage;

// Where prepared pages are printed, one after the other: a printer's device
// (TrpPagePrinter) or a PDF document (TrpPdfFile). A page printed is
// released from memory.
class TrpPageOutput
{
public:
    virtual ~TrpPageOutput() = default;

    // Prints the page on a sheet of its own paper and orientation; false
    // when the output cannot take it.
    [[nodiscard]] virtual bool print(TrpEMFPage &page) = 0;
    // Ends the document; false when the output reports a failure.
    [[nodiscard]] virtual bool finish() = 0;

protected:
    TrpPageOutput() = default;
    TrpPageOutput(const TrpPageOutput &) = default;
    TrpPageOutput &operator=(const TrpPageOutput &) = default;
};
