#include "DatabaseFixture.h"
#include "PreparedFixtures.h"

#include "report/building/TrpBandTypes.h"
#include "report/building/TrpReport.h"
#include "report/data/TrpDBDataSet.h"
#include "report/data/TrpDbRowSource.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/pages/TrpEMFPage.h"
#include "report/pages/TrpPrinter.h"

#include "base/Sjis.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using namespace PreparedFixtures;

namespace {

// 40 x 20: red on the left, transparent on the right.
QByteArray halfRedPng()
{
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(0, 0, 20, 20, Qt::red);
    return imageBytes(image, "PNG");
}

QByteArray blueBmp()
{
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return imageBytes(image, "BMP");
}

// Photos and notes kept as bytes in a table of the facility's database, a
// list report over them with the pictures and the note bound to the fields.
class TrpFieldContentTest : public DatabaseFixture
{
protected:
    static constexpr qint32 RowHeight = 60;

    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        const QString bytes = sqlFor(QStringLiteral("BLOB"), QStringLiteral("BYTEA"));
        ASSERT_TRUE(exec(QStringLiteral("CREATE TABLE RptPhotos (No integer, Photo %1, Note %1)").arg(bytes)));
        const QByteArray png = halfRedPng();
        const QList<std::pair<DbValue, DbValue>> rows = {
            {png, Sjis::encode(u"杖歩行\r\n見守り要")},
            {DbValue(), DbValue()},
            {QByteArray("BM this is no bitmap"), QByteArray("\x01\x02\xff\0", 4)},
            {blueBmp(), QByteArray()},
            {png.left(40), DbValue()},
            {QByteArray(), Sjis::encode(u"見守り") + QByteArray(3, '\0')},
        };
        for (int i = 0; i < rows.size(); ++i) {
            DbQuery insert(db(), QStringLiteral("INSERT INTO RptPhotos (No, Photo, Note) VALUES (?, ?, ?)"));
            insert.addBind(i + 1).addBind(rows[i].first).addBind(rows[i].second);
            ASSERT_TRUE(exec(insert));
        }
        build();
    }

    // Photo and Note as stored; Once an expression that holds the photo of
    // the first row only.
    void build()
    {
        ASSERT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT No, Photo, Note, CASE WHEN No = 1 THEN Photo END "
                                                           "AS Once FROM RptPhotos ORDER BY No"))))
            << rows.errorText().toStdString();
        source = std::make_unique<TrpDbRowSource>(rows);
        auto *data = new TrpDBDataSet(&form);
        data->setObjectName(QStringLiteral("Rows"));
        data->setDataSet(source.get());

        report.setPrinter(printer);
        TrpPage &page = report.Pages().Add();
        page.applyPaper(printer);
        auto band = std::make_unique<TrpBandView>();
        band->FrameTyp = TrpBandTypes::btMasterData;
        band->Height = RowHeight;
        band->FormatStr = QStringLiteral("Rows");
        page.Objects.push_back(std::move(band));
        for (const auto &[name, left] : {std::pair{"[Photo]", 20}, std::pair{"[Rows.Once]", 120}}) {
            auto picture = std::make_unique<TrpPictureView>();
            picture->Memo = QStringList{QString::fromLatin1(name)};
            picture->Flags = TrpPictureView::pfStretch;
            picture->Left = left;
            picture->Top = 5;
            picture->Width = 80;
            picture->Height = 40;
            page.Objects.push_back(std::move(picture));
        }
        auto memo = std::make_unique<TrpMemoView>();
        memo->Memo = QStringList{QStringLiteral("[Note]")};
        memo->Left = 220;
        memo->Top = 5;
        memo->Width = 200;
        memo->Height = 40;
        page.Objects.push_back(std::move(memo));
    }

    void prepare()
    {
        report.PrepareReport();
        ASSERT_FALSE(report.hasError()) << report.ErrorCause().message.toStdString();
        ASSERT_EQ(report.EMFPages().Count(), 1);
    }

    TrpPrinter printer{QStringList()};
    DbDataSet rows;
    std::unique_ptr<TrpDbRowSource> source;
    QObject form;
    TrpReport report{&form};
};

TEST_P(TrpFieldContentTest, PicturesAndMemosTakeTheirBoundFieldsBytes)
{
    ASSERT_NO_FATAL_FAILURE(prepare());
    TrpEMFPage &page = report.EMFPages()[0];
    const std::vector<std::unique_ptr<TrpView>> &objects = page.objects();
    ASSERT_EQ(objects.size(), 18u);
    auto picture = [&objects](int row, int column) {
        return dynamic_cast<const TrpPictureView *>(objects[size_t(row * 3 + column)].get());
    };
    auto note = [&objects](int row) {
        return objects[size_t(row * 3 + 2)]->ExpandedMemo;
    };

    // The PNG becomes a bitmap (what a prepared page holds), the BMP stays
    // as it was stored; a null, empty bytes, a false bitmap and a cut PNG
    // give no picture rather than the row before's.
    ASSERT_TRUE(picture(0, 0));
    EXPECT_EQ(picture(0, 0)->pictureKind(), TrpPictureView::pkBitmap);
    EXPECT_EQ(picture(0, 0)->pictureSize(), QSizeF(40, 20));
    EXPECT_EQ(picture(3, 0)->pictureKind(), TrpPictureView::pkBitmap);
    EXPECT_EQ(picture(3, 0)->pictureData(), blueBmp());
    for (const int row : {1, 2, 4, 5})
        EXPECT_EQ(picture(row, 0)->pictureKind(), TrpPictureView::pkNone) << "row " << row + 1;
    EXPECT_EQ(picture(0, 1)->pictureSize(), QSizeF(40, 20)) << "a picture in an expression column";
    for (int row = 1; row < 6; ++row)
        EXPECT_EQ(picture(row, 1)->pictureKind(), TrpPictureView::pkNone) << "row " << row + 1;

    // The note's Shift-JIS bytes as lines, up to a NUL that pads a record;
    // a null or empty note none.
    EXPECT_EQ(note(0), QStringList({u8("杖歩行"), u8("見守り要")}));
    EXPECT_TRUE(note(1).isEmpty());
    EXPECT_EQ(note(2).size(), 1);
    EXPECT_TRUE(note(3).isEmpty());
    EXPECT_EQ(note(5), QStringList{u8("見守り")});

    // Drawn at the object's rectangle, stretched to it: the red half, the
    // transparent half on white paper, the blue bitmap; nothing else.
    const QImage image = drawnPage(page);
    const QList<const TrpDrawRecord *> drawn = recordsOf<TrpDrawRecord::Image>(page.drawList());
    ASSERT_EQ(drawn.size(), 3);
    const QRectF red = std::get<TrpDrawRecord::Image>(drawn[0]->item).target;
    const QRectF once = std::get<TrpDrawRecord::Image>(drawn[1]->item).target;
    const QRectF blue = std::get<TrpDrawRecord::Image>(drawn[2]->item).target;
    EXPECT_EQ(red.size(), QSizeF(80, 40));
    EXPECT_EQ(once.topLeft() - red.topLeft(), QPointF(100, 0));
    EXPECT_EQ(blue.topLeft() - red.topLeft(), QPointF(0, 3 * RowHeight));
    const QPointF offset = red.topLeft() - QPointF(picture(0, 0)->Left, picture(0, 0)->Top);
    EXPECT_EQ(blue.topLeft() - offset, QPointF(picture(3, 0)->Left, picture(3, 0)->Top));
    EXPECT_EQ(image.pixel((red.topLeft() + QPointF(20, 20)).toPoint()), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel((red.topLeft() + QPointF(60, 20)).toPoint()), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(blue.center().toPoint()), qRgb(0, 0, 255));
    const QPointF empty = red.center() + QPointF(0, RowHeight);
    EXPECT_EQ(image.pixel(empty.toPoint()), qRgb(255, 255, 255));
}

TEST_P(TrpFieldContentTest, ANamedValueOfTheDataFieldKindBindsToo)
{
    report.Template().Values.Add({vtDataField, 0, QStringLiteral("Rows"), QStringLiteral("Photo"), u8("写真")});
    report.Pages()[0].Objects[1]->Memo = QStringList{u8("[写真]")};
    ASSERT_NO_FATAL_FAILURE(prepare());
    const auto *first = dynamic_cast<const TrpPictureView *>(report.EMFPages()[0].objects()[0].get());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pictureSize(), QSizeF(40, 20));
}

TEST_P(TrpFieldContentTest, ThePreparedReportFileKeepsThePictures)
{
    ASSERT_NO_FATAL_FAILURE(prepare());
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("photos.rpd"));
    ASSERT_TRUE(report.SavePreparedReport(file));

    TrpReport loaded(&form);
    ASSERT_TRUE(loaded.LoadPreparedReport(file));
    ASSERT_EQ(loaded.EMFPages().Count(), 1);
    const auto *first = dynamic_cast<const TrpPictureView *>(loaded.EMFPages()[0].objects()[0].get());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pictureSize(), QSizeF(40, 20));
    EXPECT_EQ(recordsOf<TrpDrawRecord::Image>(loaded.EMFPages()[0].drawList()).size(), 3);
}

TAMSOLEN_DATABASE_TEST_SUITE(TrpFieldContentTest);

} // namespace
