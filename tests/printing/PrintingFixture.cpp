#include "PrintingFixture.h"

#include "PersonRows.h"

#include "base/Clock.h"
#include "plans/TPlanData.h"
#include "platform/DbDate.h"
#include "platform/DbQuery.h"
#include "report/building/TrpReport.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpView.h"

#include <QFontMetricsF>

void PrintingFixture::SetUp()
{
    DatabaseFixture::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    Clock::setFixed(QDateTime(QDate(2024, 4, 20), QTime(14, 5)));
    m_app = std::make_unique<TestContext>(db(), QStringLiteral(TAMSOLEN_TEMPLATE_DIR));
    ResultRows::fillStaff(m_app->mainModule);
    m_app->mainModule.FacilityName = QStringLiteral("ひだまり苑");
}

void PrintingFixture::TearDown()
{
    m_app.reset();
    Clock::reset();
    DatabaseFixture::TearDown();
}

int PrintingFixture::addUser(const QString &name, const QString &kana)
{
    return PersonRows::insert(db(), PersonRows::make(name, kana));
}

void PrintingFixture::addPlan(int cureNo, TDateTime registDay, TDateTime endDay, const QString &program1)
{
    TPlanData data;
    data.Program[0] = program1;
    DbQuery insert(db(), QStringLiteral("INSERT INTO RihaPlan (CureNo, PlanRegistDay, PlanEndDay, PlanData) "
                                        "VALUES (?, ?, ?, ?)"));
    insert.addBind(cureNo).addBind(DbDate{registDay}).addBind(DbDate{endDay}).addBind(data.toBytes());
    ASSERT_TRUE(exec(insert));
}

bool PrintingFixture::load(TrpReport &report, QStringView templateName) const
{
    return report.LoadFromFile(m_app->context.appDir + u'/' + templateName.toString());
}

std::vector<QStringList> PrintingFixture::build(TrpReport &report)
{
    EXPECT_TRUE(report.PrepareReport());
    EXPECT_FALSE(report.hasError()) << report.ErrorText().toStdString();
    std::vector<QStringList> pages;
    for (int i = 0; i < report.EMFPages().Count(); ++i) {
        QStringList texts;
        for (const std::unique_ptr<TrpView> &view : report.EMFPages()[i].objects())
            texts.append(view->ExpandedMemo.join(QLatin1Char('\n')).trimmed());
        pages.push_back(texts);
    }
    return pages;
}

QStringList PrintingFixture::strings(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

QStringList PrintingFixture::overflowing(TrpReport &report)
{
    QStringList found;
    for (int i = 0; i < report.EMFPages().Count(); ++i) {
        for (const std::unique_ptr<TrpView> &view : report.EMFPages()[i].objects()) {
            const auto *memo = dynamic_cast<const TrpMemoView *>(view.get());
            if (!memo)
                continue;
            const double inner = memo->innerWidth(memo->Width);
            const QList<TrpTextWrapper::Line> lines = memo->layoutLines(inner);
            const QFontMetricsF metrics(memo->drawingFont());
            bool out = lines.size() * memo->lineHeight() > memo->Height - 2 * TrpMemoView::GapY;
            for (const TrpTextWrapper::Line &line : lines)
                out = out || metrics.horizontalAdvance(line.text) > inner + 0.5;
            if (out)
                found.append(
                    QStringLiteral("%1 page %2: %3").arg(memo->Name).arg(i + 1).arg(memo->ExpandedMemo.join(u'|')));
        }
    }
    return found;
}
