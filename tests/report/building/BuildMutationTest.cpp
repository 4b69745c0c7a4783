#include "BuildFixture.h"

#include "report/objects/TrpCheckBoxView.h"
#include "report/objects/TrpShapeView.h"
#include "report/objects/TrpSubReportView.h"

#include <QBuffer>

#include <map>
#include <random>

using namespace TrpBandTypes;

namespace {

// Templates with every kind of band, broken in their fields or bytes, are
// built again and again: each build must end (in pages or a build error),
// never crash or hang; the sanitizer build checks memory on the way.
class BuildMutationTest : public BuildFixture
{
protected:
    void makeTemplate()
    {
        band(btReportTitle, 0, 20);
        memo(0, 0, "[PAGE#] [DATE]");
        band(btPageHeader, 20, 20);
        band(btColumnHeader, 40, 20);
        memo(0, 40, "Col [COLUMN#]");
        band(btGroupHeader, 60, 20, q("[LINE#] MOD 3"));
        memo(0, 60, "G").Script = strings({"if FREESPACE < 100 then NEWPAGE"});
        band(btMasterData, 80, 20, q("7"), 48 | TrpBandView::bfAllowSplit | TrpBandView::bfStretched);
        auto &row = memo(0, 80, "[LINE#] [CURRENT#]", 100, 40);
        row.Flags = TrpView::flStretched | TrpView::flWordWrap;
        row.Script = strings({"begin Height := Height + 1; Visible := 1 end"});
        band(btDetailData, 130, 20, q("2"));
        memo(0, 130, "[SUM([LINE#])]");
        band(btDetailFooter, 150, 20);
        memo(0, 150, "[AVG([LINE#])] [MIN([LINE#])]");
        band(btGroupFooter, 170, 20);
        memo(0, 170, "[COUNT(1)]");
        band(btMasterFooter, 190, 20);
        band(btReportSummary, 210, 30);
        auto sub = std::make_unique<TrpSubReportView>();
        sub->Top = 215;
        sub->SubPage = 1;
        addObject(std::move(sub));
        band(btPageFooter, 250, 20);
        memo(0, 250, "[PAGE#]/[TOTALPAGES]");
        auto check = std::make_unique<TrpCheckBoxView>();
        check->Top = 85;
        check->Memo = strings({"[LINE#] MOD 2"});
        addObject(std::move(check));
        auto shape = std::make_unique<TrpShapeView>();
        shape->Top = 0;
        shape->ShapeKind = 3;
        addObject(std::move(shape));
        auto &strip = band(btCrossData, 0, 0, q("3"));
        strip.Left = 300;
        strip.Width = 40;
        memo(300, 80, "[COLUMN#]", 40);
        band(btMasterData, 0, 30, q("4"), 48, 1);
        memo(0, 0, "sub [LINE#]", 100, 10, 1);
        page(1).ColumnCount = 2;
    }

    QByteArray saved()
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(report.SaveToStream(buffer));
        return bytes;
    }

    bool load(QByteArray bytes)
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        report.Pages().Clear();
        return report.LoadFromStream(buffer);
    }

    enum class Outcome { Built, Failed, Stopped };

    // Builds with a budget of bands and pages, so that a template that asks
    // for millions of rows or pages ends in the test's time as it would by
    // Cancel. A build ends in pages, in an error that says where, or by
    // the budget: never in a false result without a reason.
    Outcome buildBounded()
    {
        int bands = 0;
        bool overBudget = false;
        report.OnBeginBand = [&](TrpBand &) {
            if (++bands > 3000) {
                overBudget = true;
                report.Terminate();
            }
        };
        report.OnBeginPage = [&](int page) {
            if (page > 200) {
                overBudget = true;
                report.Terminate();
            }
        };
        const bool prepared = report.PrepareReport();
        for (int i = 0; i < std::min(report.EMFPages().Count(), 3); ++i)
            (void)report.EMFPages()[i].drawList();
        if (report.hasError()) {
            EXPECT_TRUE(report.ErrorCause().isSet());
            EXPECT_TRUE(report.ErrorText().startsWith(q("An error occured during calculating")))
                << report.ErrorText().toStdString();
            EXPECT_TRUE(report.ErrorText().contains(q("\rReport rpReport1\rBand: "))) << report.ErrorText().toStdString();
            return Outcome::Failed;
        }
        EXPECT_FALSE(report.ErrorCause().isSet());
        EXPECT_EQ(prepared, !overBudget);
        return overBudget ? Outcome::Stopped : Outcome::Built;
    }
};

void mutateField(TrpView &view, std::mt19937 &random)
{
    static const qint32 extremes[] = {0, -1, 1, -100000, 100000, 2147483647, -2147483647 - 1, 7, 500};
    const qint32 value = extremes[random() % std::size(extremes)];
    switch (random() % 10) {
    case 0:
        view.Top = value;
        break;
    case 1:
        view.Height = value;
        break;
    case 2:
        view.Left = value;
        break;
    case 3:
        view.Width = value;
        break;
    case 4:
        view.Flags = quint16(random());
        break;
    case 5:
        view.FrameTyp = quint16(random() % 24);
        break;
    case 6: {
        static const char *const sources[] = {"", "0", "999999999", "1;x", "Nowhere", "[LINE#]", "3", "Band1=2;"};
        view.FormatStr = q(sources[random() % std::size(sources)]);
        break;
    }
    case 7: {
        static const char *const texts[] = {"[", "[[", "[SUM(", "[1/0]", "[INPUT('a','b')]", "[NEWPAGE]", "", "]"};
        view.Memo = strings({texts[random() % std::size(texts)]});
        break;
    }
    case 8: {
        static const char *const scripts[] = {"NEWPAGE", "NEWCOLUMN", "begin", "Visible := 0", "Height := -5",
                                              "while 0 do x := 1"};
        view.Script = strings({scripts[random() % std::size(scripts)]});
        break;
    }
    default:
        if (auto *sub = dynamic_cast<TrpSubReportView *>(&view))
            sub->SubPage = value;
        else
            view.Visible = !view.Visible;
        break;
    }
}

TEST_F(BuildMutationTest, BrokenTemplatesBuildOrFailInOrder)
{
    makeTemplate();
    const QByteArray valid = saved();
    ASSERT_TRUE(build());
    std::mt19937 random(20261207);
    for (int round = 0; round < 1500; ++round) {
        load(valid);
        const int changes = 1 + int(random() % 4);
        for (int c = 0; c < changes; ++c) {
            TrpPage &target = report.Pages()[int(random() % 2)];
            if (random() % 8 == 0) {
                target.ColumnCount = qint32(random() % 2 ? random() : random() % 5);
                target.Margins.Bottom = qint32(random() % 3 == 0 ? 100000 : random() % 200);
                continue;
            }
            mutateField(*target.Objects[random() % target.Objects.size()], random);
        }
        buildBounded();
    }
}

// Bytes changed at random: the file loads, and saves again as what it
// loaded, or is refused with a stream error at a place inside it; either
// way what was read builds or fails in order.
TEST_F(BuildMutationTest, BrokenBytesLoadAndBuildOrFailInOrder)
{
    makeTemplate();
    const QByteArray valid = saved();
    std::mt19937 random(7);
    int loaded = 0;
    int refused = 0;
    std::map<Outcome, int> outcomes;
    for (int round = 0; round < 1500; ++round) {
        QByteArray bytes = valid;
        const int changes = 1 + int(random() % 3);
        for (int c = 0; c < changes; ++c)
            bytes[qsizetype(random() % quint32(bytes.size()))] = char(random());
        SCOPED_TRACE(round);
        if (load(bytes)) {
            ++loaded;
            EXPECT_FALSE(report.LoadError().isSet());
            const QByteArray again = saved();
            EXPECT_TRUE(load(again)) << report.LoadError().message.toStdString();
            EXPECT_EQ(saved(), again);
        } else {
            ++refused;
            EXPECT_EQ(report.LoadError().kind, TrpError::Kind::Stream);
            EXPECT_GE(report.LoadError().position, 0);
            EXPECT_LE(report.LoadError().position, bytes.size());
        }
        ++outcomes[buildBounded()];
    }
    // Every way is taken often enough to count.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 100);
    EXPECT_GT(outcomes[Outcome::Built], 100);
    EXPECT_GT(outcomes[Outcome::Failed], 10);
}

} // namespace
