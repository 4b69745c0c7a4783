#include "report/building/TrpSubReports.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpRecorder.h"
#include "report/building/TrpReport.h"
#include "report/objects/TrpSubReportView.h"

TrpSubReports::TrpSubReports(TrpBuild &build, TrpPageBuilder &page) : m_build(build), m_page(page) {}

qint32 TrpSubReports::run(TrpBand &band, const std::vector<TrpView *> &subreports, qint32 top)
{
    struct Running
    {
        std::unique_ptr<TrpRecorder> recorder;
        size_t next = 0;
        qint32 y = 0;
    };
    std::vector<Running> running;
    const bool addedSelf = !m_build.recordingPages.contains(m_page.index());
    m_build.recordingPages.insert(m_page.index());
    for (TrpView *view : subreports) {
        const auto *sub = static_cast<TrpSubReportView *>(view);
        TrpPageBuilder *builder = m_build.pageBuilder(sub->SubPage);
        if (!builder || m_build.recordingPages.contains(sub->SubPage)) {
            m_build.report.setBuildError(
                view, &band,
                {TrpError::Kind::Calculation,
                 QStringLiteral("Subreport page %1 is missing or contains itself").arg(qint64(sub->SubPage) + 1), -1});
            break;
        }
        auto recorder = std::make_unique<TrpRecorder>();
        m_build.recordingPages.insert(sub->SubPage);
        builder->record(*recorder, m_page.leftOffset + sub->Left);
        m_build.recordingPages.remove(sub->SubPage);
        m_build.page = &m_page;
        if (m_build.stopped())
            break;
        running.push_back({std::move(recorder), 0, TrpBand::position(qint64(top) + sub->Top)});
    }
    if (addedSelf)
        m_build.recordingPages.remove(m_page.index());
    if (m_build.stopped())
        return top;
    if (m_page.recorder) {
        // A subreport inside a subreport: its bands become part of this step.
        qint32 lowest = top;
        for (Running &r : running) {
            for (TrpRecorder::Step &step : r.recorder->steps()) {
                for (std::unique_ptr<TrpView> &object : step.objects) {
                    object->Top = TrpBand::position(qint64(object->Top) + r.y);
                    m_page.recorder->add(*object);
                }
                r.y = TrpBand::position(qint64(r.y) + step.height);
            }
            lowest = std::max(lowest, r.y);
        }
        return lowest;
    }
    qint32 lowest = top;
    bool fresh = false;
    while (!m_build.stopped()) {
        bool unfinished = false;
        lowest = m_page.curY;
        for (Running &r : running) {
            const qint32 start = r.y;
            std::vector<TrpRecorder::Step> &steps = r.recorder->steps();
            while (r.next < steps.size()) {
                TrpRecorder::Step &step = steps[r.next];
                if (qint64(r.y) + step.height > m_page.bottomLimit && (r.y > start || !fresh))
                    break;
                for (std::unique_ptr<TrpView> &object : step.objects)
                    m_build.writer.writeRecorded(*object, object->Left, r.y + object->Top);
                r.y = TrpBand::position(qint64(r.y) + step.height);
                ++r.next;
            }
            lowest = std::max(lowest, r.y);
            unfinished = unfinished || r.next < steps.size();
        }
        if (!unfinished)
            break;
        m_page.newPage();
        fresh = true;
        for (Running &r : running)
            r.y = m_page.curY;
    }
    return lowest;
}
