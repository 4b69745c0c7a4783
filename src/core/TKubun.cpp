#include "core/TKubun.h"

#include "core/CodeTables.h"

void TKubun::Clear()
{
    Tanki = false;
    Ninchi = false;
    Shudan = false;
    Kobetsu = false;
}

void TKubun::SetCode(int code)
{
    Clear();
    Tanki = (code & KubunTanki) > 0;
    Ninchi = (code & KubunNinchi) > 0;
    Shudan = (code & KubunShudan) > 0;
    Kobetsu = (code & KubunKobetsu) > 0;
}

int TKubun::GetCode() const
{
    return (Tanki ? KubunTanki : 0) | (Ninchi ? KubunNinchi : 0) | (Shudan ? KubunShudan : 0) |
           (Kobetsu ? KubunKobetsu : 0);
}

QString TKubun::ShortText() const
{
    QString text;
    if (Tanki)
        text += u'短';
    if (Ninchi)
        text += u'認';
    if (Shudan)
        text += u'集';
    if (Kobetsu)
        text += u'個';
    return text;
}

QString TKubun::LongText() const
{
    QString text;
    if (Tanki)
        text += u"短期集中 ";
    if (Ninchi)
        text += u"認知症 ";
    if (Shudan)
        text += u"集団 ";
    if (Kobetsu)
        text += u"個別";
    return text;
}
