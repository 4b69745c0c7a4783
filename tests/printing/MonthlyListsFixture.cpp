#include "MonthlyListsFixture.h"

#include "report/building/TrpReport.h"
#include "report/objects/TrpView.h"

#include <algorithm>

CureResult MonthlyListsFixture::result(int cureNo, int day, int hour, int minutes, int staff, int rihaType)
{
    CureResult r = ResultRows::make(cureNo, April + day - 1, QStringLiteral("利用者%1").arg(cureNo));
    r.RStartTime = DateTime::encodeTime(hour, 0);
    r.RMinute = minutes;
    r.StuffCode = staff;
    r.StuffKigo = staff == 1 ? QStringLiteral("ヤ") : staff == 2 ? QStringLiteral("ス") : QString();
    r.RihaType = rihaType;
    r.deriveFlags();
    return r;
}

MonthlyChoice MonthlyListsFixture::april() const
{
    MonthlyChoice choice;
    choice.month = April + 14;
    return choice;
}

std::vector<std::vector<MonthlyListsFixture::Text>> MonthlyListsFixture::pages(TrpReport &report)
{
    std::vector<std::vector<Text>> pages;
    for (int i = 0; i < report.EMFPages().Count(); ++i) {
        std::vector<Text> texts;
        for (const std::unique_ptr<TrpView> &view : report.EMFPages()[i].objects())
            texts.push_back({view->ExpandedMemo.join(QLatin1Char('\n')), QPoint(view->Left, view->Top)});
        pages.push_back(texts);
    }
    return pages;
}

QPoint MonthlyListsFixture::placeOf(const std::vector<Text> &page, const QString &text, int skip)
{
    for (const Text &t : page) {
        if (t.text == text && skip-- == 0)
            return t.place;
    }
    return {};
}

void MonthlyListsFixture::expectSamePlaces(const std::vector<std::vector<Text>> &written,
                                           const std::vector<std::vector<Text>> &shipped)
{
    ASSERT_EQ(written.size(), shipped.size());
    for (size_t i = 0; i < written.size(); ++i) {
        for (const Text &text : written[i]) {
            if (text.text.isEmpty())
                continue;
            const bool found = std::any_of(shipped[i].begin(), shipped[i].end(), [&text](const Text &other) {
                return other.text == text.text && other.place == text.place;
            });
            EXPECT_TRUE(found) << "page " << i + 1 << ": \"" << text.text.toStdString() << "\" at "
                               << text.place.x() << "," << text.place.y();
        }
    }
}

PartTemplate MonthlyListsFixture::dayTable()
{
    PartTemplate part(true);
    part.band("Users", 18, 0, 700, {}, 0, 172)
        .band("Days", 19, 0, 700, QStringLiteral("Headings=rpUserDataset3;Cells=rpUserDataset4;Sums=rpUserDataset6;"),
              172, 24)
        .band("Totals", 20, 0, 700, {}, 916, 40)
        .band("Title", 2, 0, 66)
        .memo(QStringLiteral("[Jishibi]"), 0, 40, 200, 22)
        .band("Headings", 5, 70, 30, QStringLiteral("rpUserDataset2"))
        .memo(QStringLiteral("[DayStr]"), 172, 70, 24, 15)
        .memo(QStringLiteral("[Week]"), 172, 85, 24, 15);
    return part;
}
