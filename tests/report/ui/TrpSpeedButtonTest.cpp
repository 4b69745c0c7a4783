#include "reportui/TrpSpeedButton.h"
#include "reportui/TrpTBButton.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor Pictures[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// count pictures of 8 x 8 side by side, each filled with its colour.
QPixmap glyph(int count)
{
    QPixmap pixmap(8 * count, 8);
    QPainter painter(&pixmap);
    for (int i = 0; i < count; ++i)
        painter.fillRect(i * 8, 0, 8, 8, Pictures[i]);
    return pixmap;
}

QColor shown(const TrpSpeedButton &button)
{
    return button.currentGlyph().toImage().pixelColor(4, 4);
}

void enter(QWidget &widget)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&widget, &event);
}

void leave(QWidget &widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}

TEST(TrpSpeedButton, ShowsThePictureOfItsState)
{
    QWidget bar;
    TrpSpeedButton button(&bar);
    button.SetGlyph(glyph(4));
    button.SetNumGlyphs(4);
    button.SetGroupIndex(1);
    EXPECT_EQ(button.State(), TrpSpeedButton::bsUp);
    EXPECT_EQ(shown(button), Pictures[0]);
    EXPECT_EQ(button.currentGlyph().size(), QSize(8, 8));
    button.setDown(true);
    EXPECT_EQ(button.State(), TrpSpeedButton::bsDown);
    EXPECT_EQ(shown(button), Pictures[2]);
    button.setDown(false);
    button.SetDown(true);
    EXPECT_EQ(button.State(), TrpSpeedButton::bsExclusive);
    EXPECT_EQ(shown(button), Pictures[3]);
    button.setEnabled(false);
    EXPECT_EQ(button.State(), TrpSpeedButton::bsDisabled);
    EXPECT_EQ(shown(button), Pictures[1]);

    button.SetNumGlyphs(5);
    EXPECT_EQ(button.NumGlyphs(), 4) << "more than four pictures are ignored";
}

TEST(TrpSpeedButton, MissingPicturesComeFromTheUpPicture)
{
    TrpSpeedButton button;
    QPixmap up(8, 8);
    up.fill(Qt::white);
    QPainter(&up).fillRect(2, 2, 3, 3, Qt::black);
    button.SetGlyph(up);
    button.setDown(true);
    EXPECT_EQ(button.currentGlyph().toImage().pixelColor(3, 3), QColor(Qt::black)) << "no down picture: the up one";
    button.setDown(false);
    button.setEnabled(false);
    const QImage disabled = button.currentGlyph().toImage();
    EXPECT_EQ(disabled.pixelColor(2, 2), QColor(128, 128, 128));
    EXPECT_EQ(disabled.pixelColor(5, 5), QColor(Qt::white)) << "the highlight one pixel down and right";
    EXPECT_EQ(disabled.pixelColor(0, 0).alpha(), 0);
}

TEST(TrpSpeedButton, GroupsReleaseEachOther)
{
    QWidget bar;
    TrpSpeedButton first(&bar), second(&bar), elsewhere(&bar), plain(&bar);
    for (TrpSpeedButton *b : {&first, &second})
        b->SetGroupIndex(1);
    elsewhere.SetGroupIndex(2);
    elsewhere.SetDown(true);

    first.click();
    EXPECT_TRUE(first.Down());
    second.click();
    EXPECT_TRUE(second.Down());
    EXPECT_FALSE(first.Down());
    EXPECT_TRUE(elsewhere.Down()) << "another group is not touched";
    second.click();
    EXPECT_TRUE(second.Down()) << "one button of the group stays down";
    second.SetAllowAllUp(true);
    second.click();
    EXPECT_FALSE(second.Down());

    first.SetDown(true);
    second.SetDown(true);
    EXPECT_FALSE(first.Down());

    plain.SetDown(true);
    EXPECT_FALSE(plain.Down()) << "without a group a button does not stay down";
    plain.click();
    EXPECT_FALSE(plain.Down());
}

TEST(TrpSpeedButton, GrayedInactiveUntilThePointerIsOver)
{
    TrpSpeedButton button;
    button.SetGlyph(glyph(1));
    button.SetGrayedInactive(true);
    const QColor gray = shown(button);
    EXPECT_EQ(gray.red(), gray.green());
    EXPECT_EQ(gray.green(), gray.blue());
    enter(button);
    EXPECT_EQ(shown(button), Pictures[0]);
    leave(button);
    EXPECT_EQ(shown(button), gray);
    button.SetGrayedInactive(false);
    EXPECT_EQ(shown(button), Pictures[0]);
}

// The columns of the button's face, as shown, where a pixel is the glyph's
// red or the caption's dark.
struct Columns
{
    int firstRed = -1;
    int lastRed = -1;
    int firstDark = -1;
};

Columns columnsOf(QWidget &button)
{
    const QImage face = button.grab().toImage();
    Columns c;
    for (int x = 0; x < face.width(); ++x) {
        for (int y = 2; y < face.height() - 2; ++y) {
            const QColor pixel = face.pixelColor(x, y);
            if (pixel == QColor(Qt::red)) {
                c.firstRed = c.firstRed < 0 ? x : c.firstRed;
                c.lastRed = x;
            } else if (qGray(pixel.rgb()) < 100 && c.firstDark < 0) {
                c.firstDark = x;
            }
        }
    }
    return c;
}

TEST(TrpSpeedButton, MarginAndSpacingPlaceGlyphAndCaption)
{
    QWidget bar;
    TrpSpeedButton button(&bar);
    button.setFixedSize(160, 24);
    button.SetGlyph(glyph(1));
    button.setText(QStringLiteral("Ab"));
    bar.show();
    const int caption = button.fontMetrics().size(Qt::TextSingleLine, QStringLiteral("Ab")).width();

    button.SetMargin(5);
    button.SetSpacing(10);
    Columns c = columnsOf(button);
    EXPECT_EQ(c.firstRed, 5);
    EXPECT_EQ(c.lastRed, 12);
    EXPECT_GE(c.firstDark, 23);
    EXPECT_LE(c.firstDark, 26) << "the caption starts where the spacing ends";

    button.setDown(true);
    EXPECT_EQ(columnsOf(button).firstRed, 6) << "a pressed face moves one pixel in";
    button.setDown(false);

    button.SetLayout(TrpSpeedButton::blGlyphRight);
    c = columnsOf(button);
    EXPECT_EQ(c.lastRed, 160 - 5 - 1);
    EXPECT_GE(c.firstDark, 160 - 5 - 8 - 10 - caption);
    EXPECT_LT(c.firstDark, c.firstRed);

    // Centred: the three gaps of a row, with -1 for both, are one size.
    button.SetLayout(TrpSpeedButton::blGlyphLeft);
    button.SetMargin(-1);
    button.SetSpacing(-1);
    const int gap = (160 - 8 - caption) / 3;
    EXPECT_EQ(columnsOf(button).firstRed, gap);
    // Only the margin: the caption in the middle of the room after the glyph.
    button.SetMargin(0);
    EXPECT_EQ(TrpSpeedButton::placement({160, 24}, {8, 8}, {caption, 12}, TrpSpeedButton::blGlyphLeft, 0, -1).caption,
              QPoint(8 + (160 - 8 - caption) / 2, 6));
    EXPECT_EQ(columnsOf(button).firstRed, 0);
    // Glyph above: the margin counts from the top.
    EXPECT_EQ(TrpSpeedButton::placement({40, 60}, {8, 8}, {20, 12}, TrpSpeedButton::blGlyphTop, 3, 2).glyph,
              QPoint(16, 3));
}

// A down button of a group that allows all up shows a face dithered with
// white; any other down button a plain one.
TEST(TrpSpeedButton, DownButtonOfAGroupThatAllowsAllUpIsDithered)
{
    QWidget bar;
    TrpSpeedButton button(&bar);
    button.setFixedSize(40, 24);
    button.SetGroupIndex(1);
    bar.show();
    const QColor face = button.palette().color(QPalette::Button);
    ASSERT_NE(face, QColor(Qt::white));
    const auto middle = [&button] {
        const QImage shown = button.grab().toImage();
        return std::pair(shown.pixelColor(10, 10), shown.pixelColor(11, 10));
    };
    button.SetDown(true);
    EXPECT_EQ(middle(), std::pair(face, face));
    button.SetAllowAllUp(true);
    button.update();
    const auto [left, right] = middle();
    EXPECT_NE(left, right);
    EXPECT_TRUE((left == face && right == QColor(Qt::white)) || (left == QColor(Qt::white) && right == face));
    button.SetDown(false);
    EXPECT_EQ(middle(), std::pair(face, face)) << "up again, the face is plain";
}

// Buttons whose pictures have one size keep them in one shared list: each
// still shows its own pictures on its face, also after another button gave
// its slots back and a third took them.
TEST(TrpSpeedButton, ButtonsOfOneSizeShowTheirOwnPictures)
{
    QWidget bar;
    const auto button = [&bar](const QColor &colour) {
        auto made = std::make_unique<TrpSpeedButton>(&bar);
        made->setFixedSize(24, 24);
        QPixmap picture(7, 5);
        picture.fill(colour);
        made->SetGlyph(picture);
        return made;
    };
    // The middle of the face, where the centred picture lies.
    const auto face = [](TrpSpeedButton &b) { return b.grab().toImage().pixelColor(12, 12); };
    auto first = button(Qt::green);
    auto second = button(Qt::green);
    auto other = button(Qt::blue);
    bar.show();
    EXPECT_EQ(face(*first), QColor(Qt::green));
    EXPECT_EQ(face(*second), QColor(Qt::green));
    EXPECT_EQ(face(*other), QColor(Qt::blue));

    first.reset();
    auto third = button(Qt::red);
    third->show();
    EXPECT_EQ(face(*third), QColor(Qt::red));
    EXPECT_EQ(face(*second), QColor(Qt::green)) << "the slots given back were another button's";
    EXPECT_EQ(face(*other), QColor(Qt::blue));

    // The down picture is the button's own as well.
    second->SetGroupIndex(1);
    second->SetDown(true);
    EXPECT_EQ(face(*second), QColor(Qt::green));

    // A picture of another size leaves the others as they were.
    second->SetGlyph(glyph(1));
    EXPECT_EQ(face(*second), Pictures[0]);
    EXPECT_EQ(face(*third), QColor(Qt::red));
}

TEST(TrpSpeedButton, ToolBarPieces)
{
    TrpTBButton button;
    EXPECT_TRUE(button.Flat());
    button.setText(QStringLiteral("Print"));
    EXPECT_EQ(button.toolButtonStyle(), Qt::ToolButtonTextOnly);
    button.SetGlyph(glyph(1));
    button.SetLayout(TrpSpeedButton::blGlyphTop);
    EXPECT_EQ(button.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    button.SetLayout(TrpSpeedButton::blGlyphRight);
    EXPECT_EQ(button.toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    EXPECT_EQ(button.layoutDirection(), Qt::RightToLeft);
}

} // namespace
