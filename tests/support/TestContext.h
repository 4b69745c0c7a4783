#pragma once

#include "FakeDialogService.h"

#include "core/AppContext.h"
#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "core/TRegistory.h"

#include <functional>
#include <utility>
#include <vector>

// The application context of a test: the given connection (usually the
// DatabaseFixture's), settings at their defaults (never read or written), a
// data module that is not connected, and a FakeDialogService that answers the
// boxes and dialogs while the context lives. Shared forms are published
// through their globals with publish(), which puts back nullptr at the end.
class TestContext
{
public:
    explicit TestContext(DbConnection &database, QString appDir = {})
        : context{database, registory, dbSeting, mainModule, dialogs, std::move(appDir)}
    {}
    ~TestContext()
    {
        for (auto it = m_unpublish.rbegin(); it != m_unpublish.rend(); ++it)
            (*it)();
    }
    TestContext(const TestContext &) = delete;
    TestContext &operator=(const TestContext &) = delete;

    // Sets a form's global for the calls other forms make through it.
    template <typename T> void publish(T *&global, T *form)
    {
        global = form;
        m_unpublish.push_back([&global] { global = nullptr; });
    }

    FakeDialogService dialogs;
    TRegistory registory;
    TDBSeting dbSeting;
    TMainModule mainModule;
    AppContext context;

private:
    std::vector<std::function<void()>> m_unpublish;
};
