#include "plans/PracticeRules.h"

#include "base/Sjis.h"

namespace PracticeRules {

std::optional<QString> checkHds(const QString &text, int *score)
{
    *score = 0;
    if (text.isEmpty())
        return std::nullopt;
    if (Sjis::byteLength(text) > 2)
        return QStringLiteral("HDS-R\n入力文字数がオーバーしています。\n半角2文字で入力してください。");
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return QStringLiteral("半角2文字の数字で入力してください。");
    *score = value;
    return std::nullopt;
}

QString abcLetters(bool a, bool b, bool c)
{
    QString letters;
    if (a)
        letters += u'A';
    if (b)
        letters += u'B';
    if (c)
        letters += u'C';
    return letters;
}

QString abcCellText(const QString &letters)
{
    if (letters.size() <= 2)
        return letters;
    return letters.left(2) + u'\n' + letters.mid(2, 1);
}

int keypadValue(QStringView digits)
{
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : 0;
}

QString periodText(int value, bool month)
{
    return u' ' + QString::number(value) + (month ? QStringLiteral("月") : QStringLiteral("ヵ月"));
}

int nextMark(int mark)
{
    return ((mark < 0 ? 0 : mark) + 1) % 3;
}

QString markText(int mark)
{
    switch (mark) {
    case 1:
        return QStringLiteral("○");
    case 2:
        return QStringLiteral("◎");
    default:
        return EmptyCell.toString();
    }
}

} // namespace PracticeRules
