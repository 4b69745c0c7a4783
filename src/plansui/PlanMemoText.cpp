#include "plansui/PlanMemoText.h"

#include <QPlainTextEdit>

namespace PlanMemoText {

QString stored(const QPlainTextEdit *memo)
{
    return memo->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void show(QPlainTextEdit *memo, const QString &stored)
{
    memo->setPlainText(QString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace PlanMemoText
