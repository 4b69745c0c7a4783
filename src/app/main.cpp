#include "core/AppContext.h"
#include "core/DateSettingsScope.h"
#include "core/TDBSeting.h"
#include "core/TMainModule.h"
#include "core/TRegistory.h"
#include "coreui/QtTranslations.h"
#include "coreui/TCommentForm.h"
#include "coreui/TGreetForm.h"
#include "coreui/TLoginForm.h"
#include "coreui/TMainForm.h"
#include "coreui/TStringsForm.h"
#include "coreui/TSystemMenuForm.h"
#include "coreui/TTextForm.h"
#include "coreui/WidgetDialogService.h"
#include "plansui/TABCForm.h"
#include "plansui/TGetCurePlanForm.h"
#include "plansui/TGetPractPlanForm.h"
#include "plansui/TPaperMenuForm.h"
#include "plansui/TPlanSearchForm.h"
#include "plansui/TPracticePlanForm.h"
#include "plansui/TPrintOutstandingForm.h"
#include "plansui/TRihaPlanForm.h"
#include "plansui/TTimeForm.h"
#include "platform/TTerminateThread.h"
#include "printingui/TPrintAllUserForm.h"
#include "printingui/TPrintKeitaiForm.h"
#include "printingui/TPrintLimitRihaForm.h"
#include "printingui/TPrintMenuForm.h"
#include "printingui/TPrintPersonResultForm.h"
#include "printingui/TPrintPractForm.h"
#include "printingui/TPrintRihaForm.h"
#include "printingui/TPrintScheduleTypeForm.h"
#include "printingui/TPrintToukeiForm.h"
#include "reportui/TrpCupsPrinters.h"
#include "reportui/TrpReportWindows.h"
#include "resultsui/TDailyMedicalRecordForm.h"
#include "resultsui/TImportScheduleDialog.h"
#include "resultsui/TPersonMedicalRecordForm.h"
#include "resultsui/TResultSheetForm.h"
#include "resultsui/TResultsEditForm.h"
#include "resultsui/TResultsMenuForm.h"
#include "schedulingui/TAttendScheduleForm.h"
#include "schedulingui/TDayAttendForm.h"
#include "schedulingui/TDayScheduleForm.h"
#include "schedulingui/TScheduleMenuForm.h"
#include "schedulingui/TScheduleTableDispForm.h"
#include "schedulingui/TStuffScheduleForm.h"
#include "schedulingui/TUserAttendForm.h"
#include "schedulingui/TUserBookForm.h"
#include "schedulingui/TUserScheduleForm.h"
#include "schedulingui/TUserSheetForm.h"
#include "usersui/THinorikuForm.h"
#include "usersui/THinorikuUserForm.h"
#include "usersui/TUserRegistForm.h"
#include "usersui/TUserSearchForm.h"

#include <QApplication>
#include <QPushButton>

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
    // The program's date format and locale while it runs, before any window.
    const DateSettingsScope dateSettings;
    QtTranslations::install();
    WidgetDialogService dialogs;
    Dialogs::install(&dialogs);
    TrpCupsPrinters cupsPrinters;
    TrpPlatformPrinters::install(&cupsPrinters);
    // The report engine's preview, progress, input and error windows.
    const TrpReportWindows reportWindows;

    auto greet = std::make_unique<TGreetForm>();
    GreetForm = greet.get();
    GreetForm->show();
    GreetForm->repaint();
    QApplication::processEvents();

    TRegistory registory;
    registory.LoadSettings();
    TDBSeting dbSeting;
    dbSeting.LoadSettings();

    ApplicationForms forms;
    // The start-up sequence: each form is created at its place here, in
    // groups, with a status line on the splash after each group.
    forms.create(MainModule);
    AppContext context{
        MainModule->RIHADatabase, registory, dbSeting, *MainModule, dialogs, QCoreApplication::applicationDirPath()};
    forms.create(MainForm, context);
    forms.create(LoginForm);
    // A failed connection or login has shown its message (none when the user
    // cancelled); the program ends without writing the settings back.
    std::vector<UserMessage> told;
    const bool connected = MainModule->Connect(dbSeting, registory, told);
    Dialogs::show(told);
    if (!connected || !LoginForm->RunLogin(*MainModule))
        return 0;
    forms.create(UserSearchForm, context);
    forms.create(SystemMenuForm, context);

    forms.create(TextForm);
    forms.create(PaperMenuForm, context);
    forms.create(RihaPlanForm, context);
    forms.create(GetCurePlanForm, context);
    forms.create(StringsForm);
    forms.create(GetPractPlanForm, context);
    forms.create(PlanSearchForm, context);
    forms.create(ABCForm);
    forms.create(GoodsForm, TStringsForm::goodsLayout());
    forms.create(KaigoForm, TStringsForm::kaigoLayout());
    forms.create(TimeForm);
    forms.create(PracticePlanForm, context);
    forms.create(PrintOutstandingForm, context);
    PaperMenuForm->SetForms(RihaPlanForm, PracticePlanForm, PrintOutstandingForm);
    MainForm->SetTileForm(Artwork::Tile::Paper, PaperMenuForm);
    GreetForm->SetStatus(1, QStringLiteral("計画書の準備ができました。"));

    forms.create(StuffScheduleForm, context);
    forms.create(DayScheduleForm, context);
    forms.create(ScheduleMenuForm, context);
    forms.create(UserBookForm, context);
    forms.create(UserScheduleForm, context);
    forms.create(ScheduleTableDispForm);
    forms.create(AttendScheduleForm, context);
    forms.create(UserAttendForm, context);
    forms.create(DayAttendForm, context);
    forms.create(UserSheetForm, context);
    GreetForm->SetStatus(2, QStringLiteral("スケジュールの準備ができました。"));

    forms.create(ResultsMenuForm, context);
    forms.create(ResultSheetForm, context);
    forms.create(ResultsEditForm, context);
    forms.create(ImportScheduleDialog, context);
    forms.create(PersonMedicalRecordForm, context);
    forms.create(DailyMedicalRecordForm, context);

    forms.create(CommentForm, context);
    forms.create(PrintMenuForm, context);
    // Each print window is reached from its button on the print menu.
    const auto createPrintForm = [&](auto *&form, QPushButton *button) {
        forms.create(form, context);
        PrintMenuForm->SetForm(button, form);
    };
    createPrintForm(PrintAllUserForm, PrintMenuForm->PrintAllUserButton);
    createPrintForm(PrintLimitRihaForm, PrintMenuForm->Button9);
    createPrintForm(PrintKeitaiForm, PrintMenuForm->Button8);
    createPrintForm(PrintScheduleTypeForm, PrintMenuForm->Button7);
    createPrintForm(PrintRihaForm, PrintMenuForm->Button3);
    createPrintForm(PrintPractForm, PrintMenuForm->Button2);
    createPrintForm(PrintPersonResultForm, PrintMenuForm->Button6);
    createPrintForm(PrintToukeiForm, PrintMenuForm->Button4);
    GreetForm->SetStatus(3, QStringLiteral("印刷の準備ができました。"));

    forms.create(UserRegistForm, context);
    MainForm->SetTileForm(Artwork::Tile::UserRegist, UserRegistForm);
    forms.create(HinorikuForm, context);
    forms.create(HinorikuUserForm, context);
    HinorikuForm->SetMenuForm(SystemMenuForm);
    SystemMenuForm->SetPartnerForm(HinorikuForm);
    MainForm->SetTileForm(Artwork::Tile::System, SystemMenuForm);
    MainForm->SetTileForm(Artwork::Tile::Schedule, ScheduleMenuForm);
    MainForm->SetTileForm(Artwork::Tile::Results, ResultsMenuForm);
    MainForm->SetTileForm(Artwork::Tile::Print, PrintMenuForm);

    GreetForm = nullptr;
    greet.reset();

    // Closing the main window ends the program; the watchdog makes sure it does.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(MainForm, &TMainForm::Closed, &app, [] {
        (new TTerminateThread())->start();
        QApplication::quit();
    });
    MainForm->show();
    const int exitCode = QApplication::exec();
    registory.SaveSettings();
    return exitCode;
}
