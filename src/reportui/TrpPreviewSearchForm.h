#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

// The text search dialog of the preview: the text, whether case counts
// ("広範囲") and where to start (first or current page).
class TrpPreviewSearchForm : public QDialog
{
    Q_OBJECT
public:
    explicit TrpPreviewSearchForm(QWidget *parent = nullptr);

    QLineEdit *Edit1;
    QCheckBox *CB1;
    QRadioButton *RB1;
    QRadioButton *RB2;

protected:
    void showEvent(QShowEvent *event) override;
};
