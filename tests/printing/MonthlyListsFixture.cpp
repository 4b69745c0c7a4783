#include "MonthlyListsFixture.h"

#include "report/building/TrpReport.h"

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

QPoint MonthlyListsFixture::placeOf(const std::vector<Text> &page, const QString &text, int skip)
{
    for (const Text &t : page) {
        if (t.text == text && skip-- == 0)
            return t.place;
    }
    return {};
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
