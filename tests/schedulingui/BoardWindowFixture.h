#pragma once

#include "DatabaseFixture.h"
#include "TestContext.h"

#include <memory>

// User 7, cared for from November 1st, and staff 12's 40-minute slot at 09:30
// on December 2nd, for the tests of the boards.
class BoardWindowFixture : public DatabaseFixture
{
protected:
    void SetUp() override;

    // A fresh context whose data module knows staff 11 and 12.
    AppContext &context();

    std::unique_ptr<TestContext> m_test;
};
