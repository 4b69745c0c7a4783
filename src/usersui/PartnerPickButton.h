#pragma once

#include <QPushButton>

struct AppContext;
class TUserRegistForm;

// The button beside the register's partner number that picks a partner
// user (HinorikuUserForm). Shown only while a partner link is set. It takes
// the partner number, and for a new user also fills the name, kana, sex and
// birth date that are still empty.
class PartnerPickButton : public QPushButton
{
    Q_OBJECT

public:
    PartnerPickButton(AppContext &context, TUserRegistForm &form, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pick();

    AppContext &m_context;
    TUserRegistForm &m_form;
};
