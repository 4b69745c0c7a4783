#pragma once

#include "report/building/TrpInputUi.h"
#include "report/building/TrpMessageUi.h"
#include "report/building/TrpPreviewUi.h"
#include "report/building/TrpProgressUi.h"
#include "report/building/TrpReportUi.h"

#include <QStringList>

// The engine's windows for tests: records what would be shown, answers the
// input box from a queue, and can press Cancel after some pages. Installed
// while alive.
class FakeReportUi : public TrpProgressUi, public TrpInputUi, public TrpMessageUi, public TrpPreviewUi
{
public:
    FakeReportUi() { TrpReportUi::install({this, this, this, this}); }
    ~FakeReportUi() override { TrpReportUi::install({}); }
    FakeReportUi(const FakeReportUi &) = delete;
    FakeReportUi &operator=(const FakeReportUi &) = delete;

    bool run(const QString &caption, const QString &label, const std::function<void()> &work) override
    {
        shown.append(caption + QStringLiteral(" / ") + label);
        m_showing = true;
        work();
        m_showing = false;
        return !m_cancelled;
    }
    bool isShowing() const override { return m_showing; }
    void setLabel(const QString &label) override { labels.append(label); }
    bool cancelRequested() override
    {
        m_cancelled = m_cancelled || (cancelAfter >= 0 && labels.size() > cancelAfter);
        return m_cancelled;
    }
    QString input(const QString &, const QString &prompt, const QString &defaultText) override
    {
        shown.append(QStringLiteral("input ") + prompt + QStringLiteral(" / ") + defaultText);
        return answers.isEmpty() ? defaultText : answers.takeFirst();
    }
    void showError(const QString &caption, const QString &text) override
    {
        shown.append(caption + QStringLiteral(": ") + text);
    }
    void show(TrpReport &, const QString &caption) override { shown.append(QStringLiteral("preview ") + caption); }

    QStringList shown;
    QStringList labels;
    QStringList answers;
    // Cancel once more than this many labels were set; -1 never.
    int cancelAfter = -1;

private:
    bool m_showing = false;
    bool m_cancelled = false;
};
