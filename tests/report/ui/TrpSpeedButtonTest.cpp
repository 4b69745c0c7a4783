#include "reportui/TrpSpeedButton.h"
#include "reportui/TrpTBButton.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

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
