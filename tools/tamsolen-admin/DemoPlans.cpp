#include "DemoPlans.h"

#include "DemoUsers.h"

#include "base/Clock.h"
#include "plans/PlanStore.h"

#include <QPoint>

#include <random>

namespace {

// Places on the pictures where marks sit on a joint, a muscle or a sore spot.
constexpr QPoint FrontPoints[] = {{30, 44},  {75, 44},  {26, 80},  {79, 80},  {38, 110},
                                  {67, 110}, {43, 168}, {62, 168}, {42, 135}, {63, 135}};
constexpr QPoint BackPoints[] = {{51, 30}, {51, 65}, {51, 98}, {42, 118}, {61, 118}, {43, 168}, {60, 168}};

struct Remarks
{
    const char16_t *kansetsu;
    const char16_t *itami;
    const char16_t *hokou;
    const char16_t *mondai;
    const char16_t *mokuhyo;
    const char16_t *program;
};

constexpr Remarks Samples[] = {
    {u"肩関節に軽度拘縮あり", u"動作時に腰痛あり", u"杖歩行", u"転倒の危険がある", u"屋内を杖で安全に歩ける",
     u"歩行訓練"},
    {u"膝関節に伸展制限あり", u"膝に荷重時痛あり", u"歩行器歩行", u"屋内移動に介助が必要", u"トイレ動作が自立する",
     u"筋力増強訓練"},
    {u"拘縮なし", u"痛みなし", u"独歩", u"活動量が少ない", u"在宅生活を継続する", u"日常生活動作訓練"},
    {u"肩関節に軽度拘縮あり", u"痛みなし", u"車椅子", u"屋内移動に介助が必要", u"トイレ動作が自立する",
     u"関節可動域訓練"},
};

class PlanMaker
{
public:
    explicit PlanMaker(DbConnection &db) : m_store(db) {}

    bool add(int cureNo, TDateTime registDay, QString &errorText)
    {
        PlanStore::Result result;
        const std::optional<TPerson> person = m_store.user(cureNo, result);
        if (!person) {
            errorText = result.message;
            return false;
        }
        TPlan plan;
        plan.setUser(*person);
        plan.PlanRegistDay = registDay;
        plan.PlanEndDay = DateTime::fromDate(DateTime::toDate(registDay).addMonths(3).addDays(-1));
        fillBody(plan.Body);
        result = m_store.save(plan, marks(plan.Body), QStringLiteral("山田　太郎"), registDay);
        if (result.status != PlanStore::Status::Ok) {
            errorText = result.message;
            return false;
        }
        return true;
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    void fillBody(TPlanData &body)
    {
        const Remarks &sample = Samples[pick(int(std::size(Samples)))];
        body.Kansetsu = pick(2);
        body.KansetuTxt = body.Kansetsu ? QString::fromUtf16(sample.kansetsu) : QString();
        body.MahiUp = body.MahiDown = pick(3) == 0 ? 1 : 0;
        body.MUp = body.MahiUp ? 1 + pick(4) : 0;
        body.MDown = body.MahiDown ? 1 + pick(4) : 0;
        body.KinRyuku = pick(2);
        body.Itami = pick(2);
        body.ItamiTxt = body.Itami ? QString::fromUtf16(sample.itami) : QString();
        body.Hokou = pick(3);
        body.HokouTxt = QString::fromUtf16(sample.hokou);
        body.Haisetsu = pick(3);
        body.Nyuyoku = pick(3);
        body.Haikai = pick(6) == 0;
        body.Jihatsu = pick(4) == 0;
        body.Mondai[0] = QString::fromUtf16(sample.mondai);
        body.Mokuhyo[0] = QString::fromUtf16(sample.mokuhyo);
        body.Program[0] = QString::fromUtf16(sample.program);
        body.Sonota = QStringLiteral("家族の協力が得られる");
    }

    std::vector<FigureRow> marks(const TPlanData &body)
    {
        std::vector<FigureRow> rows;
        const auto place = [&](int parts, int count) {
            for (int i = 0; i < count; ++i) {
                const bool back = pick(3) == 0;
                const QPoint at = back ? BackPoints[pick(int(std::size(BackPoints)))]
                                       : FrontPoints[pick(int(std::size(FrontPoints)))];
                rows.push_back({parts, back ? 1 : 0, -1, at.x(), at.y()});
            }
        };
        place(0, body.Kansetsu ? 1 + pick(2) : 0);
        place(1, body.KinRyuku ? 1 + pick(2) : 0);
        place(2, body.Itami ? 1 : 0);
        // A one-sided paralysis: both quarters of that side, front and back.
        if (body.MahiUp) {
            const bool left = pick(2) == 0;
            for (int side = 0; side < 2; ++side) {
                rows.push_back({3, side, left ? 3 : 0, -1, -1});
                rows.push_back({3, side, left ? 2 : 1, -1, -1});
            }
        }
        return rows;
    }

    PlanStore m_store;
    std::mt19937 m_random{20240401};
};

} // namespace

namespace DemoPlans {

bool fill(DbConnection &db, QString &errorText)
{
    PlanMaker maker(db);
    const TDateTime today = Clock::today();
    return DemoUsers::forEvery(
        db, 3,
        [&](int position, int cureNo) {
            // Latest plans up to four months old: some are past the
            // three-month deadline, so the deadline list has lines to print.
            const TDateTime latest = today - (position * 7) % 120;
            return maker.add(cureNo, latest, errorText) &&
                   (position % 2 != 0 || maker.add(cureNo, latest - 91, errorText));
        },
        errorText);
}

} // namespace DemoPlans
