#include "platform/CharacterLimitValidator.h"

#include "base/DateTime.h"

CharacterLimitValidator::CharacterLimitValidator(qsizetype limit, QObject *parent) : QValidator(parent), m_limit(limit)
{}

QValidator::State CharacterLimitValidator::validate(QString &input, int &pos) const
{
    if (Text::characterCount(input) <= m_limit)
        return Acceptable;
    // What was just typed or pasted ends at the cursor: drop the end of it
    // and keep what follows the cursor.
    const qsizetype cursor = qBound(qsizetype(0), qsizetype(pos), input.size());
    const QString tail = Text::leftCharacters(input.mid(cursor), m_limit);
    const QString head = Text::leftCharacters(input.left(cursor), m_limit - Text::characterCount(tail));
    input = head + tail;
    pos = int(head.size());
    return Acceptable;
}
