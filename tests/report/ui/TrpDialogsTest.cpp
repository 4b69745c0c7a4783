#include "reportui/TrpFmtForm.h"
#include "reportui/TrpProgressForm.h"

#include "FakeDialogService.h"
#include "PreviewFixtures.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A long build: a page every few milliseconds, looking at the stop request
// between pages as the report does.
int build(TrpProgressForm &form, int pages)
{
    int built = 0;
    while (built < pages) {
        ++built;
        form.setLabel(QStringLiteral("Processing page:  %1").arg(built));
        QThread::msleep(1);
        if (form.cancelRequested())
            break;
    }
    return built;
}

} // namespace

TEST(TrpProgressForm, RunsTheJobInsideTheOpenDialog)
{
    FakeDialogService dialogs;
    TrpProgressForm form;
    PreviewFixtures::queueProgressLoop(dialogs);
    int built = 0;
    const bool done = form.run(QStringLiteral("Report preparing"), QStringLiteral("Processing page:  1"), [&] {
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.isShowing());
        built = build(form, 5);
    });
    EXPECT_TRUE(done);
    EXPECT_FALSE(form.isShowing());
    EXPECT_EQ(built, 5);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report preparing"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Processing page:  5"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Cancel"));
}

TEST(TrpProgressForm, CancelStopsALongBuild)
{
    FakeDialogService dialogs;
    TrpProgressForm form;
    PreviewFixtures::queueProgressLoop(dialogs, 30);
    int built = 0;
    EXPECT_FALSE(form.run(QStringLiteral("Report preparing"), QString(), [&] { built = build(form, 100000); }));
    EXPECT_TRUE(form.terminated());
    EXPECT_GT(built, 0);
    EXPECT_LT(built, 100000);

    // The next run starts without the stop request.
    PreviewFixtures::queueProgressLoop(dialogs);
    EXPECT_TRUE(form.run(QString(), QString(), [&] { built = build(form, 3); }));
    EXPECT_EQ(built, 3);
}

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
    form.FormatText = QStringLiteral("kept");
    form.show();
    EXPECT_EQ(form.ComboBox1->currentIndex(), 1);
    EXPECT_EQ(form.ComboBox2->currentIndex(), 1);
    EXPECT_TRUE(form.DigitsPanel->isVisibleTo(&form));
    EXPECT_EQ(form.DesEdit->text(), QStringLiteral("0"));

    emit form.DesEdit->textEdited(QStringLiteral("3"));
    EXPECT_EQ(form.Format, 0x01010300u);
    emit form.SplEdit->textEdited(QStringLiteral("."));
    EXPECT_EQ(form.Format, 0x0101032Eu);
    // An empty symbol stores ",".
    emit form.SplEdit->textEdited(QString());
    EXPECT_EQ(form.Format, 0x0101032Cu);

    // A new category clears the custom text and starts at its first kind.
    form.ComboBox1->setCurrentIndex(4);
    emit form.ComboBox1->activated(4);
    EXPECT_EQ(form.Format, 0x0400032Cu);
    EXPECT_TRUE(form.FormatText.isEmpty());
    EXPECT_FALSE(form.DigitsPanel->isVisibleTo(&form));
}
