#include "plans/FigureModel.h"

#include <gtest/gtest.h>

namespace {

using Button = FigureModel::Button;

// A left click in the chosen mode.
bool click(FigureModel &model, FigureModel::Side side, const QPoint &at, FigureModel::Kind kind,
           const QString &onMark = {})
{
    model.press(Button::Left, onMark, at);
    return model.release(side, Button::Left, false, onMark, at, kind);
}

} // namespace

TEST(FigureModel, ClicksMakeNamedMarksAndStoreInDrawingOrder)
{
    FigureModel model;
    click(model, FigureModel::Back, {30, 40}, FigureModel::Pain);
    click(model, FigureModel::Front, {10, 20}, FigureModel::Muscle);
    click(model, FigureModel::Front, {11, 21}, FigureModel::Joint);
    click(model, FigureModel::Front, {12, 22}, FigureModel::Joint);
    click(model, FigureModel::Front, {80, 150}, FigureModel::Paralysis); // right-bottom
    click(model, FigureModel::Front, {5, 5}, FigureModel::Paralysis);    // left-top
    click(model, FigureModel::Back, {60, 10}, FigureModel::Paralysis);   // right-top

    EXPECT_EQ(model.marks(FigureModel::Front, FigureModel::Joint)[1].name, QStringLiteral("FKAN1"));
    EXPECT_EQ(model.marks(FigureModel::Front, FigureModel::Muscle)[0].name, QStringLiteral("FKIN0"));
    EXPECT_EQ(model.marks(FigureModel::Back, FigureModel::Pain)[0].name, QStringLiteral("BITA0"));
    const std::vector<FigureRow> expected = {
        {0, 0, -1, 11, 21}, {0, 0, -1, 12, 22}, {1, 0, -1, 10, 20}, {3, 0, 3, -1, -1},
        {3, 0, 1, -1, -1},  {2, 1, -1, 30, 40}, {3, 1, 0, -1, -1},
    };
    EXPECT_EQ(model.rows(), expected);
}

TEST(FigureModel, LoadMakesTheMarksAgainWithNamesFromZero)
{
    FigureModel stored;
    for (int i = 0; i < 3; ++i)
        click(stored, FigureModel::Front, {i, i}, FigureModel::Joint);
    stored.removeMark(QStringLiteral("FKAN0"));
    click(stored, FigureModel::Back, {1, 200}, FigureModel::Paralysis);
    std::vector<FigureRow> rows = stored.rows();
    rows.push_back({4, 0, -1, 1, 1});  // unknown part
    rows.push_back({0, 2, -1, 1, 1});  // unknown side
    rows.push_back({3, 0, 7, -1, -1}); // unknown corner

    FigureModel model;
    click(model, FigureModel::Front, {50, 50}, FigureModel::Pain);
    model.load(rows);
    EXPECT_EQ(model.rows(), stored.rows());
    EXPECT_EQ(model.marks(FigureModel::Front, FigureModel::Joint)[0].name, QStringLiteral("FKAN0"));
    EXPECT_EQ(model.marks(FigureModel::Front, FigureModel::Joint)[1].topLeft, QPoint(2, 2));
    EXPECT_TRUE(model.marks(FigureModel::Front, FigureModel::Pain).empty());
    EXPECT_TRUE(model.overlayVisible(FigureModel::Back, FigureModel::LeftBottom));
}

TEST(FigureModel, ClearRestartsOneSide)
{
    FigureModel model;
    click(model, FigureModel::Front, {1, 1}, FigureModel::Joint);
    click(model, FigureModel::Back, {1, 1}, FigureModel::Joint);
    click(model, FigureModel::Front, {1, 1}, FigureModel::Paralysis);
    model.clear(FigureModel::Front);
    EXPECT_FALSE(model.overlayVisible(FigureModel::Front, FigureModel::LeftTop));
    click(model, FigureModel::Front, {2, 2}, FigureModel::Joint);
    click(model, FigureModel::Back, {2, 2}, FigureModel::Joint);
    EXPECT_EQ(model.marks(FigureModel::Front, FigureModel::Joint).back().name, QStringLiteral("FKAN0"));
    EXPECT_EQ(model.marks(FigureModel::Back, FigureModel::Joint).back().name, QStringLiteral("BKAN1"));
}

TEST(FigureModel, QuartersAtAndAroundTheDividingLines)
{
    struct Case
    {
        QPoint at;
        std::optional<FigureModel::Corner> corner;
    };
    const Case cases[] = {
        {{54, 94}, FigureModel::LeftTop},    {{56, 94}, FigureModel::RightTop},
        {{54, 96}, FigureModel::LeftBottom}, {{56, 96}, FigureModel::RightBottom},
        {{55, 10}, std::nullopt},            {{10, 95}, std::nullopt},
        {{55, 95}, std::nullopt},            {{-3, -3}, FigureModel::LeftTop},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FigureModel::quarterAt(c.at), c.corner) << c.at.x() << "," << c.at.y();
        FigureModel model;
        EXPECT_EQ(click(model, FigureModel::Front, c.at, FigureModel::Paralysis), c.corner.has_value());
        if (c.corner) {
            EXPECT_TRUE(model.overlayVisible(FigureModel::Front, *c.corner));
            click(model, FigureModel::Front, c.at, FigureModel::Paralysis);
            EXPECT_FALSE(model.overlayVisible(FigureModel::Front, *c.corner));
        } else {
            EXPECT_TRUE(model.rows().empty());
        }
    }
}

TEST(FigureModel, ShiftClickDeletesOnlyThatMark)
{
    FigureModel model;
    click(model, FigureModel::Front, {1, 1}, FigureModel::Pain);
    click(model, FigureModel::Front, {2, 2}, FigureModel::Pain);
    click(model, FigureModel::Front, {3, 3}, FigureModel::Joint);
    const QString victim = QStringLiteral("FITA1");
    model.press(Button::Left, victim, {0, 0});
    EXPECT_TRUE(model.release(FigureModel::Front, Button::Left, true, victim, {0, 0}, FigureModel::Joint));
    EXPECT_EQ(model.rows(), (std::vector<FigureRow>{{0, 0, -1, 3, 3}, {2, 0, -1, 1, 1}}));
    // Shift over the bare picture makes a mark as a plain click does.
    model.press(Button::Left, {}, {9, 9});
    EXPECT_TRUE(model.release(FigureModel::Front, Button::Left, true, {}, {9, 9}, FigureModel::Pain));
    EXPECT_EQ(model.marks(FigureModel::Front, FigureModel::Pain).back().name, QStringLiteral("FITA2"));
}

TEST(FigureModel, RightDragEndsWithTheMarkOnThePointer)
{
    FigureModel model;
    click(model, FigureModel::Front, {20, 30}, FigureModel::Joint);
    const QString name = QStringLiteral("FKAN0");
    model.press(Button::Right, name, {25, 35});
    EXPECT_EQ(model.draggedName(), name);
    // The first move shifts by the pointer's travel, later ones put the top
    // left on the pointer.
    EXPECT_TRUE(model.move(name, {30, 45}));
    EXPECT_EQ(model.mark(name)->topLeft, QPoint(25, 40));
    EXPECT_TRUE(model.move(name, {60, 70}));
    EXPECT_EQ(model.mark(name)->topLeft, QPoint(60, 70));
    EXPECT_FALSE(model.release(FigureModel::Front, Button::Right, false, name, {60, 70}, FigureModel::Joint));
    EXPECT_FALSE(model.dragging());
    EXPECT_TRUE(model.draggedName().isEmpty());
    EXPECT_FALSE(model.move(name, {90, 90}));
    EXPECT_EQ(model.rows(), (std::vector<FigureRow>{{0, 0, -1, 60, 70}}));
}
