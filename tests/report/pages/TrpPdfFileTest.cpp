#include "PdfTools.h"
#include "building/BuildFixture.h"

#include "report/pages/TrpPagePrinter.h"
#include "report/pages/TrpPdfFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const char *const Names[] = {"山田 花子", "佐藤　一郎", "高橋 工", "渡辺 己之助", "齋藤 巾", "長谷川 龍"};
const char *const Mixed = "利用者番号 00123 山田 太郎（やまだ たろう）様 令和8年12月7日 "
                          "歩行：杖歩行、見守り要。立ち上がり・移乗は自立。週2回 40分、"
                          "屋外歩行と階段昇降の練習を行う。ｶﾀｶﾅ半角、全角ＡＢＣ１２３ 印刷日　2026／12／07 〈評価〉";

class TrpPdfFileTest : public BuildFixture
{
protected:
    void SetUp() override
    {
        band(TrpBandTypes::btReportTitle, 0, 600);
        int top = 20;
        for (const char *name : Names) {
            for (const char *font : {"ＭＳ ゴシック", "ＭＳ 明朝"}) {
                TrpMemoView &view = memo(20, top, name, 300, 24);
                view.Font.Name = q(font);
                view.Font.Size = 14;
                view.Font.Style = top % 3 == 0 ? 2 : 0;
                top += 26;
            }
        }
        TrpMemoView &view = memo(20, top, Mixed, 700, 120);
        view.Flags = TrpView::flWordWrap;
        ASSERT_TRUE(build());
    }

    // The pages as Qt's writer gives them, and as the system writes them.
    QByteArray written(bool mended)
    {
        TrpPdfFile file;
        QBuffer plain;
        plain.open(QIODevice::WriteOnly);
        QPdfWriter plainWriter(&plain);
        QPdfWriter &writer = mended ? file.writer() : plainWriter;
        writer.setResolution(300);
        {
            TrpPagePrinter printer(writer);
            for (int i = 0; i < pageCount(); ++i)
                EXPECT_TRUE(printer.print(report.EMFPages()[i]));
            EXPECT_TRUE(printer.finish());
        }
        return mended ? file.document() : plain.data();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TrpPdfFileTest, TextComesBackAsPrinted)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is missing (poppler-utils, scripts/install-deps)";
    const QString path = dir.filePath(QStringLiteral("names.pdf"));
    TrpPdfFile file;
    {
        TrpPagePrinter printer(file.writer());
        ASSERT_TRUE(printer.print(report.EMFPages()[0]));
        ASSERT_TRUE(printer.finish());
    }
    ASSERT_TRUE(file.save(path)) << file.errorString().toStdString();
    const QString text = QString::fromUtf8(toolOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    // pdftotext spaces words its own way.
    const QString words = withoutSpace(text);
    for (const char *name : Names)
        EXPECT_EQ(words.count(withoutSpace(q(name))), 2) << name << "\n" << text.toStdString();
    EXPECT_TRUE(words.contains(withoutSpace(q(Mixed)))) << text.toStdString();
}

TEST_F(TrpPdfFileTest, PagesDrawAsQtWroteThem)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm is missing (poppler-utils, scripts/install-deps)";
    const QByteArray plain = written(false);
    const QByteArray mended = written(true);
    ASSERT_NE(plain, mended);
    QList<QByteArray> pictures;
    for (const QByteArray &pdf : {plain, mended}) {
        const QString path = dir.filePath(QStringLiteral("page%1.pdf").arg(pictures.size()));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(pdf) == pdf.size());
        out.close();
        pictures.append(toolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), path}));
    }
    EXPECT_FALSE(pictures[0].isEmpty());
    EXPECT_EQ(pictures[0], pictures[1]);
}

TEST_F(TrpPdfFileTest, FileIsWrittenWholeOrNotAtAll)
{
    TrpPdfFile file;
    {
        TrpPagePrinter printer(file.writer());
        ASSERT_TRUE(printer.print(report.EMFPages()[0]));
        ASSERT_TRUE(printer.finish());
    }
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
    EXPECT_FALSE(file.save(missing));
    EXPECT_FALSE(file.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(missing));

    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    ASSERT_TRUE(file.save(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), file.document());
}
