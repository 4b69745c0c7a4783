#include "report/building/TrpBuild.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpFieldBinding.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpProgressUi.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpReportUi.h"
#include "report/data/TrpDataset.h"
#include "report/objects/TrpSubReportView.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPage.h"

#include "base/Clock.h"

TrpBuild::TrpBuild(TrpReport &owner, int totalPages, bool firstPass)
    : report(owner), interpretator(owner), writer(*this), TotalPages(totalPages), FirstPass(firstPass)
{
    const TDateTime now = Clock::now();
    Date = DateTime::dateOf(now);
    Time = DateTime::timeOf(now);
}

TrpBuild::~TrpBuild() = default;

bool TrpBuild::stopped() const
{
    return report.Terminated() || report.hasError();
}

TrpEMFPage *TrpBuild::currentPage() const
{
    TrpEMFPages &pages = report.EMFPages();
    if (PageNo < 0 || PageNo >= pages.Count())
        return nullptr;
    return &pages[PageNo];
}

void TrpBuild::startPage(const TrpPage &templatePage)
{
    report.EMFPages().Add(templatePage, PageNo);
    reportProgress();
    if (report.OnBeginPage)
        report.OnBeginPage(PageNo);
}

void TrpBuild::reportProgress()
{
    if (report.OnProgress) {
        report.OnProgress(PageNo + 1);
        return;
    }
    TrpProgressUi *progress = TrpReportUi::installed().progress;
    if (!report.ShowProgress || !progress || !progress->isShowing())
        return;
    QString label = (FirstPass ? QStringLiteral("Performing 1st pass:") : QStringLiteral("Processing page:")) +
                    QStringLiteral("  %1").arg(PageNo + 1);
    if (TotalPages > 0 && ShowTotal)
        label += QStringLiteral(" from %1").arg(TotalPages);
    progress->setLabel(label);
    if (progress->cancelRequested())
        report.Terminate();
}

void TrpBuild::checkCancel()
{
    TrpProgressUi *progress = TrpReportUi::installed().progress;
    if (!report.OnProgress && report.ShowProgress && progress && progress->isShowing() && progress->cancelRequested())
        report.Terminate();
}

TrpPageBuilder *TrpBuild::pageBuilder(int index) const
{
    if (index < 0 || index >= int(m_builders.size()))
        return nullptr;
    return m_builders[size_t(index)].get();
}

bool TrpBuild::runScript(TrpView &target, TrpBand *targetBand)
{
    const auto it = m_scripts.constFind(&target);
    if (it == m_scripts.cend() || it->isEmpty())
        return true;
    TrpView *savedView = interpretator.CurView;
    TrpBand *savedBand = interpretator.CurBand;
    interpretator.CurView = &target;
    interpretator.CurBand = targetBand;
    interpretator.CurPage = page;
    const bool ok = interpretator.DoScript(*it);
    interpretator.CurView = savedView;
    interpretator.CurBand = savedBand;
    if (!ok)
        report.setBuildError(&target, targetBand, interpretator.error());
    return ok;
}

bool TrpBuild::setUp()
{
    const TrpPages &pages = report.Pages();
    for (int i = 0; i < pages.Count(); ++i)
        m_pages.push_back(std::make_unique<TrpPage>(pages[i]));
    for (size_t i = 0; i < m_pages.size(); ++i)
        m_builders.push_back(std::make_unique<TrpPageBuilder>(*this, *m_pages[i], int(i)));
    for (const std::unique_ptr<TrpPage> &templatePage : m_pages) {
        for (const std::unique_ptr<TrpView> &object : templatePage->Objects) {
            if (const auto *sub = dynamic_cast<const TrpSubReportView *>(object.get())) {
                if (TrpPageBuilder *target = pageBuilder(sub->SubPage))
                    target->skip = true;
            }
            if (object->Script.isEmpty())
                continue;
            QStringList compiled;
            QList<QByteArray> errors;
            if (!interpretator.PrepareScript(object->Script, compiled, errors)) {
                report.setBuildError(object.get(), nullptr, interpretator.error());
                return false;
            }
            m_scripts.insert(object.get(), compiled);
        }
    }
    for (const std::unique_ptr<TrpPageBuilder> &builder : m_builders) {
        if (!builder->setUp())
            return false;
    }
    TrpFieldBinding::bind(*this);
    return true;
}

bool TrpBuild::run()
{
    bool ok = setUp();
    if (ok)
        ok = buildPages();
    exitDatasets();
    return ok && !stopped();
}

bool TrpBuild::buildPages()
{
    auto buildOnce = [this] {
        std::vector<TrpPageBuilder *> order;
        for (const std::unique_ptr<TrpPageBuilder> &builder : m_builders) {
            if (!builder->skip)
                order.push_back(builder.get());
        }
        for (size_t i = 0; i < order.size() && !stopped(); ++i) {
            const bool continues = i > 0 && order[i]->templatePage().PrintToPreviousPage;
            const bool keepOpen = i + 1 < order.size() && order[i + 1]->templatePage().PrintToPreviousPage;
            order[i]->build(continues ? order[i - 1] : nullptr, keepOpen);
        }
    };
    TrpDataset *master = report.Dataset;
    if (report.ReportType != rtMultiple || !master) {
        buildOnce();
        return !stopped();
    }
    if (!master->Init() || !master->First()) {
        report.setBuildError(nullptr, nullptr, master->error());
        return false;
    }
    while (!master->Eof() && !stopped()) {
        buildOnce();
        if (!stopped() && !master->Next())
            report.setBuildError(nullptr, nullptr, master->error());
    }
    if (master->failed() && !report.hasError())
        report.setBuildError(nullptr, nullptr, master->error());
    master->Exit();
    return !stopped();
}

void TrpBuild::exitDatasets()
{
    for (const std::unique_ptr<TrpPageBuilder> &builder : m_builders)
        builder->exitDatasets();
}
