#include "schedulingui/TOpenCureDialog.h"

#include "coreui/EnterKeyGuard.h"
#include "coreui/EraLineEdit.h"

#include "core/CodeTables.h"
#include "platform/DialogService.h"
#include "scheduling/UserWishes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

TOpenCureDialog::TOpenCureDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OpenCureDialog"));
    setWindowTitle(QStringLiteral("治療希望　開く"));
    auto *layout = new QGridLayout(this);
    DateEdit = new EraLineEdit(EraLineEdit::Mode::YearMonth, this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    UpButton = new QToolButton(this);
    UpButton->setObjectName(QStringLiteral("UpButton"));
    UpButton->setArrowType(Qt::UpArrow);
    DownButton = new QToolButton(this);
    DownButton->setObjectName(QStringLiteral("DownButton"));
    DownButton->setArrowType(Qt::DownArrow);
    RihaTypeBox = new QComboBox(this);
    RihaTypeBox->setObjectName(QStringLiteral("RihaTypeBox"));
    for (QStringView name : RihaTypeNames)
        RihaTypeBox->addItem(name.toString());
    RihaTypeBox->addItem(QStringLiteral("全て"));
    const auto box = [this](const char *name) {
        auto *b = new QCheckBox(this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    TankiBox = box("TankiBox");
    NinchiBox = box("NinchiBox");
    ShudanBox = box("ShudanBox");
    KobetsuBox = box("KobetsuBox");
    auto *openButton = new QPushButton(QStringLiteral("開く"), this);
    openButton->setObjectName(QStringLiteral("OpenButton"));
    auto *cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    layout->addWidget(new QLabel(QStringLiteral("利用年月"), this), 0, 0);
    layout->addWidget(DateEdit, 0, 1, 1, 2);
    layout->addWidget(UpButton, 0, 3);
    layout->addWidget(DownButton, 0, 4);
    layout->addWidget(new QLabel(QStringLiteral("リハビリ形態"), this), 1, 0);
    layout->addWidget(RihaTypeBox, 1, 1, 1, 4);
    layout->addWidget(TankiBox, 2, 1);
    layout->addWidget(NinchiBox, 2, 2);
    layout->addWidget(ShudanBox, 3, 1);
    layout->addWidget(KobetsuBox, 3, 2);
    layout->addWidget(openButton, 4, 1);
    layout->addWidget(cancelButton, 4, 2, 1, 3);
    connect(UpButton, &QToolButton::clicked, this, [this] { stepMonth(1); });
    connect(DownButton, &QToolButton::clicked, this, [this] { stepMonth(-1); });
    connect(RihaTypeBox, &QComboBox::activated, this, &TOpenCureDialog::typeChosen);
    // The month typed is read where it stands; only an unreadable one is told.
    connect(DateEdit, &QLineEdit::returnPressed, this, [this] {
        if (!shownMonth()) {
            Dialogs::information(QStringLiteral("利用年月が不明です。"));
            DateEdit->setFocus();
        }
    });
    connect(openButton, &QPushButton::clicked, this, &TOpenCureDialog::OpenButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    EnterKeyGuard::install(this);
}

void TOpenCureDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        DateEdit->setToday();
        RihaTypeBox->setCurrentIndex(-1);
        for (QCheckBox *b : {TankiBox, NinchiBox, ShudanBox, KobetsuBox})
            b->hide();
    }
    QDialog::showEvent(event);
}

std::optional<TDateTime> TOpenCureDialog::shownMonth() const
{
    return DateEdit->value();
}

void TOpenCureDialog::stepMonth(int months)
{
    const auto month = shownMonth();
    if (!month) {
        Dialogs::error(QStringLiteral("利用年月 error "), MessageButtons::Abort);
        return;
    }
    DateEdit->setValue(DateTime::fromDate(DateTime::toDate(*month).addMonths(months)));
}

void TOpenCureDialog::typeChosen(int index)
{
    const bool all = index >= UserWishes::AllTypes;
    const bool visiting = index == 3;
    TankiBox->setText(QStringLiteral("短期集中"));
    NinchiBox->setText(visiting ? QStringLiteral("認知症短期") : QStringLiteral("認知症"));
    ShudanBox->setText(QStringLiteral("集団"));
    KobetsuBox->setText(QStringLiteral("個別"));
    for (QCheckBox *b : {TankiBox, NinchiBox}) {
        b->setVisible(!all);
        if (!all)
            b->setChecked(true);
    }
    for (QCheckBox *b : {ShudanBox, KobetsuBox}) {
        b->setVisible(!all && !visiting);
        if (!all)
            b->setChecked(!visiting);
    }
}

void TOpenCureDialog::OpenButtonClick()
{
    if (RihaTypeBox->currentIndex() < 0) {
        Dialogs::error(QStringLiteral("リハビリ形態が不明です。"), MessageButtons::Abort);
        return;
    }
    const auto month = shownMonth();
    if (!month) {
        Dialogs::error(QStringLiteral("利用年月 error "), MessageButtons::Abort);
        return;
    }
    RihaType = RihaTypeBox->currentIndex();
    KubunCode = (TankiBox->isChecked() ? KubunTanki : 0) | (NinchiBox->isChecked() ? KubunNinchi : 0) |
                (ShudanBox->isChecked() ? KubunShudan : 0) | (KobetsuBox->isChecked() ? KubunKobetsu : 0);
    YearMonth = *month;
    accept();
}
