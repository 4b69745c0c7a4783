#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

// 書き込みモード: whether a copy overwrites the results that exist for a
// booking or skips them. Skip is the default; closing the window cancels.
class TCopyModeForm : public QDialog
{
    Q_OBJECT
public:
    explicit TCopyModeForm(QWidget *parent = nullptr);

    QCheckBox *OverWrite = nullptr;
    QCheckBox *SkipWrite = nullptr;
    QPushButton *SetButton = nullptr;
};
