#pragma once

#include <utility>

// What a read of a settings value found: a missing value and a value stored
// with another type are told apart from a value that is there.
enum class SettingsStatus { Missing, WrongType, Present };

template <typename T> struct SettingsRead
{
    SettingsStatus status = SettingsStatus::Missing;
    T value{};

    [[nodiscard]] bool isPresent() const { return status == SettingsStatus::Present; }
    // The value when present, else the fallback.
    [[nodiscard]] T valueOr(T fallback) const { return isPresent() ? value : std::move(fallback); }
};
