#include "report/building/TrpFunctionLibraries.h"

#include "report/building/TrpStdFunctionLibrary.h"

TrpFunctionLibraries::TrpFunctionLibraries()
{
    add(std::make_unique<TrpStdFunctionLibrary>());
}

TrpFunctionLibraries &TrpFunctionLibraries::global()
{
    static TrpFunctionLibraries libraries;
    return libraries;
}

bool TrpFunctionLibraries::add(std::unique_ptr<TrpFunctionLibrary> library)
{
    if (!library || int(m_libraries.size()) >= MaxLibraries)
        return false;
    m_libraries.push_back(std::move(library));
    return true;
}
