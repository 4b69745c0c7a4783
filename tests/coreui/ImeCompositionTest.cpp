#include "core/ImeComposition.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

void preedit(QObject *input, const QString &text)
{
    QInputMethodEvent event(text, {});
    QCoreApplication::sendEvent(input, &event);
}

void commit(QObject *input, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(input, &event);
}

} // namespace

TEST(ImeComposition, ReadingIsTheKanaTypedBeforeTheConversion)
{
    QLineEdit name;
    EXPECT_EQ(GetImeComposition(&name), QString()); // not watched
    ImeComposition *watcher = ImeComposition::watch(&name);
    EXPECT_EQ(ImeComposition::watch(&name), watcher);
    EXPECT_EQ(GetImeComposition(&name), QString());

    for (const QString &step : {QStringLiteral("y"), QStringLiteral("や"), QStringLiteral("やまd"),
                                QStringLiteral("やまだ"), QStringLiteral("山田")})
        preedit(&name, step);
    commit(&name, QStringLiteral("山田"));
    EXPECT_EQ(name.text(), QStringLiteral("山田"));
    EXPECT_EQ(GetImeComposition(&name), QStringLiteral("ﾔﾏﾀﾞ"));

    // The next conversion replaces it; voiced, semi-voiced, small letters and
    // the long mark take their half-width forms.
    preedit(&name, QStringLiteral("ぽーる・じょう"));
    preedit(&name, QStringLiteral("ポール・丈"));
    commit(&name, QStringLiteral("ポール・丈"));
    EXPECT_EQ(GetImeComposition(&name), QStringLiteral("ﾎﾟｰﾙ･ｼﾞｮｳ"));
}

TEST(ImeComposition, KanaCommittedAsTypedAndCancelledCompositions)
{
    QLineEdit name;
    ImeComposition::watch(&name);
    commit(&name, QStringLiteral("ヴぁ"));
    EXPECT_EQ(GetImeComposition(&name), QStringLiteral("ｳﾞｧ"));

    // A composition given up leaves nothing behind for the next commit.
    preedit(&name, QStringLiteral("すずき"));
    preedit(&name, QString());
    commit(&name, QStringLiteral("ABC"));
    EXPECT_EQ(GetImeComposition(&name), QString());
}
