#include "coreui/QtTranslations.h"
#include "coreui/WidgetDialogService.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

bool translationsInstalled()
{
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm"));
}

// What the save dialog of the service showed, read while it was open.
struct SaveDialog
{
    bool shown = false;
    bool confirmsOverwrite = true;
    QString lookIn;
    QString fileName;
    QString accept;
};

SaveDialog showSaveDialog()
{
    SaveDialog seen;
    QTimer::singleShot(0, [&seen] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.shown = true;
        seen.confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("lookInLabel")))
            seen.lookIn = label->text();
        if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("fileNameLabel")))
            seen.fileName = label->text();
        if (auto *buttons = dialog->findChild<QDialogButtonBox *>())
            seen.accept = buttons->button(QDialogButtonBox::Save) ? buttons->button(QDialogButtonBox::Save)->text()
                                                                  : buttons->buttons().value(0)->text();
        dialog->reject();
    });
    QTemporaryDir dir;
    WidgetDialogService service;
    EXPECT_TRUE(
        service.saveFileName(nullptr, QStringLiteral("保存"), dir.path(), QStringLiteral("CSV (*.csv)")).isEmpty());
    return seen;
}

} // namespace

TEST(QtTranslations, QtsOwnTextsAreJapanese)
{
    if (!translationsInstalled())
        GTEST_SKIP() << "Qt's Japanese translations are missing (qt6-translations-l10n, scripts/install-deps)";
    ASSERT_TRUE(QtTranslations::install());

    QLineEdit edit;
    edit.setText(QStringLiteral("山田"));
    edit.selectAll();
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->text());
    EXPECT_TRUE(texts.filter(QStringLiteral("コピー")).size() == 1) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.filter(QStringLiteral("Copy")).isEmpty()) << texts.join(u'|').toStdString();

    const SaveDialog dialog = showSaveDialog();
    ASSERT_TRUE(dialog.shown);
    for (const QString &text : {dialog.lookIn, dialog.fileName, dialog.accept}) {
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("Look in|File name|Save")))) << text.toStdString();
    }
    EXPECT_EQ(dialog.accept, QCoreApplication::translate("QFileDialog", "&Save"));
}

TEST(QtTranslations, TheSaveDialogLeavesTheOverwriteQuestionToItsCaller)
{
    const SaveDialog dialog = showSaveDialog();
    ASSERT_TRUE(dialog.shown);
    EXPECT_FALSE(dialog.confirmsOverwrite);
}
