#pragma once

#include "scheduling/BookingUser.h"

#include <QString>

#include <memory>
#include <optional>

class QMimeData;

// The drag payload of a user dragged from a board's user list onto a slot.
namespace BookingPayload {

inline constexpr char MimeType[] = "application/x-tamsolen-booking-user";

[[nodiscard]] std::unique_ptr<QMimeData> encode(const BookingUser &user);
// The user carried, or nullopt for anything else (another format, broken
// or partial data, no user number).
[[nodiscard]] std::optional<BookingUser> decode(const QMimeData *data);

} // namespace BookingPayload
