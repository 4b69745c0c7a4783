#include "coreui/TStringsForm.h"

#include "coreui/EnterKeyGuard.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "platform/DialogService.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>

TStringsForm *StringsForm = nullptr;
TStringsForm *GoodsForm = nullptr;
TStringsForm *KaigoForm = nullptr;

TStringsForm::TStringsForm(QWidget *parent)
    : TStringsForm({QStringLiteral("StringsForm"), 6, QStringLiteral("TextBox"), QStringLiteral("記入"),
                    QStringLiteral("コピー"), QString()},
                   parent)
{}

TStringsForm::TStringsForm(const Layout &layout, QWidget *parent) : QDialog(parent), ProgramName(layout.programName)
{
    setObjectName(layout.formName);
    setWindowTitle(layout.caption);
    const int buttonsTop = 14 + layout.boxes * 32 + 6;
    setFixedSize(560, buttonsTop + 38);
    for (int i = 0; i < layout.boxes; ++i) {
        auto *box = new PhraseComboBox(this);
        box->setObjectName(layout.boxName + QString::number(i + 1));
        box->setGeometry(16, 14 + i * 32, 528, 26);
        connect(box, &PhraseComboBox::doubleClicked, this, [this] {
            if (!CommentForm)
                return;
            CommentForm->ProgramName = ProgramName;
            CommentForm->CommentCode = CommentCode;
            Dialogs::exec(CommentForm);
            fillLists();
        });
        TextBox.push_back(box);
    }
    CopyBtn = new QPushButton(layout.okCaption, this);
    CopyBtn->setObjectName(QStringLiteral("CopyBtn"));
    CopyBtn->setGeometry(340, buttonsTop, 96, 28);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(448, buttonsTop, 96, 28);
    connect(CopyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    EnterKeyGuard::install(this);
}

void TStringsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fillLists();
    for (PhraseComboBox *box : TextBox)
        box->clearText();
    if (!TextBox.empty())
        TextBox.front()->setFocus();
}

void TStringsForm::fillLists()
{
    const QStringList phrases = CommentForm ? CommentForm->GetComments(ProgramName, CommentCode) : QStringList();
    for (PhraseComboBox *box : TextBox)
        box->setPhrases(phrases);
}

TStringsForm::Layout TStringsForm::goodsLayout()
{
    return {QStringLiteral("GoodsForm"), 3,
            QStringLiteral("GoodsBox"),  QStringLiteral("使用用具"),
            QStringLiteral("OK"),        QStringLiteral("Goods")};
}

TStringsForm::Layout TStringsForm::kaigoLayout()
{
    return {QStringLiteral("KaigoForm"), 3,
            QStringLiteral("KaigoBox"),  QStringLiteral("介護内容"),
            QStringLiteral("OK"),        QStringLiteral("Kaigo")};
}

bool TStringsForm::CopyPhrases(const QString &programName, int code)
{
    if (!StringsForm)
        return false;
    StringsForm->ProgramName = programName;
    StringsForm->CommentCode = code;
    if (Dialogs::exec(StringsForm) != QDialog::Accepted)
        return false;
    QApplication::clipboard()->setText(StringsForm->texts().join(QStringLiteral("\r\n")));
    return true;
}

QStringList TStringsForm::texts() const
{
    QStringList texts;
    for (const PhraseComboBox *box : TextBox) {
        if (!box->currentText().isEmpty())
            texts.append(box->currentText());
    }
    return texts;
}
