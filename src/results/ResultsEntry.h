#pragma once

#include "results/ResultRowsEditor.h"
#include "users/TPerson.h"

#include <QString>

#include <functional>
#include <optional>

struct AppContext;

// The results of one user in one month, entered and corrected by hand
// (the per-user entry form without its window).
class ResultsEntry
{
public:
    explicit ResultsEntry(const AppContext &context) : m_context(context) {}

    // Reads the user's register row; the message to show when that fails
    // or there is no such user (empty on success).
    [[nodiscard]] QString loadPerson(int cureNo);
    [[nodiscard]] const TPerson &person() const { return m_person; }
    // The user's results of [from, to) by day, start and key.
    [[nodiscard]] bool loadMonth(TDateTime from, TDateTime to);
    [[nodiscard]] ResultRowsEditor &rows() { return m_rows; }
    [[nodiscard]] const ResultRowsEditor &rows() const { return m_rows; }

    // 利用日追加: one empty result of the user on the day (today when the
    // entered day could not be read), then the month is read again. The
    // message to show on failure, empty on success.
    [[nodiscard]] QString addDay(std::optional<TDateTime> day);
    enum class Write { Ok, Changed, Failed };
    // 全て削除: the user's results of the month, when they are, under
    // their lock, the rows listed; Changed (nothing deleted, the month read
    // again) when another workstation added or deleted one meanwhile.
    [[nodiscard]] Write deleteAll();

    // The grid's editors; each writes its row at once (start and remark
    // through rows()).
    // The typed start "hh:mm" of a time of day; anything else is refused
    // with the message.
    [[nodiscard]] bool setStart(int row, const QString &text, QString &message);
    // The typed minutes, 0 (booked but not given) to 600; below 0 refused
    // with "負の値です。", other refusals with the slot dialogs' messages.
    [[nodiscard]] bool setMinutes(int row, const QString &text, QString &message);
    [[nodiscard]] bool setRihaType(int row, int rihaType);
    [[nodiscard]] bool setFlag(int row, int flag, bool ticked);
    [[nodiscard]] bool setStaff(int row, int staffCode);

    // 保存: KubunCode from the ticks of each row's own form; the ticks of
    // the other forms are cleared so that no row counts for two forms.
    // Decided from the rows as stored under their lock: Changed (nothing
    // written, the month read again) when a listed row is gone or its form
    // or ticks are no longer those listed. Failed: the month read again.
    [[nodiscard]] Write save();

    [[nodiscard]] const QString &errorText() const { return m_rows.errorText(); }

private:
    // Inside a write transaction: whether the listed rows are stored as
    // listed, their form and ticks (and, for a whole month, no other row),
    // locked against the other writers of the rows.
    [[nodiscard]] std::optional<bool> listedRowsStored(bool wholeMonth);
    // Runs the write in a write transaction when the listed rows are stored
    // as listed; the month is read again unless it was done.
    [[nodiscard]] Write writeIfListed(bool wholeMonth, const std::function<bool()> &write);
    [[nodiscard]] bool writeKubunCodes();

    const AppContext &m_context;
    TPerson m_person;
    TDateTime m_from = DateTime::None;
    TDateTime m_to = DateTime::None;
    ResultRowsEditor m_rows;
};
