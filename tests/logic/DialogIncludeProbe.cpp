// Compiled as a logic library's source: the include below must stop the
// compile (the test logic.DialogServiceIncludeFailsTheBuild builds it).
#include "platform/DialogService.h"

void probe()
{
    Dialogs::information(QStringLiteral("shown from logic"));
}
