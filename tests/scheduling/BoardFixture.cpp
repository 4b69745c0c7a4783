#include "BoardFixture.h"

void BoardFixture::SetUp()
{
    DatabaseFixture::SetUp();
    if (IsSkipped())
        return;
    m_staff = StaffDirectory(
        {{StaffA, QStringLiteral("青木")}, {StaffB, QStringLiteral("伊藤")}, {StaffC, QStringLiteral("上田")}});
    m_data = std::make_unique<TScheduleData>(db(), m_staff);
    ScheduleRows::addPerson(db(), 1, QStringLiteral("利用者一"), day(1));
    ScheduleRows::addPerson(db(), 2, QStringLiteral("利用者二"), day(1) - 30, day(1));
    ScheduleRows::addPerson(db(), 3, QStringLiteral("利用者三"), day(2), 0, 2, 1);
}

void BoardFixture::TearDown()
{
    EXPECT_TRUE(m_dialogs.messages().isEmpty()) << m_dialogs.messageTexts().join(u'|').toStdString();
    DatabaseFixture::TearDown();
}

bool BoardFixture::done(BoardOutcome outcome)
{
    m_told = std::move(outcome.messages);
    return outcome.done;
}

QString BoardFixture::lastMessage() const
{
    return m_told.empty() ? QString() : m_told.back().text;
}

QStringList BoardFixture::texts() const
{
    return textsOf(m_told);
}

QStringList BoardFixture::textsOf(const std::vector<UserMessage> &messages)
{
    QStringList result;
    for (const UserMessage &message : messages)
        result << message.text;
    return result;
}

void BoardFixture::emptySlots()
{
    EXPECT_TRUE(exec(QStringLiteral("DELETE FROM Schedule")));
    EXPECT_TRUE(exec(QStringLiteral("DELETE FROM TimeTable")));
}

WorkBoard &BoardFixture::board(WorkBoard::Kind kind)
{
    if (!m_board)
        m_board = std::make_unique<WorkBoard>(kind, *m_data, m_staff);
    return *m_board;
}

QString BoardFixture::labelOf(int reserveNo)
{
    for (const TIMETABLE_ITEM &item : m_data->TimeFrames.items())
        if (item.ResNo == reserveNo)
            return item.LName;
    return {};
}

int BoardFixture::fromEnvironment(const char *name, int fallback)
{
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

int BoardFixture::bookings(int reserveNo)
{
    return ScheduleRows::count(db(), QStringLiteral("Schedule"), QStringLiteral("WorkingNo = %1").arg(reserveNo));
}
