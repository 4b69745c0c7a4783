#include "TemplateFixtures.h"

#include "report/objects/TrpMemoView.h"
#include "report/objects/TrpPictureView.h"
#include "report/files/TrpStreamReader.h"
#include "report/files/TrpStreamWriter.h"
#include "report/objects/TrpSubReportView.h"
#include "report/objects/TrpViewFactory.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace TemplateFixtures;

namespace {

QByteArray preparedStream(const std::vector<const TrpView *> &views)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TrpStreamWriter writer(buffer);
    writer.writeByte(23);
    for (const TrpView *view : views)
        TrpViewFactory::writePrepared(writer, *view);
    EXPECT_TRUE(writer.ok());
    return bytes;
}

TEST(TrpViewStream, PreparedModeCarriesTheExpandedTextAndNoTemplateFields)
{
    registerTestAddin();
    TrpMemoView memo;
    memo.Name = q("Memo1");
    memo.Left = 3;
    memo.FormatStr = q("N0.2");
    memo.Memo = {q("[Name]")};
    memo.ExpandedMemo = {q("山田"), q("太郎")};
    memo.Script = {q("x := 1")};
    memo.HighlightCondition = q("1");
    memo.Font.Size = 14;
    TrpPictureView picture;
    picture.setPicture(TrpPictureView::pkIcon, QByteArray("icon bytes"));
    TrpSubReportView sub;
    sub.SubPage = 4;
    TestAddin addin;
    addin.Typ = gtAddIn;
    addin.Kind = 5;

    const QByteArray bytes = preparedStream({&memo, &picture, &sub, &addin});
    LeBytes expectedMemo;
    expectedMemo.byte(0).int32(3).int32(0).int32(0).int32(0).word(3).word(0).int32(1).int32(0).word(0);
    expectedMemo.int32(0x1FFFFFFF).word(2).word(4).raw(Sjis::encode(q("山田"))).byte(13);
    expectedMemo.word(4).raw(Sjis::encode(q("太郎"))).byte(0);
    expectedMemo.text("ＭＳ ゴシック").int32(14).word(0).int32(0).int32(0).word(128);
    EXPECT_EQ(bytes.mid(1, expectedMemo.size()).toHex(' '), expectedMemo.data().toHex(' '));

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TrpStreamReader reader(buffer);
    EXPECT_EQ(reader.readByte(), 23);
    std::vector<std::unique_ptr<TrpView>> views;
    while (!reader.atEnd()) {
        std::unique_ptr<TrpView> view = TrpViewFactory::readPrepared(reader);
        ASSERT_TRUE(view) << reader.error().message.toStdString();
        views.push_back(std::move(view));
    }
    ASSERT_EQ(views.size(), 4u);
    const auto &readMemo = dynamic_cast<const TrpMemoView &>(*views[0]);
    EXPECT_EQ(readMemo.ExpandedMemo, memo.ExpandedMemo);
    EXPECT_TRUE(readMemo.Name.isEmpty());
    EXPECT_TRUE(readMemo.Script.isEmpty());
    EXPECT_TRUE(readMemo.HighlightCondition.isEmpty());
    EXPECT_EQ(readMemo.Font.Size, 14);
    EXPECT_EQ(dynamic_cast<const TrpPictureView &>(*views[1]).pictureData(), QByteArray("icon bytes"));
    EXPECT_EQ(dynamic_cast<const TrpSubReportView &>(*views[2]).SubPage, 4);
    EXPECT_EQ(dynamic_cast<const TestAddin &>(*views[3]).Kind, 5);
    EXPECT_EQ(preparedStream({views[0].get(), views[1].get(), views[2].get(), views[3].get()}), bytes);
}

TEST(TrpViewStream, UnknownRecordsAreFormatErrors)
{
    for (const QByteArray &bytes :
         {LeBytes().byte(5).int32(0).data(), LeBytes().byte(11).data(), LeBytes().byte(10).text("TrpGone").data()}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        TrpStreamReader reader(buffer);
        EXPECT_FALSE(TrpViewFactory::readPrepared(reader));
        EXPECT_FALSE(reader.ok());
        EXPECT_EQ(reader.error().position, 0);
    }
    QBuffer buffer;
    QByteArray gone = LeBytes().byte(10).text("TrpGone").data();
    buffer.setData(gone);
    buffer.open(QIODevice::ReadOnly);
    TrpStreamReader reader(buffer);
    (void)TrpViewFactory::readPrepared(reader);
    EXPECT_TRUE(reader.error().message.startsWith(TrpViewFactory::ClassNotFound));
}

} // namespace
