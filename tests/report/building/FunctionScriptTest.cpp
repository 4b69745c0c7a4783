#include "BuildFixture.h"
#include "FakeReportUi.h"

#include "report/building/TrpFunctionLibrary.h"

using namespace TrpBandTypes;

namespace {

using FunctionScriptTest = BuildFixture;

TEST_F(FunctionScriptTest, StandardFunctionsGiveTheirTexts)
{
    const struct
    {
        const char *expression;
        const char *text;
    } cases[] = {
        {"NAMECASE('hELLO wORLD')", "Hello world"},
        {"NAMECASE('')", ""},
        {"LOWERCASE('ABC') + UPPERCASE('def')", "abcDEF"},
        {"FORMATFLOAT('#,##0.00', 1234.5)", "1,234.50"},
        {"FORMATDATETIME('yyyy/mm/dd', STRTODATE('2024/3/5'))", "2024/03/05"},
        {"FORMATDATETIME('hh:nn', STRTOTIME('7:05'))", "07:05"},
        {"NOSUCHFUNCTION(1, 2)", "0"},
        {"USERTWICE(21)", "42"},
        {"INPUT('Name?', 'Taro')", "Taro"},
        {"COPY(UPPERCASE('abcdef'), 2, 3)", "BCD"},
    };
    report.OnUserFunction = [](const QString &name, const Variant &p1, const Variant &, const Variant &, Variant &val) {
        if (name == QLatin1String("USERTWICE"))
            val = Variant(p1.toText().toInt() * 2);
    };
    band(btReportTitle, 0, 20);
    for (const auto &c : cases)
        memo(0, 0, QStringLiteral("[%1]").arg(q(c.expression)));
    ASSERT_TRUE(build());
    const QStringList out = texts(0);
    ASSERT_EQ(out.size(), qsizetype(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(out[qsizetype(i)].trimmed(), q(cases[i].text)) << cases[i].expression;
}

TEST_F(FunctionScriptTest, InputAsksTheInstalledBox)
{
    FakeReportUi ui;
    ui.answers = strings({"Hanako"});
    band(btReportTitle, 0, 20);
    memo(0, 0, "[INPUT('Name?', 'Taro')]");
    ASSERT_TRUE(build());
    EXPECT_EQ(texts(0), strings({"Hanako"}));
    EXPECT_TRUE(ui.shown.contains(q("input Name? / Taro")));
}

TEST_F(FunctionScriptTest, NumbersWrittenIntoExpressionsReadBack)
{
    const std::pair<double, const char *> cases[] = {
        {1234.5, "1234.5"}, {-3, "-3"}, {1e200, nullptr}, {0.1 + 0.2, "0.3"}, {1e-7, "0.0000001"}};
    for (const auto &[value, text] : cases) {
        const QString written = TrpFunctionLibrary::numberText(value);
        EXPECT_FALSE(written.contains(QLatin1Char('E')) || written.contains(QLatin1Char('e'))) << value;
        EXPECT_FALSE(written.contains(QLatin1Char(','))) << value;
        if (text) {
            EXPECT_EQ(written, q(text));
        }
        EXPECT_NEAR(written.toDouble(), value, std::abs(value) * 1e-14);
    }
    EXPECT_EQ(TrpFunctionLibrary::quotedText(q("it's")), q("'it''s'"));
}

TEST_F(FunctionScriptTest, ScriptsReadAndWriteObjects)
{
    band(btMasterData, 0, 20, q("3"));
    auto &row = memo(0, 0, "[LINE#] [Room]");
    row.Script = strings({"begin", "if [LINE#] = 2 then Visible := 0 else Visible := 1;",
                          "Room := FREESPACE; Total.Text := 'seen ' + STR([LINE#]); FontSize := 12 end"});
    auto &total = memo(200, 0, "x");
    total.Name = q("Total");
    band(btReportSummary, 30, 20);
    memo(0, 30, "[W]").Script = strings({"begin Width := Width * 2; W := Width end"});
    ASSERT_TRUE(build());
    const int room = pageHeight() - 40;
    EXPECT_EQ(allTexts(), QStringLiteral("1 %1,seen 1,seen 2,3 %2,seen 3,200").arg(pageHeight()).arg(room));
    EXPECT_EQ(rectOf(0, q("200")).width(), 200);
}

TEST_F(FunctionScriptTest, ScriptErrorsAreBuildErrors)
{
    band(btMasterData, 0, 20, q("3"));
    memo(0, 0, "row").Script = strings({"FontSize := 'big'"});
    build(true);
    EXPECT_TRUE(report.ErrorText().startsWith(q("An error occured during calculating\rrow\r")));
}

} // namespace
