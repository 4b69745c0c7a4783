#pragma once

#include "core/TRegistory.h"

#include <QString>

class DbConnection;
class DialogService;
class TDBSeting;
class TMainModule;

// What the forms and modules of the program share. main() builds it once and
// hands it to each form and module it creates, which keep it as a reference;
// tests build their own (tests/support/TestContext.h). It owns nothing: the
// objects it names outlive every form. "Now" is not here: the clock stays the
// process-wide seam of base/Clock.h, which tests fix.
struct AppContext
{
    // The main connection: MainModule's RIHADatabase in the program.
    DbConnection &database;
    // The per-user settings, written back when the program ends.
    TRegistory &registory;
    // The main connection's settings.
    const TDBSeting &dbSeting;
    // The staff list, the facility name and the staff member who logged in.
    TMainModule &mainModule;
    // The installed service, the one the Dialogs shorthands reach.
    DialogService &dialogs;
    // The program's folder, without a trailing separator; report templates
    // lie in it.
    QString appDir;

    // The window-state rule of every menu and work form ("wsMaximized" or not).
    [[nodiscard]] const QString &winState() const { return registory.WinState; }
};
