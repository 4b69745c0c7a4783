#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The body of a treatment plan, stored whole as RihaPlan.PlanData in a fixed
// layout of PlanDataSize bytes that existing databases hold (Shift-JIS texts,
// little-endian integers, one-byte Booleans). Integer fields hold the index
// chosen in their list (PresenceNames, GradeNames, AssistNames), -1 for none.
struct TPlanData
{
    static constexpr qsizetype PlanDataSize = 3700;

    // Impairments: PresenceNames.
    qint32 Kansetsu = 0;
    qint32 MahiUp = 0;
    qint32 MahiDown = 0;
    qint32 MahiFin = 0;
    qint32 KinRyuku = 0;
    qint32 Itami = 0;
    qint32 Shiryoku = 2;
    qint32 ChoryokuL = 2;
    qint32 ChoryokuR = 2;
    // Paralysis grades: GradeNames.
    qint32 MUp = 0;
    qint32 MDown = 0;
    qint32 MFin = 0;
    QString KansetuTxt;
    QString MahiUpTxt;
    QString MahiDownTxt;
    QString MahiFinTxt;
    QString KinryokuTxt;
    QString ItamiTxt;
    QString ShiryokuTxt;
    QString ChoryokuLTxt;
    QString ChoryokuRTxt;
    QString EtcMemo;
    qint32 Shitsugo = 0;
    qint32 Shitsunin = 0;
    bool Sakuwa = false;
    bool Genshi = false;
    bool Mousou = false;
    bool Haikai = false;
    bool Chuya = false;
    bool Bougen = false;
    bool Teikou = false;
    bool Fuketsu = false;
    bool Ishoku = false;
    bool Jihatsu = false;
    bool Kajou = false;
    bool Fuann = false;
    bool Hitorigoto = false;
    bool Utsu = false;
    bool Shushu = false;
    QString ShitsugoTxt;
    QString ShitsuninTxt;
    // Daily living: AssistNames.
    qint32 Negaeri = 0;
    qint32 Zai = 0;
    qint32 Tachi = 0;
    qint32 Ijyo = 0;
    qint32 Hokou = 0;
    qint32 Haisetsu = 0;
    qint32 Shokuji = 0;
    qint32 Nyuyoku = 0;
    qint32 Kidatsu = 0;
    qint32 Ishisotsu = 0;
    QString NegaeriTxt;
    QString ZaiTxt;
    QString TachiTxt;
    QString IjyoTxt;
    QString HokouTxt;
    QString HaisetsuTxt;
    QString ShokujiTxt;
    QString NyuyokuTxt;
    QString KidatsuTxt;
    QString IshisotsuTxt;
    QString Sonota;
    // Mondai1..6, Mokuhyo1..6, Program1..6.
    std::array<QString, 6> Mondai;
    std::array<QString, 6> Mokuhyo;
    std::array<QString, 6> Program;
    QString DrMemo;

    // Reads a stored body: texts by their length byte (clamped to the
    // field's capacity) or up to their zero byte, undecodable bytes as
    // U+FFFD. Only the first PlanDataSize bytes count; nullopt for fewer.
    [[nodiscard]] static std::optional<TPlanData> fromBytes(QByteArrayView bytes);
    // The stored form: texts in Shift-JIS ("?" for a character it lacks),
    // cut to their field on a character boundary; unused bytes are zero.
    [[nodiscard]] QByteArray toBytes() const;

    friend bool operator==(const TPlanData &, const TPlanData &) = default;
};
