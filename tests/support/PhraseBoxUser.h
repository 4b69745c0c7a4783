#pragma once

#include "FakeDialogService.h"

class QComboBox;

// A user at a stock-phrase box of a shown window, with real input events.
class PhraseBoxUser
{
public:
    // Double-clicks the box; the phrase list it asks for runs its own modal
    // loop, in which the phrase is typed and added before 戻る is pressed.
    // Returns once the list has closed and what it closed was deleted.
    static void addPhraseInList(FakeDialogService &dialogs, QComboBox *box, const QString &phrase);
    // Chooses the item of that row with the arrow keys and ends the edit
    // with Enter.
    static void pick(QComboBox *box, int row);
};
