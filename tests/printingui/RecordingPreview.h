#pragma once

#include "report/building/TrpPreviewUi.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpReportUi.h"
#include "report/objects/TrpView.h"

#include <QStringList>

// Stands in for the preview window while it lives: records the caption and
// the texts of the pages each preview would have shown.
class RecordingPreview final : public TrpPreviewUi
{
public:
    RecordingPreview() : m_previous(TrpReportUi::installed())
    {
        TrpReportUi ui = m_previous;
        ui.preview = this;
        TrpReportUi::install(ui);
    }
    ~RecordingPreview() override { TrpReportUi::install(m_previous); }
    RecordingPreview(const RecordingPreview &) = delete;
    RecordingPreview &operator=(const RecordingPreview &) = delete;

    void show(TrpReport &report, const QString &caption) override
    {
        captions << caption;
        texts.clear();
        for (int page = 0; page < report.EMFPages().Count(); ++page) {
            for (const auto &view : report.EMFPages()[page].objects())
                texts << view->ExpandedMemo.join(u'\n').trimmed();
        }
    }

    QStringList captions;
    // Of the last preview, every page.
    QStringList texts;

private:
    TrpReportUi m_previous;
};
