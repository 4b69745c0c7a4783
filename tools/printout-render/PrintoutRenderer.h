#pragma once

#include "base/DateTime.h"
#include "base/Variant.h"
#include "scheduling/BookingListPrint.h"

#include <QString>

#include <functional>
#include <optional>

class TrpReport;
struct AppContext;

// Builds each printout of the program over the context's database with
// fixed choices and writes it as NAME.pdf (NAME the template's) into a
// folder: the month and day of the latest result given (not an absence)
// to a user with a plan, its staff member, form and user; every user in
// the lists, the first plans. Tells each file and its page count.
class PrintoutRenderer
{
public:
    PrintoutRenderer(AppContext &context, QString folder);

    // Renders every printout; the number that failed or gave no page.
    [[nodiscard]] int renderAll();

private:
    // The choices the printouts are built with.
    struct Choice
    {
        TDateTime day = DateTime::None;
        int staffCode = 0;
        QString staffName;
        int rihaType = 0;
        int cureNo = 0;
    };
    [[nodiscard]] std::optional<Choice> latestResult() const;
    // The chosen user as the user booking list heads it.
    [[nodiscard]] BookingListPrint::Header userHeader() const;

    bool curePlan();
    bool practicePlan();
    bool allUsers();
    bool planLimit();
    bool personResults();
    bool statistics();
    bool monthlyByForm();
    bool monthlyByType();
    bool outstanding();
    bool personRecord();
    bool dailyRecord();
    bool bookings();

    [[nodiscard]] QString templateFile(QStringView name) const;
    // Loads the template into the report set up by its printout, builds it
    // and writes its pages; false, told, when loading or building fails or
    // gives no page.
    bool write(QStringView templateName, TrpReport &report);
    // A printout whose band runs once per row of rpUserDataset1, each
    // variable answered for the row the report stands on.
    using RowValues = std::function<std::optional<Variant>(const QString &name, int row)>;
    bool writeRows(QStringView templateName, int rows, const RowValues &values);
    bool fail(QStringView templateName, const QString &reason);

    AppContext &m_context;
    QString m_folder;
    Choice m_choice;
};
