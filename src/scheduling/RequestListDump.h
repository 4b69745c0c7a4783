#pragma once

#include <QStringList>

class TRequestTable;

// The records of a user's month as the diagnostic list shows them: a header
// and one fixed-width line per record, in list order.
namespace RequestListDump {

inline const QString Header = QStringLiteral("Flag     PNo   LName  ResNo  RegistDay     Stf  StartTime  Fnn  Cap");

[[nodiscard]] QStringList lines(const TRequestTable &requests);

} // namespace RequestListDump
