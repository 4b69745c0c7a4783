#include "plans/TPractice.h"

#include "plans/PackedText.h"

#include <QtEndian>

#include <utility>

namespace {

constexpr int AreaSize = 1025;
constexpr int Grid1Offset = 2016;
constexpr int Grid2Offset = 7588;
constexpr int TeamOffset = 21424;

// Reads every field at its offset.
struct Reader
{
    QByteArrayView bytes;

    void date(int offset, TDateTime &value) { value = qFromLittleEndian<double>(bytes.data() + offset); }
    void integer(int offset, qint32 &value) { value = qFromLittleEndian<qint32>(bytes.data() + offset); }
    void boolean(int offset, bool &value) { value = bytes[offset] != 0; }
    void text(int offset, int capacity, QString &value) { value = PackedText::readCounted(bytes, offset, capacity); }
    void area(int offset, QString &value) { value = PackedText::readArea(bytes, offset, AreaSize); }
};

// Writes every field at its offset into zeroed bytes.
struct Writer
{
    QByteArray &bytes;

    void date(int offset, TDateTime value) { qToLittleEndian<double>(value, bytes.data() + offset); }
    void integer(int offset, qint32 value) { qToLittleEndian<qint32>(value, bytes.data() + offset); }
    void boolean(int offset, bool value) { bytes[offset] = char(value ? 1 : 0); }
    void text(int offset, int capacity, const QString &value)
    {
        PackedText::writeCounted(bytes, offset, capacity, value);
    }
    void area(int offset, const QString &value) { PackedText::writeArea(bytes, offset, AreaSize, value); }
};

template <typename Row, typename Visitor> void visitRow(Row &row, int start, Visitor &v)
{
    for (int c = 0; c < 5; ++c)
        v.text(start + 11 * c, 10, row.ABC[size_t(c)]);
    v.text(start + 55, 60, row.Goods);
    v.text(start + 116, 60, row.Kaigo);
    v.text(start + 177, 10, row.Time);
    v.integer(start + 188, row.Special);
}

// The stored layout, field by field at the offsets existing rows hold.
template <typename Record, typename Visitor> void visitFields(Record &r, Visitor &v)
{
    v.date(0, r.PractDay);
    v.text(8, 50, r.UserName);
    v.integer(60, r.Sex);
    v.date(64, r.Birth);
    v.integer(72, r.Old);
    v.integer(76, r.Kaigodo);
    v.text(80, 255, r.KenkouMemo);
    v.text(336, 255, r.GapeiMemo);
    v.text(592, 255, r.SeikatsuMemo);
    v.boolean(848, r.HomeBox);
    v.boolean(849, r.EtcBox);
    v.text(850, 40, r.EtcEdit);
    v.boolean(891, r.TaiinBox);
    v.text(892, 100, r.HomeWorkEdit);
    v.text(993, 100, r.SocialEdit);
    v.text(1094, 100, r.GoOutEdit);
    v.text(1195, 100, r.FreeTimeEdit);
    v.text(1296, 100, r.TaiinEdit);
    // Six check boxes, each followed by its remark.
    int offset = 1397;
    for (auto [box, memo] : {std::pair{&r.Exercise, &r.ExerciseMemo}, std::pair{&r.Sense, &r.SenseMemo},
                             std::pair{&r.Brain, &r.BrainMemo}, std::pair{&r.Koushuku, &r.KoushukuMemo},
                             std::pair{&r.Arthralgia, &r.ArthralgiaMemo}, std::pair{&r.Sonota, &r.SonotaMemo}}) {
        v.boolean(offset, *box);
        v.text(offset + 1, 100, *memo);
        offset += 102;
    }
    v.integer(2012, r.HDSR);
    for (int row = 0; row < TPractice::Grid1Rows; ++row)
        visitRow(r.Grid1[size_t(row)], Grid1Offset + TPracticeGridRow::RowSize * row, v);
    v.area(4512, r.PTOTST0);
    v.area(5537, r.Kango0);
    v.area(6562, r.Jitchi0);
    for (int row = 0; row < TPractice::Grid2Rows; ++row)
        visitRow(r.Grid2[size_t(row)], Grid2Offset + TPracticeGridRow::RowSize * row, v);
    offset = 9124;
    for (auto *area : {&r.PTOTST1, &r.Kango1, &r.Jitchi1, &r.SelfHope, &r.FarmilyHope, &r.LifePoint, &r.RihaTerget,
                       &r.SelfDo, &r.AskFarmily, &r.DiseseCare, &r.Variation, &r.Remark}) {
        v.area(offset, *area);
        offset += AreaSize;
    }
    for (int box = 0; box < TPractice::TeamBoxes; ++box)
        v.integer(TeamOffset + 4 * box, r.TeamBox[size_t(box)]);
}

} // namespace

std::optional<TPractice> TPractice::fromBytes(QByteArrayView bytes)
{
    if (bytes.size() < RecordSize)
        return std::nullopt;
    TPractice record;
    Reader reader{bytes.first(RecordSize)};
    visitFields(record, reader);
    return record;
}

QByteArray TPractice::toBytes() const
{
    QByteArray bytes(RecordSize, '\0');
    Writer writer{bytes};
    visitFields(*this, writer);
    return bytes;
}
