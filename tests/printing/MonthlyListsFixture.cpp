#include "MonthlyListsFixture.h"

#include "report/building/TrpReport.h"
#include "report/objects/TrpView.h"

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
