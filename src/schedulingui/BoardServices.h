#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class DbConnection;
class StaffDirectory;
#include "core/TCommentForm.h"

// What a work table needs from the rest of the program.
struct BoardServices
{
    DbConnection &database;
    const StaffDirectory &staff;
    // The stock-phrase editor of the booking comments; may be null.
    QPointer<TCommentForm> phraseEditor;
    // The window hidden while the board is shown; may be null.
    QPointer<QWidget> menu;
    // The window-state setting ("wsMaximized" or else), read at each show.
    std::function<QString()> winState;
};
