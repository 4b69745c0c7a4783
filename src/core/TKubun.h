#pragma once

#include <QString>

// A user's rehabilitation categories: the four flags of the KubunCode bit set.
class TKubun
{
public:
    TKubun() = default;

    void Clear();
    // Takes the four category bits of the code; other bits are ignored.
    void SetCode(int code);
    [[nodiscard]] int GetCode() const;
    // One kanji per set flag, for printed lists: "短認集個".
    [[nodiscard]] QString ShortText() const;
    // "短期集中 認知症 集団 個別" for the set flags; each of the first three
    // keeps its trailing blank even when nothing follows.
    [[nodiscard]] QString LongText() const;

    bool Tanki = false;
    bool Ninchi = false;
    bool Shudan = false;
    bool Kobetsu = false;
};
