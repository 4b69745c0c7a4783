#include "DatabaseFixture.h"

#include "report/building/TrpBandTypes.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpDbRowSource.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpMemoView.h"
#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpPrinter.h"

#include "platform/DbDataSet.h"
#include "platform/DbPagedQuery.h"
#include "platform/DbQuery.h"

namespace {

// A printing form's query handed to the engine: a list report over it, with
// the query back on the row it stood on.
class TrpDbRowSourceTest : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(exec(QStringLiteral("CREATE TABLE RptRows (No integer, Name varchar(20), Amount double precision)")));
        ASSERT_TRUE(exec(QStringLiteral("INSERT INTO RptRows VALUES (1, 'Sato', 1.5), (2, 'Suzuki', 2), (3, NULL, 4)")));
        ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT No, Name, Amount FROM RptRows ORDER BY No"))))
            << rows.errorText().toStdString();
    }

    // A page with a master band over the data set "Rows" printing the line.
    static void addList(TrpReport &report, TrpPrinter &printer, const QString &line)
    {
        report.setPrinter(printer);
        TrpPage &page = report.Pages().Add();
        page.applyPaper(printer);
        auto band = std::make_unique<TrpBandView>();
        band->FrameTyp = TrpBandTypes::btMasterData;
        band->Height = 20;
        band->FormatStr = QStringLiteral("Rows");
        page.Objects.push_back(std::move(band));
        auto memo = std::make_unique<TrpMemoView>();
        memo->Memo = QStringList{line};
        page.Objects.push_back(std::move(memo));
    }

    DbDataSet rows;
};

TEST_P(TrpDbRowSourceTest, AListWalksTheQueryAndLeavesItWhereItWas)
{
    ASSERT_TRUE(rows.next());
    TrpDbRowSource source(rows);
    QObject form;
    TrpDBDataSet data(&form);
    data.setObjectName(QStringLiteral("Rows"));
    data.setDataSet(&source);
    data.RangeBegin = rbFirst;
    data.RangeEnd = reLast;

    TrpPrinter printer{QStringList()};
    TrpReport report(&form);
    addList(report, printer, QStringLiteral("[No] [Name] [Amount] [SUM([Rows.Amount])]"));
    report.PrepareReport();
    ASSERT_FALSE(report.hasError()) << report.ErrorCause().message.toStdString();
    QStringList texts;
    for (const std::unique_ptr<TrpView> &view : report.EMFPages()[0].objects())
        texts.append(view->ExpandedMemo.join(QLatin1Char('/')));
    EXPECT_EQ(texts.join(QLatin1Char(',')), QStringLiteral("1 Sato 1.5 7.5,2 Suzuki 2 7.5,3   4 7.5"));

    // rbCurrent and reCurrent: the row that was current, and back on it.
    ASSERT_TRUE(rows.setPosition(1));
    data.RangeBegin = rbCurrent;
    data.RangeEnd = reCurrent;
    report.PrepareReport();
    ASSERT_EQ(report.EMFPages()[0].objects().size(), 1u);
    EXPECT_EQ(report.EMFPages()[0].objects()[0]->ExpandedMemo.first(), QStringLiteral("2 Suzuki 2 7.5"));
    EXPECT_EQ(rows.position(), 1);
}

QStringList dbWarnings;

void keepDbWarnings(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (QLatin1String(context.category) == QLatin1String("tamsolen.platform.db"))
        dbWarnings.append(message);
}

// The engine asks for every name a report uses; the form's variables are no
// fields of the query, and asking for them fills no log.
TEST_P(TrpDbRowSourceTest, NamesThatAreNoFieldsAreAnsweredQuietly)
{
    TrpDbRowSource source(rows);
    dbWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepDbWarnings);
    const std::optional<Variant> missing = source.fieldValue(QStringLiteral("Tsusan"));
    const std::optional<TrpRowSource::FieldType> missingType = source.fieldType(QStringLiteral("Tsusan"));
    const std::optional<QByteArray> missingBytes = source.fieldBytes(QStringLiteral("Tsusan"));
    const std::optional<Variant> name = source.fieldValue(QStringLiteral("name"));
    qInstallMessageHandler(previous);
    EXPECT_FALSE(missing.has_value());
    EXPECT_FALSE(missingType.has_value());
    EXPECT_FALSE(missingBytes.has_value());
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->toText(), QStringLiteral("Sato"));
    EXPECT_EQ(dbWarnings, QStringList());
    // Asked by the code itself, a missing field is still told.
    qInstallMessageHandler(keepDbWarnings);
    EXPECT_FALSE(rows.field(u"Tsusan").isValid());
    qInstallMessageHandler(previous);
    EXPECT_EQ(dbWarnings.size(), 1);
}

TEST_P(TrpDbRowSourceTest, APageThatCannotBeReadFailsTheReport)
{
    // A list read a page at a time whose second page fails: the report
    // says why instead of ending after the first page.
    ASSERT_TRUE(exec(QStringLiteral("CREATE VIEW RptView AS SELECT No, Name FROM RptRows")));
    DbPagedQuery query(db(), QStringLiteral("SELECT No, Name FROM RptView"));
    query.addKey(QStringLiteral("No")).setFirstPageSize(2);
    DbDataSet paged;
    ASSERT_TRUE(paged.open(query)) << paged.errorText().toStdString();
    ASSERT_TRUE(exec(QStringLiteral("DROP VIEW RptView")));
    TrpDbRowSource source(paged);
    QObject form;
    TrpDBDataSet data(&form);
    data.setObjectName(QStringLiteral("Rows"));
    data.setDataSet(&source);

    TrpPrinter printer{QStringList()};
    TrpReport report(&form);
    addList(report, printer, QStringLiteral("[No]"));
    report.PrepareReport();
    ASSERT_TRUE(report.hasError());
    EXPECT_TRUE(report.ErrorCause().message.contains(QStringLiteral("RptView"), Qt::CaseInsensitive))
        << report.ErrorCause().message.toStdString();
}

TAMSOLEN_DATABASE_TEST_SUITE(TrpDbRowSourceTest);

} // namespace
