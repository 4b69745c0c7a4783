#include "FakeDialogService.h"
#include "building/FakeReportUi.h"

#include "report/building/TrpReport.h"
#include "report/files/TrpTemplate.h"
#include "reportui/PrintoutPreview.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A copy of a compiled template marked with a format newer than the engine reads.
QString newerTemplate(const QTemporaryDir &dir)
{
    QFile source(QStringLiteral(TAMSOLEN_TEMPLATE_DIR "/Toukei.rpf"));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = source.readAll();
    bytes[0] = char(TrpTemplate::FirstUnsupportedVersion);
    const QString name = dir.filePath(QStringLiteral("Toukei.rpf"));
    QFile copy(name);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
        return {};
    return name;
}

} // namespace

// The engine tells of a format it does not read in its own window; the
// printout tells it only when the engine had none, so it is told once.
TEST(PrintoutPreview, ATemplateInANewerFormatIsToldOnce)
{
    QTemporaryDir dir;
    const QString file = newerTemplate(dir);
    ASSERT_FALSE(file.isEmpty());
    FakeDialogService dialogs;
    {
        QObject owner;
        TrpReport report(&owner);
        EXPECT_FALSE(PrintoutPreview::show(report, file));
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_EQ(dialogs.messages()[0].text,
                  QStringLiteral("Cannot read file \"%1\". ").arg(file) + TrpTemplate::unsupportedMessage());
        EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Error"));
    }
    dialogs.clear();
    FakeReportUi ui;
    QObject owner;
    TrpReport report(&owner);
    EXPECT_FALSE(PrintoutPreview::show(report, file));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(ui.shown, QStringList{QStringLiteral("Error: ") + TrpTemplate::unsupportedMessage()});
}

// A template that is not there is told in the printout's error box.
TEST(PrintoutPreview, AMissingTemplateIsToldWithTheEnginesReason)
{
    QTemporaryDir dir;
    FakeDialogService dialogs;
    FakeReportUi ui;
    QObject owner;
    TrpReport report(&owner);
    EXPECT_FALSE(PrintoutPreview::show(report, dir.filePath(QStringLiteral("none.rpf"))));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_FALSE(dialogs.messages()[0].text.isEmpty());
    EXPECT_EQ(dialogs.messages()[0].text, report.LoadError().message);
    EXPECT_TRUE(ui.shown.isEmpty());
}

// A template that breaks off is told with the file's name, also where the
// engine has no words for what it met.
TEST(PrintoutPreview, ABrokenTemplateIsToldWithItsName)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("broken.rpf"));
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x17\xff");
    broken.close();
    FakeDialogService dialogs;
    FakeReportUi ui;
    QObject owner;
    TrpReport report(&owner);
    EXPECT_FALSE(PrintoutPreview::show(report, file));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("Cannot read file \"%1\".").arg(file)))
        << dialogs.messages()[0].text.toStdString();
    EXPECT_TRUE(ui.shown.isEmpty());
}
