#pragma once

#include "users/PartnerConnectionString.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// Builds the partner database's connection string from a driver and its
// fields, and tries it with "接続テスト". Shown modally (Dialogs::exec); when
// accepted, connectionString(), user() and password() hold the result.
class TConnectionStringDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TConnectionStringDialog(QWidget *parent = nullptr);

    // Fills the fields from a string (one this dialog made, or any other,
    // which then only shows) and the user and password given apart.
    void setConnection(const QString &connectionString, const QString &user, const QString &password,
                       PartnerConnectionString::Driver defaultDriver);
    [[nodiscard]] QString connectionString() const;
    [[nodiscard]] QString user() const;
    [[nodiscard]] QString password() const;

    QComboBox *DriverBox = nullptr;
    QLineEdit *ServerEdit = nullptr;
    QSpinBox *PortEdit = nullptr;
    QLineEdit *DatabaseEdit = nullptr;
    QLineEdit *FileEdit = nullptr;
    QPushButton *FileButton = nullptr;
    QLineEdit *UserEdit = nullptr;
    QLineEdit *PasswordEdit = nullptr;
    QLineEdit *ConnectionText = nullptr;
    QPushButton *TestButton = nullptr;
    QLabel *ResultLabel = nullptr;
    QPlainTextEdit *DetailsEdit = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    [[nodiscard]] PartnerConnectionString fields() const;
    // Shows the fields the driver needs and the string they make.
    void update();
    void FileButtonClick();
    void TestButtonClick();
    // The outcome of a test, with the driver's text when it failed.
    void showResult(const QString &text, const QString &details = {});

    QList<QWidget *> m_serverWidgets;
    QList<QWidget *> m_fileWidgets;
};
