#include "BoardWindowFixture.h"

void BoardWindowFixture::SetUp()
{
    DatabaseFixture::SetUp();
    if (IsSkipped())
        return;
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO Person (CureNo, Name, Sex, RihaType, KubunCode, NYUSHOBI_YMD, "
                                    "TAISHOBI_YMD) ") +
                     sqlFor(QString(), QStringLiteral("OVERRIDING SYSTEM VALUE ")) +
                     QStringLiteral("VALUES (7, '佐藤　一郎', 0, 2, 9, '2026-11-01 00:00:00.000', "
                                    "'1899-12-30 00:00:00.000')")));
    ASSERT_TRUE(exec(QStringLiteral("INSERT INTO TimeTable (ReserveDay, StuffCode, StartTime, WorkingMin, "
                                    "Capacity) VALUES ('2026-12-02 00:00:00.000', 12, "
                                    "'1899-12-30 09:30:00.000', 40, 1)")));
}

AppContext &BoardWindowFixture::context()
{
    m_test = std::make_unique<TestContext>(db());
    m_test->mainModule.setStaff({{11, QStringLiteral("青木　花子")}, {12, QStringLiteral("伊藤　健")}});
    return m_test->context;
}
