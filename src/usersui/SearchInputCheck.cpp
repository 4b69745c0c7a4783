#include "usersui/SearchInputCheck.h"

#include "platform/DialogService.h"

#include <QLineEdit>

bool AcceptSearchInput(QLineEdit *input, UserSearch::Input kind)
{
    const QString message = UserSearch::checkInput(kind, input->text());
    if (message.isEmpty())
        return true;
    Dialogs::information(message);
    input->setFocus();
    return false;
}
