#include "coreui/KanaLineEdit.h"

#include "core/KanaConversion.h"

#include <QInputMethodEvent>

KanaLineEdit::KanaLineEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &KanaLineEdit::convertEdited);
}

void KanaLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // The commit is converted before it reaches the text, so that a
    // composition still under way is left alone.
    const QString converted = ToHalfWidthKana(event->commitString());
    if (converted == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent halfWidth(event->preeditString(), event->attributes());
    halfWidth.setCommitString(converted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&halfWidth);
    event->setAccepted(halfWidth.isAccepted());
}

void KanaLineEdit::convertEdited()
{
    // Typed keys and pasted text.
    const QString current = text();
    const QString converted = ToHalfWidthKana(current);
    if (converted == current)
        return;
    const qsizetype cursor = ToHalfWidthKana(QStringView(current).left(cursorPosition())).size();
    setText(converted);
    setCursorPosition(int(cursor));
}
