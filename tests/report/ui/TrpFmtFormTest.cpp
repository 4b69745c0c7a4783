#include "reportui/TrpFmtForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

TEST(TrpFmtForm, ChoosingCategoriesAndKindsBuildsTheWord)
{
    const QStringList categories{QStringLiteral("Text"), QStringLiteral("Number"), QStringLiteral("Date"),
                                 QStringLiteral("Time"), QStringLiteral("Boolean")};
    const QStringList kinds[] = {
        {QStringLiteral("[None]")},
        {QStringLiteral("1234,5"), QStringLiteral("1234,50"), QStringLiteral("1 234,5"), QStringLiteral("1 234,50"),
         QStringLiteral("Custom")},
        {QStringLiteral("11.15.98"), QStringLiteral("11.15.1998"), QStringLiteral("15 nov 1998"),
         QStringLiteral("15 november 1998"), QStringLiteral("Custom")},
        {QStringLiteral("02:43:35"), QStringLiteral("2:43:35"), QStringLiteral("02:43"), QStringLiteral("2:43"),
         QStringLiteral("Custom")},
        {QStringLiteral("0;1"), QStringLiteral("No;Yes"), QStringLiteral("_;x"), QStringLiteral("False;True"),
         QStringLiteral("Custom")},
    };
    TrpFmtForm form;
    form.Format = 0x0000022C; // Text, two digits and "," kept from before
    form.show();
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("変数フォーマット"));
    for (int category = 0; category < 5; ++category) {
        SCOPED_TRACE(category);
        form.ComboBox1->setCurrentIndex(category);
        emit form.ComboBox1->activated(category);
        QStringList shown;
        for (int i = 0; i < form.ComboBox2->count(); ++i)
            shown.append(form.ComboBox2->itemText(i));
        EXPECT_EQ(shown, kinds[category]);
        EXPECT_EQ(form.ComboBox1->itemText(category), categories[category]);
        for (int kind = 0; kind < form.ComboBox2->count(); ++kind) {
            form.ComboBox2->setCurrentIndex(kind);
            emit form.ComboBox2->activated(kind);
            EXPECT_EQ(form.Format, quint32(category) << 24 | quint32(kind) << 16 | 0x022C) << kind;
            EXPECT_EQ(form.CustomPanel->isVisibleTo(&form), kind == TrpFmtForm::CustomKind) << kind;
            EXPECT_EQ(form.DigitsPanel->isVisibleTo(&form), category == 1 && kind != TrpFmtForm::CustomKind) << kind;
        }
    }
}

TEST(TrpFmtForm, DigitsAndSymbolGoIntoTheirBits)
{
    TrpFmtForm form;
    form.Format = 0x01010000; // Number, second kind, no digits, no symbol
    form.show();
    EXPECT_EQ(form.ComboBox2->currentIndex(), 1);
    emit form.DesEdit->textEdited(QStringLiteral("3"));
    emit form.SplEdit->textEdited(QStringLiteral("."));
    EXPECT_EQ(form.Format, 0x0101032Eu);
    // An empty symbol stores ",".
    emit form.SplEdit->textEdited(QString());
    EXPECT_EQ(form.Format, 0x0101032Cu);
    // The box holds one whole character, also one outside the basic plane;
    // a word of one byte cannot hold it, so "," is stored.
    const QString yoshi = QString::fromUcs4(U"\U00020BB7");
    QInputMethodEvent commit;
    commit.setCommitString(yoshi + QStringLiteral("x"));
    QCoreApplication::sendEvent(form.SplEdit, &commit);
    EXPECT_EQ(form.SplEdit->text(), yoshi);
    EXPECT_EQ(form.Format, 0x0101032Cu);
}
