#pragma once

#include "coreui/EnterKeyWatch.h"

#include <QObject>

class QLineEdit;

// Fills a kana input from the input method's readings of a name input:
// Enter released in the name appends the reading of the last conversion and
// a blank to the kana; leaving the name removes one trailing blank. Typing
// family name, Enter, given name, Enter thus gives "family given".
class KanaFromReading : public QObject
{
    Q_OBJECT

public:
    // The link lives as long as the name input.
    static void link(QLineEdit *name, QLineEdit *kana);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KanaFromReading(QLineEdit *name, QLineEdit *kana);

    QLineEdit *m_name;
    QLineEdit *m_kana;
    EnterKeyWatch m_enter;
};
