#pragma once

#include <QString>

class QWidget;

// A person typing at a shown window: the keys go to the window as the
// platform delivers them, and reach whatever has the focus there.
class KeyboardUser
{
public:
    // Types the Latin letters and digits of text, one key each.
    static void type(QWidget *window, const QString &text);
};
