#pragma once

#include "DatabaseFixture.h"
#include "FakeDialogService.h"
#include "ScheduleRows.h"

#include "core/StaffDirectory.h"
#include "scheduling/TScheduleData.h"
#include "scheduling/WorkBoard.h"

#include <memory>

// A database with three staff members and three users, and a board on it.
// Users: 1 cared for from 1 December on, 2 until 1 December, 3 from
// 2 December on.
class BoardFixture : public DatabaseFixture
{
protected:
    static constexpr int StaffA = 11;
    static constexpr int StaffB = 12;
    static constexpr int StaffC = 13;

    void SetUp() override;
    // The board logic returns its boxes; it shows none itself.
    void TearDown() override;
    // Keeps the outcome's boxes for lastMessage() and texts(); whether it was done.
    bool done(BoardOutcome outcome);
    [[nodiscard]] QString lastMessage() const;
    [[nodiscard]] QStringList texts() const;
    [[nodiscard]] static TDateTime day(int dayOfDecember) { return DateTime::encodeDate(2026, 12, dayOfDecember); }
    WorkBoard &board(WorkBoard::Kind kind = WorkBoard::Kind::StaffMonth);
    // The label name of the slot with that ReserveNo on the board.
    [[nodiscard]] QString labelOf(int reserveNo);
    [[nodiscard]] int bookings(int reserveNo);
    // How many rounds with how many workstations a race test runs;
    // TAMSOLEN_RACE_ROUNDS and TAMSOLEN_RACE_WORKSTATIONS ask for more (for
    // figures, not for every run).
    [[nodiscard]] static int fromEnvironment(const char *name, int fallback);
    [[nodiscard]] static QStringList textsOf(const std::vector<UserMessage> &messages);
    // Deletes every booking and slot, for the next round of a race.
    void emptySlots();

    StaffDirectory m_staff;
    std::unique_ptr<TScheduleData> m_data;
    std::unique_ptr<WorkBoard> m_board;
    FakeDialogService m_dialogs;
    std::vector<UserMessage> m_told;
};
