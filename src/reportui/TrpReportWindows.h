#pragma once

#include "report/building/TrpInputUi.h"
#include "report/building/TrpMessageUi.h"
#include "report/building/TrpPreviewUi.h"
#include "report/building/TrpReportUi.h"

#include <memory>

class TrpProgressForm;

// The report engine's windows: the modal preview, the progress dialog, the
// INPUT box and the "Error" box. They are the engine's (TrpReportUi) while
// this object lives; every one shows through the dialog service.
class TrpReportWindows final : public TrpPreviewUi, public TrpInputUi, public TrpMessageUi
{
public:
    TrpReportWindows();
    ~TrpReportWindows() override;
    TrpReportWindows(const TrpReportWindows &) = delete;
    TrpReportWindows &operator=(const TrpReportWindows &) = delete;

    // The preview of this system is always modal.
    void show(TrpReport &report, const QString &caption) override;
    [[nodiscard]] QString input(const QString &caption, const QString &prompt, const QString &defaultText) override;
    void showError(const QString &caption, const QString &text) override;

    [[nodiscard]] TrpProgressForm &progress() { return *m_progress; }

private:
    std::unique_ptr<TrpProgressForm> m_progress;
    TrpReportUi m_previous;
};
