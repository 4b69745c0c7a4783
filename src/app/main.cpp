#include "core/TCommentForm.h"
#include "core/TGreetForm.h"
#include "core/TLoginForm.h"
#include "core/TMainForm.h"
#include "core/TMainModule.h"
#include "core/TTextForm.h"
#include "core/WidgetDialogService.h"
#include "platform/TTerminateThread.h"
#include "reportui/TrpCupsPrinters.h"
#include "users/TUserRegistForm.h"
#include "users/TUserSearchForm.h"

#include <QApplication>

#include <functional>
#include <memory>
#include <vector>

namespace {

// Owns every form and data module of the program; they are destroyed in the
// reverse order of their creation when the program ends.
class ApplicationForms
{
public:
    ApplicationForms() = default;
    ApplicationForms(const ApplicationForms &) = delete;
    ApplicationForms &operator=(const ApplicationForms &) = delete;
    ~ApplicationForms()
    {
        while (!m_destroyers.empty()) {
            m_destroyers.back()();
            m_destroyers.pop_back();
        }
    }

    // Creates the object and publishes it through its global.
    template <typename T, typename... Args> void create(T *&global, Args &&...args)
    {
        global = new T(std::forward<Args>(args)...);
        m_destroyers.push_back([&global] {
            delete global;
            global = nullptr;
        });
    }

private:
    std::vector<std::function<void()>> m_destroyers;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamsolen"));
    WidgetDialogService dialogs;
    Dialogs::install(&dialogs);
    TrpCupsPrinters cupsPrinters;
    TrpPlatformPrinters::install(&cupsPrinters);

    auto greet = std::make_unique<TGreetForm>();
    GreetForm = greet.get();
    GreetForm->show();
    GreetForm->repaint();
    QApplication::processEvents();

    ApplicationForms forms;
    // The start-up sequence: each form is created at its place here, in
    // groups, with a status line on the splash after each group.
    forms.create(MainForm);
    forms.create(LoginForm);
    forms.create(MainModule, *MainForm, *LoginForm);
    DbConnection &database = MainModule->RIHADatabase;
    forms.create(UserSearchForm, database);
    if (!MainForm->StartupOK)
        return 0;

    forms.create(TextForm);
    GreetForm->SetStatus(1, QStringLiteral("計画書の準備ができました。"));

    GreetForm->SetStatus(2, QStringLiteral("スケジュールの準備ができました。"));

    forms.create(CommentForm, database);
    GreetForm->SetStatus(3, QStringLiteral("印刷の準備ができました。"));

    forms.create(UserRegistForm, database);
    MainForm->SetTileForm(Artwork::Tile::UserRegist, UserRegistForm);

    GreetForm = nullptr;
    greet.reset();

    // Closing the main window ends the program; the watchdog makes sure it does.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(MainForm, &TMainForm::Closed, &app, [] {
        (new TTerminateThread())->start();
        QApplication::quit();
    });
    MainForm->show();
    return QApplication::exec();
}
