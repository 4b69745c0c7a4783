#include "schedulingui/TScheduleTableDispForm.h"

#include "platform/DialogService.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TScheduleTableDispForm *ScheduleTableDispForm = nullptr;

TScheduleTableDispForm::TScheduleTableDispForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ScheduleTableDispForm"));
    setWindowTitle(QStringLiteral("TimeTable Display (Debug)"));
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Memo);
    resize(640, 420);
}

void TScheduleTableDispForm::showLines(const QStringList &lines)
{
    // Refilled on each showing, so a second press does not repeat the list.
    Memo->setPlainText(lines.join(u'\n'));
    Dialogs::exec(this);
}
