#pragma once

#include "base/DateTime.h"

#include <QDialog>

class QLabel;

// The main facts of one booked user, shown modally from the work tables.
class TPersonPropertyForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPersonPropertyForm(QWidget *parent = nullptr);

    int CureNo = 0;
    QString UserName;
    TDateTime NyushoDate = DateTime::None;
    TDateTime TaishoDate = DateTime::None; // 0: no end date
    QString RihaTypeName;
    int KubunCode = 0;

    QLabel *UserNoLabel = nullptr;
    QLabel *UserNameLabel = nullptr;
    QLabel *NyushoDateLabel = nullptr;
    QLabel *TaishoDateLabel = nullptr;
    QLabel *UserRihaTypeLabel = nullptr;
    QLabel *UserKubunLabel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};
