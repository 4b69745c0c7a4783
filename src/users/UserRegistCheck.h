#pragma once

#include "base/DateTime.h"
#include "users/TPerson.h"

#include <QString>

#include <array>
#include <variant>

// The field check of the user register: the inputs as typed, checked one by
// one in a fixed order, and the record they make. Lengths are counted in
// Shift-JIS bytes.
class UserRegistCheck
{
public:
    // The inputs, in the order they are checked.
    enum class Field {
        Name,
        Kana,
        Birth,
        Sex,
        Distinctive,
        Room,
        PostalCode,
        Address,
        TelNo,
        FaxNo,
        EMail,
        Partner,
        RihaType,
        Start,
        End,
        Disease1,
        Disease2,
        Disease3,
        Disease4,
        Disease5,
        Disease6
    };

    struct Input
    {
        QString Name;
        QString Kana;
        QString Birth; // era date texts, as the era-date inputs hold them
        int Sex = -1;  // -1: nothing chosen
        QString distinctive;
        QString Room;
        QString YoubinNo;
        QString Address;
        QString TelNo;
        QString FaxNo;
        QString EMail;
        QString Partner;
        int RihaType = -1;
        bool Tanki = false;
        bool Ninchi = false;
        bool Shudan = false;
        bool Kobetsu = false;
        int Jiritsu = -1;
        int NinchiLevel = -1;
        int Youkaigo = -1;
        QString Taiin;
        QString Nyusho;
        QString Taisho;
        std::array<QString, 6> Diseases;
    };

    // The first input that fails, and the message to show; an empty message
    // only puts the focus on the input.
    struct Failure
    {
        Field field;
        QString message;
        friend bool operator==(const Failure &, const Failure &) = default;
    };

    // The record of the inputs (CureNo 0, no weekly wishes, KubunDate the
    // given moment), or the first failure.
    [[nodiscard]] static std::variant<TPerson, Failure> check(const Input &input, TDateTime now);
};
