#pragma once

#include "DatabaseFixture.h"
#include "TestContext.h"

#include "coreui/TCommentForm.h"
#include "coreui/TStringsForm.h"
#include "plansui/TGetCurePlanForm.h"
#include "plansui/TRihaPlanForm.h"
#include "usersui/TUserSearchForm.h"

#include <QString>

#include <memory>

// The plan windows on a database with two users (numbers 1 and 2), the
// clock on 2024-05-20 and the shared dialogs published.
class PlanWindowFixture : public DatabaseFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The next plan picker takes the number and confirms it.
    void queuePicker(const QString &number);
    // Plan rows stored.
    [[nodiscard]] int planCount();
    [[nodiscard]] QStringList messages() const { return m_context->dialogs.messageTexts(); }
    [[nodiscard]] FakeDialogService &dialogs() { return m_context->dialogs; }

    std::unique_ptr<TestContext> m_context;
    std::unique_ptr<TCommentForm> m_comments;
    std::unique_ptr<TUserSearchForm> m_search;
    std::unique_ptr<TGetCurePlanForm> m_picker;
    std::unique_ptr<TStringsForm> m_strings;
    std::unique_ptr<TRihaPlanForm> m_form;
};
