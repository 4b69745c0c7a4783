#pragma once

#include "base/Variant.h"
#include "plans/TPlan.h"

#include <QString>

#include <optional>

// The values of the printed treatment plan ("CurePlan.rpf") for one plan:
// its header, the body's choices by their list names and its texts.
class CurePlanPrint
{
public:
    CurePlanPrint(TPlan plan, QString facilityName);

    // The value of a template variable; nullopt for a name not its own.
    [[nodiscard]] std::optional<Variant> value(const QString &name) const;
    // The text of a frame whose first line is "[EtcMemo]", "[DrMemo]" or
    // "[Sonota]"; nullopt for any other frame.
    [[nodiscard]] std::optional<QString> areaText(const QString &firstLine) const;

private:
    [[nodiscard]] std::optional<Variant> bodyValue(const QString &name) const;

    TPlan m_plan;
    QString m_facilityName;
};
