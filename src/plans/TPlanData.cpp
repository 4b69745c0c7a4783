#include "plans/TPlanData.h"

#include "plans/PackedText.h"

#include <QtEndian>

#include <variant>
#include <vector>

namespace {

// A text after a length byte, with room for `capacity` bytes.
struct Counted
{
    QString TPlanData::*field;
    int capacity;
};
// A zero-terminated text in an area of `size` bytes.
struct Area
{
    QString TPlanData::*field;
    int size;
};
using Field = std::variant<qint32 TPlanData::*, bool TPlanData::*, Counted, Area>;

struct Slot
{
    int offset;
    Field field;
};

// The stored layout, field by field.
std::vector<Slot> makeLayout()
{
    std::vector<Slot> layout;
    int offset = 0;
    const auto add = [&](Field field, int size) {
        layout.push_back({offset, field});
        offset += size;
    };
    for (auto field : {&TPlanData::Kansetsu, &TPlanData::MahiUp, &TPlanData::MahiDown, &TPlanData::MahiFin,
                       &TPlanData::KinRyuku, &TPlanData::Itami, &TPlanData::Shiryoku, &TPlanData::ChoryokuL,
                       &TPlanData::ChoryokuR, &TPlanData::MUp, &TPlanData::MDown, &TPlanData::MFin})
        add(field, 4);
    for (auto field : {&TPlanData::KansetuTxt, &TPlanData::MahiUpTxt, &TPlanData::MahiDownTxt, &TPlanData::MahiFinTxt,
                       &TPlanData::KinryokuTxt, &TPlanData::ItamiTxt, &TPlanData::ShiryokuTxt, &TPlanData::ChoryokuLTxt,
                       &TPlanData::ChoryokuRTxt})
        add(Counted{field, 50}, 51);
    add(Area{&TPlanData::EtcMemo, 353}, 353);
    add(&TPlanData::Shitsugo, 4);
    add(&TPlanData::Shitsunin, 4);
    for (auto field :
         {&TPlanData::Sakuwa, &TPlanData::Genshi, &TPlanData::Mousou, &TPlanData::Haikai, &TPlanData::Chuya,
          &TPlanData::Bougen, &TPlanData::Teikou, &TPlanData::Fuketsu, &TPlanData::Ishoku, &TPlanData::Jihatsu,
          &TPlanData::Kajou, &TPlanData::Fuann, &TPlanData::Hitorigoto, &TPlanData::Utsu, &TPlanData::Shushu})
        add(field, 1);
    add(Counted{&TPlanData::ShitsugoTxt, 60}, 61);
    add(Counted{&TPlanData::ShitsuninTxt, 60}, 61);
    offset += 3; // alignment of the integers that follow
    for (auto field :
         {&TPlanData::Negaeri, &TPlanData::Zai, &TPlanData::Tachi, &TPlanData::Ijyo, &TPlanData::Hokou,
          &TPlanData::Haisetsu, &TPlanData::Shokuji, &TPlanData::Nyuyoku, &TPlanData::Kidatsu, &TPlanData::Ishisotsu})
        add(field, 4);
    for (auto field : {&TPlanData::NegaeriTxt, &TPlanData::ZaiTxt, &TPlanData::TachiTxt, &TPlanData::IjyoTxt,
                       &TPlanData::HokouTxt, &TPlanData::HaisetsuTxt, &TPlanData::ShokujiTxt, &TPlanData::NyuyokuTxt,
                       &TPlanData::KidatsuTxt, &TPlanData::IshisotsuTxt})
        add(Counted{field, 80}, 81);
    add(Area{&TPlanData::Sonota, 551}, 551);
    Q_ASSERT(offset == 2409);
    return layout;
}

const std::vector<Slot> &layout()
{
    static const std::vector<Slot> table = makeLayout();
    return table;
}

// The three lists of six lines, then the doctor's memo.
constexpr int MondaiOffset = 2409;
constexpr int MokuhyoOffset = 2655;
constexpr int ProgramOffset = 2901;
constexpr int LineCapacity = 40;
constexpr int DrMemoOffset = 3147;
constexpr int DrMemoSize = 553;

using PackedText::readArea;
using PackedText::readCounted;
using PackedText::writeArea;
using PackedText::writeCounted;

template <typename Data, typename Visitor> void forEachLine(Data &data, Visitor visit)
{
    for (int i = 0; i < 6; ++i) {
        visit(MondaiOffset + 41 * i, data.Mondai[i]);
        visit(MokuhyoOffset + 41 * i, data.Mokuhyo[i]);
        visit(ProgramOffset + 41 * i, data.Program[i]);
    }
}

} // namespace

std::optional<TPlanData> TPlanData::fromBytes(QByteArrayView bytes)
{
    if (bytes.size() < PlanDataSize)
        return std::nullopt;
    bytes = bytes.first(PlanDataSize);
    TPlanData data;
    for (const Slot &slot : layout()) {
        std::visit(
            [&](auto field) {
                using T = decltype(field);
                if constexpr (std::is_same_v<T, qint32 TPlanData::*>)
                    data.*field = qFromLittleEndian<qint32>(bytes.data() + slot.offset);
                else if constexpr (std::is_same_v<T, bool TPlanData::*>)
                    data.*field = bytes[slot.offset] != 0;
                else if constexpr (std::is_same_v<T, Counted>)
                    data.*field.field = readCounted(bytes, slot.offset, field.capacity);
                else
                    data.*field.field = readArea(bytes, slot.offset, field.size);
            },
            slot.field);
    }
    forEachLine(data, [&](int offset, QString &line) { line = readCounted(bytes, offset, LineCapacity); });
    data.DrMemo = readArea(bytes, DrMemoOffset, DrMemoSize);
    return data;
}

QByteArray TPlanData::toBytes() const
{
    QByteArray bytes(PlanDataSize, '\0');
    for (const Slot &slot : layout()) {
        std::visit(
            [&](auto field) {
                using T = decltype(field);
                if constexpr (std::is_same_v<T, qint32 TPlanData::*>)
                    qToLittleEndian<qint32>(this->*field, bytes.data() + slot.offset);
                else if constexpr (std::is_same_v<T, bool TPlanData::*>)
                    bytes[slot.offset] = char(this->*field ? 1 : 0);
                else if constexpr (std::is_same_v<T, Counted>)
                    writeCounted(bytes, slot.offset, field.capacity, this->*field.field);
                else
                    writeArea(bytes, slot.offset, field.size, this->*field.field);
            },
            slot.field);
    }
    forEachLine(*this, [&](int offset, const QString &line) { writeCounted(bytes, offset, LineCapacity, line); });
    writeArea(bytes, DrMemoOffset, DrMemoSize, DrMemo);
    return bytes;
}
