#pragma once

#include "users/PartnerLink.h"

#include <QDialog>

struct AppContext;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The partner link's settings: the link kind and the two connection
// strings, stored in the per-user settings and connected by "確定". Shown
// modally by the system menu, which it hides meanwhile.
class THinorikuForm : public QDialog
{
    Q_OBJECT

public:
    explicit THinorikuForm(AppContext &context, QWidget *parent = nullptr);

    // The window hidden while this one is shown (the system menu).
    void SetMenuForm(QWidget *menu) { m_menu = menu; }

    QWidget *MainPanel = nullptr;
    QGroupBox *Connection = nullptr;
    QButtonGroup *ConnectionItems = nullptr;
    QLineEdit *SQLServerName = nullptr;
    QLineEdit *SQLUserID = nullptr;
    QLineEdit *SQLPassword = nullptr;
    QPushButton *SQLConfirm = nullptr;
    QLineEdit *MDBConnection = nullptr;
    QPushButton *MDBConfirm = nullptr;
    QPushButton *Setting = nullptr;
    QPushButton *CloseButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildFrames();
    void SQLConfirmClick();
    void MDBConfirmClick();
    void SettingClick();

    AppContext &m_context;
    PartnerLink m_link;
    QWidget *m_menu = nullptr;
};

extern THinorikuForm *HinorikuForm;
