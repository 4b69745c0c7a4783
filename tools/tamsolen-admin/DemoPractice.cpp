#include "DemoPractice.h"

#include "DemoUsers.h"

#include "base/Clock.h"
#include "core/DateHelpers.h"
#include "plans/PlanStore.h"
#include "plans/PracticeRules.h"
#include "plans/PracticeStore.h"

#include <random>

namespace {

struct Sample
{
    const char16_t *goods;
    const char16_t *kaigo;
    const char16_t *selfHope;
    const char16_t *target;
};

constexpr Sample Samples[] = {
    {u"杖", u"見守り", u"自宅の周りを散歩したい", u"屋内を杖で安全に歩ける"},
    {u"歩行器", u"軽介助", u"トイレに一人で行きたい", u"トイレ動作が自立する"},
    {u"車椅子", u"全介助", u"家族と外出したい", u"車椅子への移乗が安定する"},
};

class PracticeMaker
{
public:
    explicit PracticeMaker(DbConnection &db) : m_users(db), m_store(db) {}

    bool add(int cureNo, TDateTime day, QString &errorText)
    {
        PlanStore::Result result;
        const std::optional<TPerson> person = m_users.user(cureNo, result);
        if (!person) {
            errorText = result.message;
            return false;
        }
        TPractice record;
        record.PractDay = day;
        record.UserName = person->Name;
        record.Sex = person->Sex;
        record.Birth = person->Birth;
        record.Old = YearsBetweenDates(person->Birth, day);
        record.Kaigodo = person->YOUKAIGO_KBN;
        record.KenkouMemo = person->Disease1;
        fill(record);
        result = m_store.save(cureNo, record);
        if (result.status != PlanStore::Status::Ok) {
            errorText = result.message;
            return false;
        }
        return true;
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    void fill(TPractice &record)
    {
        const Sample &sample = Samples[pick(int(std::size(Samples)))];
        record.HomeBox = pick(2) == 0;
        record.TaiinBox = !record.HomeBox;
        record.Exercise = true;
        record.ExerciseMemo = QStringLiteral("下肢筋力の低下");
        record.HDSR = 15 + pick(15);
        const auto grade = [this](TPracticeGridRow &row) {
            for (QString &cell : row.ABC)
                cell = PracticeRules::EmptyCell.toString();
            row.ABC[size_t(pick(3))] = PracticeRules::abcCellText(QStringLiteral("ABC"));
            row.Time = PracticeRules::periodText(3, false);
        };
        for (TPracticeGridRow &row : record.Grid1)
            grade(row);
        for (TPracticeGridRow &row : record.Grid2)
            grade(row);
        record.Grid1[2].Goods = record.Grid2[6].Goods = QString::fromUtf16(sample.goods);
        record.Grid1[2].Kaigo = record.Grid2[6].Kaigo = QString::fromUtf16(sample.kaigo);
        record.Grid1[2].Special = 2;
        record.Grid2[6].Special = 1;
        record.PTOTST0 = QStringLiteral("歩行訓練 週3回 20分");
        record.Kango0 = QStringLiteral("居室からトイレまでの移動を見守る");
        record.SelfHope = QString::fromUtf16(sample.selfHope);
        record.RihaTerget = QString::fromUtf16(sample.target);
        record.TeamBox[0] = 1;
        record.TeamBox[1] = 2 + pick(2);
        record.TeamBox[5] = 4 + pick(3);
    }

    PlanStore m_users;
    PracticeStore m_store;
    std::mt19937 m_random{20240520};
};

} // namespace

namespace DemoPractice {

bool fill(DbConnection &db, QString &errorText)
{
    PracticeMaker maker(db);
    const TDateTime today = Clock::today();
    return DemoUsers::forEvery(
        db, 2,
        [&](int position, int cureNo) {
            // Some past the three-month deadline, as the treatment plans.
            const TDateTime latest = today - (position * 5) % 120;
            return maker.add(cureNo, latest, errorText) &&
                   (position % 4 != 0 || maker.add(cureNo, latest - 92, errorText));
        },
        errorText);
}

} // namespace DemoPractice
