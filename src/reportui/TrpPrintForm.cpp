#include "reportui/TrpPrintForm.h"

#include "reportui/TrpGlyphs.h"

#include "platform/DialogService.h"
#include "report/pages/TrpPlatformPrinter.h"
#include "report/pages/TrpPrinter.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxCopies = 999;

} // namespace

TrpPrintForm::TrpPrintForm(TrpPrinter &printer, QWidget *parent)
    : QDialog(parent), m_printer(printer), m_oldIndex(printer.printerIndex())
{
    setObjectName(QStringLiteral("rpPrintForm"));
    setWindowTitle(QStringLiteral("プリント"));

    OkBtn = new QPushButton(QStringLiteral("印刷"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    CancelBtn = new QPushButton(QStringLiteral("取消"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);

    auto *lower = new QHBoxLayout;
    lower->addWidget(makeCopiesGroup());
    lower->addWidget(makeRangeGroup(), 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makePrinterGroup());
    layout->addLayout(lower);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
}

QWidget *TrpPrintForm::makePrinterGroup()
{
    auto *group = new QGroupBox(QStringLiteral("プリンタ"), this);
    CB1 = new QComboBox(group);
    CB1->setObjectName(QStringLiteral("CB1"));
    CB1->setIconSize(QSize(18, 16));
    const QIcon icon(TrpGlyphs::printer());
    for (const QString &name : m_printer.printers())
        CB1->addItem(icon, name);
    CB1->setCurrentIndex(m_printer.printerIndex());
    connect(CB1, &QComboBox::activated, this, &TrpPrintForm::CB1Click);

    PropButton = new QPushButton(QStringLiteral("プロパティ"), group);
    PropButton->setObjectName(QStringLiteral("PropButton"));
    PropButton->setToolTip(QStringLiteral("用紙や向きなど、プリンタの設定を開きます"));
    connect(PropButton, &QPushButton::clicked, this, &TrpPrintForm::PropButtonClick);
    PropButton->setEnabled(m_printer.printTarget() != nullptr);

    auto *layout = new QHBoxLayout(group);
    layout->addWidget(CB1, 1);
    layout->addWidget(PropButton);
    return group;
}

QWidget *TrpPrintForm::makeCopiesGroup()
{
    auto *group = new QGroupBox(QStringLiteral("コピー"), this);
    auto *label = new QLabel(QStringLiteral("部数"), group);
    E1 = new QLineEdit(QStringLiteral("1"), group);
    E1->setObjectName(QStringLiteral("E1"));
    E1->setValidator(new QIntValidator(1, MaxCopies, E1));
    E1->setAlignment(Qt::AlignRight);
    E1->setFixedWidth(48);
    label->setBuddy(E1);
    CopyUpBtn = new QToolButton(group);
    CopyUpBtn->setObjectName(QStringLiteral("CopyUpBtn"));
    CopyUpBtn->setArrowType(Qt::UpArrow);
    CopyUpBtn->setFixedSize(18, 12);
    connect(CopyUpBtn, &QToolButton::clicked, this, [this] { addCopies(1); });
    CopyDownBtn = new QToolButton(group);
    CopyDownBtn->setObjectName(QStringLiteral("CopyDownBtn"));
    CopyDownBtn->setArrowType(Qt::DownArrow);
    CopyDownBtn->setFixedSize(18, 12);
    connect(CopyDownBtn, &QToolButton::clicked, this, [this] { addCopies(-1); });

    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(CopyUpBtn);
    arrows->addWidget(CopyDownBtn);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(label);
    row->addWidget(E1);
    row->addLayout(arrows);
    auto *layout = new QVBoxLayout(group);
    layout->addLayout(row);
    layout->addStretch();
    return group;
}

QWidget *TrpPrintForm::makeRangeGroup()
{
    auto *group = new QGroupBox(QStringLiteral("印刷範囲"), this);
    RB1 = new QRadioButton(QStringLiteral("全てのページ"), group);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB1->setChecked(true);
    RB2 = new QRadioButton(QStringLiteral("表示のページ"), group);
    RB2->setObjectName(QStringLiteral("RB2"));
    RB3 = new QRadioButton(QStringLiteral("ページ指定"), group);
    RB3->setObjectName(QStringLiteral("RB3"));
    E2 = new QLineEdit(group);
    E2->setObjectName(QStringLiteral("E2"));
    E2->installEventFilter(this);
    connect(RB3, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            E2->setFocus();
    });
    auto *hint = new QLabel(QStringLiteral("ページ又は範囲の記入例\n  1,3,5-12 "), group);
    hint->setObjectName(QStringLiteral("Label1"));

    auto *layout = new QGridLayout(group);
    layout->addWidget(RB1, 0, 0, 1, 2);
    layout->addWidget(RB2, 1, 0, 1, 2);
    layout->addWidget(RB3, 2, 0);
    layout->addWidget(E2, 2, 1);
    layout->addWidget(hint, 3, 0, 1, 2);
    return group;
}

QString TrpPrintForm::pageText(int currentPage) const
{
    if (RB1->isChecked())
        return {};
    if (RB2->isChecked())
        return QString::number(currentPage);
    return E2->text();
}

int TrpPrintForm::copies() const
{
    return qBound(1, E1->text().toInt(), MaxCopies);
}

void TrpPrintForm::addCopies(int step)
{
    E1->setText(QString::number(qBound(1, copies() + step, MaxCopies)));
}

void TrpPrintForm::CB1Click(int index)
{
    if (!m_printer.setPrinterIndex(index)) {
        Dialogs::service().message(MessageType::Error, QStringLiteral("Printer selected is not valid"),
                                   MessageButtons::Ok, QStringLiteral("Error"));
    }
    CB1->setCurrentIndex(m_printer.printerIndex());
    PropButton->setEnabled(m_printer.printTarget() != nullptr);
}

void TrpPrintForm::PropButtonClick()
{
    TrpPlatformPrinter *target = m_printer.printTarget();
    auto *printer = target ? dynamic_cast<QPrinter *>(&target->settingsDevice()) : nullptr;
    if (!printer)
        return;
    QPageSetupDialog dialog(printer, this);
    Dialogs::exec(&dialog);
    CB1->setCurrentIndex(m_printer.printerIndex());
}

bool TrpPrintForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == E2 && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn))
        RB3->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TrpPrintForm::done(int result)
{
    if (result != QDialog::Accepted && m_printer.printerIndex() != m_oldIndex)
        m_printer.setPrinterIndex(m_oldIndex);
    QDialog::done(result);
}
