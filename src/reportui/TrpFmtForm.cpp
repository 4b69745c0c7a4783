#include "reportui/TrpFmtForm.h"

#include "platform/CharacterLimitValidator.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int CategoryShift = 24;
constexpr int KindShift = 16;
constexpr int DigitsShift = 8;
constexpr int SymbolShift = 0;
constexpr quint32 CategoryMask = 0x0F;
constexpr quint32 ByteMask = 0xFF;
constexpr int NumberCategory = 1;

} // namespace

QStringList TrpFmtForm::categoryNames()
{
    return {QStringLiteral("Text"), QStringLiteral("Number"), QStringLiteral("Date"), QStringLiteral("Time"),
            QStringLiteral("Boolean")};
}

QStringList TrpFmtForm::kindNames(int category)
{
    switch (category) {
    case 0:
        return {QStringLiteral("[None]")};
    case 1:
        return {QStringLiteral("1234,5"), QStringLiteral("1234,50"), QStringLiteral("1 234,5"),
                QStringLiteral("1 234,50"), QStringLiteral("Custom")};
    case 2:
        return {QStringLiteral("11.15.98"), QStringLiteral("11.15.1998"), QStringLiteral("15 nov 1998"),
                QStringLiteral("15 november 1998"), QStringLiteral("Custom")};
    case 3:
        return {QStringLiteral("02:43:35"), QStringLiteral("2:43:35"), QStringLiteral("02:43"), QStringLiteral("2:43"),
                QStringLiteral("Custom")};
    case 4:
        return {QStringLiteral("0;1"), QStringLiteral("No;Yes"), QStringLiteral("_;x"), QStringLiteral("False;True"),
                QStringLiteral("Custom")};
    default:
        return {};
    }
}

TrpFmtForm::TrpFmtForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("rpFmtForm"));
    setWindowTitle(QStringLiteral("変数フォーマット"));

    auto *group = new QGroupBox(QStringLiteral("変数フォーマット"), this);
    ComboBox1 = new QComboBox(group);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox2 = new QComboBox(group);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setMinimumWidth(150);
    connect(ComboBox1, &QComboBox::activated, this, &TrpFmtForm::ComboBox1Click);
    connect(ComboBox2, &QComboBox::activated, this, &TrpFmtForm::ComboBox2Click);
    auto *lists = new QHBoxLayout(group);
    lists->addWidget(ComboBox1);
    lists->addWidget(ComboBox2, 1);

    DigitsPanel = new QWidget(this);
    DigitsPanel->setObjectName(QStringLiteral("DigitsPanel"));
    DesEdit = new QLineEdit(DigitsPanel);
    DesEdit->setObjectName(QStringLiteral("DesEdit"));
    DesEdit->setValidator(new QIntValidator(0, 255, DesEdit));
    SplEdit = new QLineEdit(DigitsPanel);
    SplEdit->setObjectName(QStringLiteral("SplEdit"));
    SplEdit->setValidator(new CharacterLimitValidator(1, SplEdit));
    SplEdit->installEventFilter(this);
    connect(DesEdit, &QLineEdit::textEdited, this, &TrpFmtForm::DesEditChange);
    connect(SplEdit, &QLineEdit::textEdited, this, &TrpFmtForm::SplEditChange);
    auto *digits = new QFormLayout(DigitsPanel);
    digits->addRow(QStringLiteral("Decimal digits"), DesEdit);
    digits->addRow(QStringLiteral("Fraction &symbol"), SplEdit);

    CustomPanel = new QWidget(this);
    CustomPanel->setObjectName(QStringLiteral("CustomPanel"));
    FormatEdit = new QLineEdit(CustomPanel);
    FormatEdit->setObjectName(QStringLiteral("FormatEdit"));
    connect(FormatEdit, &QLineEdit::textEdited, this, [this](const QString &text) { FormatText = text; });
    auto *custom = new QFormLayout(CustomPanel);
    custom->addRow(QStringLiteral("Format"), FormatEdit);

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(DigitsPanel);
    layout->addWidget(CustomPanel);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(320);
}

int TrpFmtForm::bits(int shift, quint32 mask) const
{
    return int((Format >> shift) & mask);
}

void TrpFmtForm::setBits(int shift, quint32 mask, quint32 value)
{
    Format = (Format & ~(mask << shift)) | ((value & mask) << shift);
}

void TrpFmtForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ComboBox1->clear();
    ComboBox1->addItems(categoryNames());
    ComboBox1->setCurrentIndex(bits(CategoryShift, CategoryMask));
    fillKinds(bits(CategoryShift, CategoryMask));
    ComboBox2->setCurrentIndex(bits(KindShift, ByteMask));
    FormatEdit->setText(FormatText);
    updatePanels();
}

void TrpFmtForm::fillKinds(int category)
{
    ComboBox2->clear();
    ComboBox2->addItems(kindNames(category));
}

void TrpFmtForm::ComboBox1Click(int index)
{
    setBits(CategoryShift, CategoryMask, quint32(index));
    fillKinds(index);
    ComboBox2->setCurrentIndex(0);
    setBits(KindShift, ByteMask, 0);
    FormatText.clear();
    FormatEdit->clear();
    updatePanels();
}

void TrpFmtForm::ComboBox2Click(int index)
{
    setBits(KindShift, ByteMask, quint32(qMax(0, index)));
    updatePanels();
}

void TrpFmtForm::updatePanels()
{
    const bool custom = bits(KindShift, ByteMask) == CustomKind;
    CustomPanel->setVisible(custom);
    DigitsPanel->setVisible(!custom && bits(CategoryShift, CategoryMask) == NumberCategory);
    DesEdit->setText(QString::number(bits(DigitsShift, ByteMask)));
    const int symbol = bits(SymbolShift, ByteMask);
    SplEdit->setText(symbol ? QString(QChar(char16_t(symbol))) : QString());
}

void TrpFmtForm::DesEditChange(const QString &text)
{
    setBits(DigitsShift, ByteMask, quint32(text.toInt()));
}

void TrpFmtForm::SplEditChange(const QString &text)
{
    // The word holds one byte; a character beyond Latin-1 cannot be stored.
    const QChar symbol = text.isEmpty() || text.at(0).unicode() > 0xFF ? QLatin1Char(',') : text.at(0);
    setBits(SymbolShift, ByteMask, symbol.unicode());
}

bool TrpFmtForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SplEdit && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, SplEdit, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}
