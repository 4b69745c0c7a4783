#include "core/TKubun.h"

#include "core/CodeTables.h"

namespace {

// Each category: its flag, its bit in the code and its short and long text.
struct Category
{
    bool TKubun::*flag;
    int bit;
    char16_t shortText;
    const char16_t *longText;
};

const Category categories[] = {{&TKubun::Tanki, KubunTanki, u'短', u"短期集中 "},
                               {&TKubun::Ninchi, KubunNinchi, u'認', u"認知症 "},
                               {&TKubun::Shudan, KubunShudan, u'集', u"集団 "},
                               {&TKubun::Kobetsu, KubunKobetsu, u'個', u"個別"}};

} // namespace

void TKubun::Clear()
{
    for (const Category &category : categories)
        this->*category.flag = false;
}

void TKubun::SetCode(int code)
{
    for (const Category &category : categories)
        this->*category.flag = (code & category.bit) > 0;
}

int TKubun::GetCode() const
{
    int code = 0;
    for (const Category &category : categories)
        code |= this->*category.flag ? category.bit : 0;
    return code;
}

QString TKubun::ShortText() const
{
    QString text;
    for (const Category &category : categories) {
        if (this->*category.flag)
            text += category.shortText;
    }
    return text;
}

QString TKubun::LongText() const
{
    QString text;
    for (const Category &category : categories) {
        if (this->*category.flag)
            text += QString::fromUtf16(category.longText);
    }
    return text;
}
