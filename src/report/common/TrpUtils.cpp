#include "report/common/TrpUtils.h"

#include <QFont>

namespace TrpUtils {

int fontStyleToInt(const QFont &font)
{
    return (font.italic() ? fsItalic : 0) | (font.bold() ? fsBold : 0) | (font.underline() ? fsUnderline : 0);
}

void setFontStyle(QFont &font, int style)
{
    font.setItalic(style & fsItalic);
    font.setBold(style & fsBold);
    font.setUnderline(style & fsUnderline);
}

QString fontFamily(const QString &windowsName)
{
    static const QString gothic = QStringLiteral("Noto Sans CJK JP");
    static const QString mincho = QStringLiteral("Noto Serif CJK JP");
    const QString name = windowsName.normalized(QString::NormalizationForm_KC).toLower().remove(QLatin1Char(' '));
    if (name.startsWith(QLatin1String("ms"))) {
        if (name.contains(QStringLiteral("ゴシック")) || name.contains(QLatin1String("gothic")))
            return gothic;
        if (name.contains(QStringLiteral("明朝")) || name.contains(QLatin1String("mincho")))
            return mincho;
    }
    return windowsName;
}

QString stripQuotes(const QString &text)
{
    // A lone quote is both first and last character; it stays.
    if (text.size() >= 2 && text.front() == QLatin1Char('"') && text.back() == QLatin1Char('"'))
        return text.mid(1, text.size() - 2);
    return text;
}

} // namespace TrpUtils
