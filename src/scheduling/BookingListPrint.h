#pragma once

#include "base/Variant.h"
#include "scheduling/BookingList.h"

#include <QString>

#include <optional>

// The values of the three booking list printouts, one report line per
// listed booking. The header is what the list showed when it was filled
// (staff, user, month or days), not what the controls show by now.
class BookingListPrint
{
public:
    enum class Kind { Staff, User, Day };
    static constexpr QStringView StaffTemplate = u"AttendSchedule.rpf";
    static constexpr QStringView UserTemplate = u"UserAttend.rpf";
    static constexpr QStringView DayTemplate = u"DayAttend.rpf";

    struct Header
    {
        QString Period;    // YYMMDD or YYMM: "令和08年12月 1日～31日"
        QString StaffName; // the staff list and the day list
        QString Weekday;   // the day list
        // The user list.
        QString CureNo;
        QString Name;
        QString Kana;
        QString Birth;
        QString Sex;
        QString Contact;
    };

    BookingListPrint(Kind kind, BookingList::Rows rows, Header header, QString facilityName, TDateTime now);

    [[nodiscard]] static QStringView templateName(Kind kind);
    [[nodiscard]] Kind kind() const { return m_kind; }
    // The contact memo of the user list, as it stands when printing.
    void setContact(const QString &text) { m_header.Contact = text; }
    [[nodiscard]] int rowCount() const { return int(m_rows.size()); }
    [[nodiscard]] std::optional<Variant> value(const QString &name, int row) const;

private:
    [[nodiscard]] std::optional<Variant> rowValue(const QString &name, const BookingList::Row &row) const;

    Kind m_kind;
    BookingList::Rows m_rows;
    Header m_header;
    QString m_facility;
    TDateTime m_now;
};
