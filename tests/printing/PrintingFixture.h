#pragma once

#include "DatabaseFixture.h"
#include "ResultRows.h"
#include "TestContext.h"

#include <QStringList>

#include <initializer_list>
#include <memory>
#include <vector>

class TrpReport;

// A database with the context of the printing forms: the compiled
// templates as the program's folder, the staff of ResultRows, the facility
// "ひだまり苑", "now" fixed at 2024-04-20 14:05.
class PrintingFixture : public DatabaseFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A user with the name and kana; its number.
    int addUser(const QString &name, const QString &kana);
    // A treatment plan of the user valid from registration to end, with the
    // first programme text.
    void addPlan(int cureNo, TDateTime registDay, TDateTime endDay, const QString &program1 = {});

    // UTF-8 texts as a list.
    [[nodiscard]] static QStringList strings(std::initializer_list<const char *> texts);
    // The memos of the built pages whose text runs out of its box: a line
    // wider than the box, or more lines than its height holds.
    [[nodiscard]] static QStringList overflowing(TrpReport &report);
    // The template of that name in the program's folder loaded into the
    // report, as the printing windows' preview loads it.
    [[nodiscard]] bool load(TrpReport &report, QStringView templateName) const;
    // Builds the report; every text of every page, pages apart.
    [[nodiscard]] static std::vector<QStringList> build(TrpReport &report);

    std::unique_ptr<TestContext> m_app;
};
