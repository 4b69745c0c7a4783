#pragma once

#include <QString>

class QPlainTextEdit;

// The plan records keep a memo's line breaks as CR LF, as plans stored from
// a Windows memo have them, and count their limits on that text; the memo
// itself shows LF. A text stored with LF alone shows as it is.
namespace PlanMemoText {

[[nodiscard]] QString stored(const QPlainTextEdit *memo);
void show(QPlainTextEdit *memo, const QString &stored);

} // namespace PlanMemoText
