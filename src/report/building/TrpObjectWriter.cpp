#include "report/building/TrpObjectWriter.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpRecorder.h"
#include "report/building/TrpReport.h"
#include "report/expr/TrpExpander.h"
#include "report/objects/TrpCheckBoxView.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPage.h"

#include <cmath>

TrpObjectWriter::TrpObjectWriter(TrpBuild &build) : m_build(build) {}

bool TrpObjectWriter::prepare(TrpView &view, TrpBand &band)
{
    m_build.view = &view;
    if (dynamic_cast<TrpMemoView *>(&view))
        return prepareMemo(view, band);
    view.ExpandedMemo = view.Memo;
    view.loadFromField(view.ExpandedMemo);
    if (m_build.report.OnEnterRect)
        m_build.report.OnEnterRect(view.ExpandedMemo, view);
    if (!m_build.runScript(view, &band))
        return false;
    if (auto *check = dynamic_cast<TrpCheckBoxView *>(&view); check && view.Visible && !view.ExpandedMemo.isEmpty()) {
        const std::optional<Variant> value = m_build.report.parser().Calc(view.ExpandedMemo.first());
        std::optional<double> number = value ? value->toDouble() : std::nullopt;
        if (!value || (!number && !value->isEmpty() && !value->isNull())) {
            m_build.report.setBuildError(&view, &band,
                                         value
                                             ? TrpError{TrpError::Kind::Conversion,
                                                        QStringLiteral("'%1' is not a number").arg(value->toText()), -1}
                                             : m_build.report.parser().error());
            return false;
        }
        const double whole = std::trunc(number.value_or(0));
        view.ExpandedMemo.first() = std::fabs(whole) < 1e18 ? QString::number(qint64(whole)) : QStringLiteral("1");
    }
    return true;
}

bool TrpObjectWriter::prepareMemo(TrpView &view, TrpBand &band)
{
    auto &memo = static_cast<TrpMemoView &>(view);
    m_hooked.remove(&view);
    if (!m_build.runScript(view, &band))
        return false;
    // Text that the field or the form's hook gave is output as it is.
    QStringList text = memo.Memo;
    memo.loadFromField(text);
    if (m_build.report.OnEnterRect)
        m_build.report.OnEnterRect(text, view);
    if (text != memo.Memo) {
        memo.ExpandedMemo = TrpExpander::splitLines(text);
        m_hooked.insert(&view);
        return true;
    }
    return refresh(view, band);
}

bool TrpObjectWriter::refresh(TrpView &view, TrpBand &band)
{
    auto *memo = dynamic_cast<TrpMemoView *>(&view);
    if (!memo || m_hooked.contains(&view))
        return true;
    m_build.view = &view;
    TrpError error;
    if (!memo->ExpandMemo(m_build.report, error)) {
        m_build.report.setBuildError(&view, &band, error);
        return false;
    }
    return true;
}

bool TrpObjectWriter::write(TrpView &view, TrpBand &band, qint32 x, qint32 y)
{
    if (!view.Visible)
        return true;
    auto *memo = dynamic_cast<TrpMemoView *>(&view);
    bool highlighted = false;
    if (memo && !memo->HighlightCondition.isEmpty()) {
        m_build.view = &view;
        const std::optional<Variant> value = m_build.report.parser().Calc(memo->HighlightCondition);
        int order = 0;
        if (!value || Variant::compare(*value, Variant(0), order) != Variant::Status::Ok) {
            m_build.report.setBuildError(&view, &band,
                                         value
                                             ? TrpError{TrpError::Kind::Conversion,
                                                        QStringLiteral("'%1' is not a number").arg(value->toText()), -1}
                                             : m_build.report.parser().error());
            return false;
        }
        highlighted = order != 0;
    }
    if (highlighted)
        memo->setHighlighted(true);
    view.saveGeometry();
    const qint32 height = view.Height;
    view.Left = x;
    view.Top = y;
    view.Height = height;
    const bool ok = put(view, &band);
    view.restoreGeometry();
    view.Height = height;
    if (highlighted)
        memo->setHighlighted(false);
    return ok;
}

bool TrpObjectWriter::writeRecorded(TrpView &view, qint32 x, qint32 y)
{
    const qint32 left = view.Left, top = view.Top;
    view.Left = x;
    view.Top = y;
    const bool ok = put(view, nullptr);
    view.Left = left;
    view.Top = top;
    return ok;
}

void TrpObjectWriter::beginRecordedStep(qint32 height)
{
    if (m_build.page && m_build.page->recorder)
        m_build.page->recorder->beginStep(height);
}

bool TrpObjectWriter::put(TrpView &view, TrpBand *band)
{
    if (m_build.page && m_build.page->recorder) {
        m_build.page->recorder->add(view);
        return true;
    }
    if (m_build.FirstPass)
        return true;
    TrpEMFPage *page = m_build.currentPage();
    if (!page)
        return true;
    TrpError error;
    if (page->addObject(view, &error))
        return true;
    m_build.report.setBuildError(&view, band, error);
    return false;
}
