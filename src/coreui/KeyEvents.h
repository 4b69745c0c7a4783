#pragma once

class QEvent;

// The release of Return or Enter, on which the inputs move on or search.
[[nodiscard]] bool IsEnterRelease(const QEvent *event);
