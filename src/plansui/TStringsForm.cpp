#include "plansui/TStringsForm.h"

#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "platform/DialogService.h"

#include <QPushButton>

TStringsForm *StringsForm = nullptr;

TStringsForm::TStringsForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("StringsForm"));
    setWindowTitle(QStringLiteral("記入"));
    setFixedSize(560, 250);
    for (int i = 0; i < 6; ++i) {
        auto *box = new PhraseComboBox(this);
        box->setObjectName(QStringLiteral("TextBox%1").arg(i + 1));
        box->setGeometry(16, 14 + i * 32, 528, 26);
        connect(box, &PhraseComboBox::doubleClicked, this, [this] {
            if (!CommentForm)
                return;
            CommentForm->ProgramName = ProgramName;
            CommentForm->CommentCode = CommentCode;
            Dialogs::exec(CommentForm);
            fillLists();
        });
        TextBox[size_t(i)] = box;
    }
    CopyBtn = new QPushButton(QStringLiteral("コピー"), this);
    CopyBtn->setObjectName(QStringLiteral("CopyBtn"));
    CopyBtn->setGeometry(340, 212, 96, 28);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(448, 212, 96, 28);
    connect(CopyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TStringsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fillLists();
    for (PhraseComboBox *box : TextBox)
        box->clearText();
}

void TStringsForm::fillLists()
{
    const QStringList phrases = CommentForm ? CommentForm->GetComments(ProgramName, CommentCode) : QStringList();
    for (PhraseComboBox *box : TextBox)
        box->setPhrases(phrases);
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
