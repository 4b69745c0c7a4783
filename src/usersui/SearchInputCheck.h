#pragma once

#include "users/UserSearch.h"

class QLineEdit;

// Checks a search input's text; a refused text shows its message and puts
// the focus back into the input. True when the text passes.
[[nodiscard]] bool AcceptSearchInput(QLineEdit *input, UserSearch::Input kind);
