#pragma once

#include <memory>
#include <vector>

class TrpFunctionLibrary;

// The engine-wide function libraries in registration order; the standard
// library is the first.
class TrpFunctionLibraries
{
public:
    static constexpr int MaxLibraries = 32;

    [[nodiscard]] static TrpFunctionLibraries &global();

    // Creates one instance of the library class; false when the table is full.
    template <typename Library> bool registerClass() { return add(std::make_unique<Library>()); }
    bool add(std::unique_ptr<TrpFunctionLibrary> library);

    [[nodiscard]] const std::vector<std::unique_ptr<TrpFunctionLibrary>> &libraries() const { return m_libraries; }

private:
    TrpFunctionLibraries();

    std::vector<std::unique_ptr<TrpFunctionLibrary>> m_libraries;
};
