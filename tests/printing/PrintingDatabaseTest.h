#pragma once

#include "DatabaseFixture.h"

#include "base/DateTime.h"

#include <QStringList>

#include <optional>

class TrpReport;

// A database with the users and plans a printout test writes, and the
// texts of the pages it builds.
class PrintingDatabaseTest : public DatabaseFixture
{
protected:
    struct User
    {
        int CureNo = 0;
        QString Name;
        QString Kana;
        int RihaType = 0;
        int KubunCode = 0;
        TDateTime Nyusho = DateTime::None;
        // nullopt writes NULL.
        std::optional<TDateTime> Taisho = DateTime::None;
        std::optional<int> Sex = 0;
        TDateTime Birth = DateTime::None;
        int Jiritsu = -1;
        int Ninchi = -1;
        int Youkaigo = -1;
        QString Room;
    };

    [[nodiscard]] ::testing::AssertionResult addUser(const User &user);
    [[nodiscard]] ::testing::AssertionResult addPlan(int cureNo, TDateTime day);
    [[nodiscard]] ::testing::AssertionResult addPractice(int cureNo, TDateTime day);

    // Builds the report and returns the trimmed text of every object of
    // every page, page by page; empty after a failure, which is reported.
    [[nodiscard]] static std::vector<QStringList> buildPages(TrpReport &report);

    [[nodiscard]] static TDateTime day(int year, int month, int dayOfMonth)
    {
        return DateTime::encodeDate(year, month, dayOfMonth);
    }
};
