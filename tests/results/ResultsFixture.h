#pragma once

#include "DatabaseFixture.h"
#include "ResultRows.h"
#include "TestContext.h"

#include "base/Clock.h"

#include <memory>

// A database with the application context of the results forms: the staff
// of ResultRows, "now" fixed at 2024-04-20 14:05.
class ResultsFixture : public DatabaseFixture
{
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        Clock::setFixed(QDateTime(QDate(2024, 4, 20), QTime(14, 5)));
        m_app = std::make_unique<TestContext>(db());
        ResultRows::fillStaff(m_app->mainModule);
    }
    void TearDown() override
    {
        m_app.reset();
        Clock::reset();
        DatabaseFixture::TearDown();
    }

    std::unique_ptr<TestContext> m_app;
};
