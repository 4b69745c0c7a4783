#include "reportui/TrpPreviewSearchForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TrpPreviewSearchForm::TrpPreviewSearchForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("rpPreviewSearchForm"));
    setWindowTitle(QStringLiteral("テキスト検索"));

    auto *label = new QLabel(QStringLiteral("検索するテキスト"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(260);
    label->setBuddy(Edit1);

    auto *options = new QGroupBox(QStringLiteral("オプション"), this);
    CB1 = new QCheckBox(QStringLiteral("広範囲"), options);
    CB1->setObjectName(QStringLiteral("CB1"));
    CB1->setToolTip(QStringLiteral("大文字と小文字を区別して検索します"));
    (new QVBoxLayout(options))->addWidget(CB1);

    auto *range = new QGroupBox(QStringLiteral("検索範囲"), this);
    RB1 = new QRadioButton(QStringLiteral("最初の頁"), range);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB1->setChecked(true);
    RB2 = new QRadioButton(QStringLiteral("現在の頁"), range);
    RB2->setObjectName(QStringLiteral("RB2"));
    auto *rangeLayout = new QVBoxLayout(range);
    rangeLayout->addWidget(RB1);
    rangeLayout->addWidget(RB2);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *start = buttons->addButton(QStringLiteral("開始"), QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("OkBtn"));
    start->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *groups = new QHBoxLayout;
    groups->addWidget(options);
    groups->addWidget(range);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Edit1);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

void TrpPreviewSearchForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}
