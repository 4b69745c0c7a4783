#include "core/CodeTables.h"

QString CodeName(NameTable table, int code)
{
    if (code < 0 || std::size_t(code) >= table.size())
        return {};
    return table[std::size_t(code)].toString();
}

int IndexOfName(NameTable table, QStringView name)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == name)
            return int(i);
    }
    return -1;
}

int IndexOfJiritsuName(QStringView name)
{
    return IndexOfName(JiritsuNames, name);
}

int IndexOfNinchiName(QStringView name)
{
    return IndexOfName(NinchiNames, name);
}

int IndexOfYoukaigoName(QStringView name)
{
    return IndexOfName(YoukaigoNames, name);
}
