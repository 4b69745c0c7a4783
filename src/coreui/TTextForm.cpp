#include "coreui/TTextForm.h"

#include "coreui/EnterKeyGuard.h"
#include "coreui/PhraseComboBox.h"
#include "coreui/TCommentForm.h"
#include "platform/DialogService.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

TTextForm *TextForm = nullptr;

TTextForm::TTextForm(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TextForm"));
    setWindowTitle(QStringLiteral("記入"));
    setFixedSize(480, 104);

    TextBox = new PhraseComboBox(this);
    TextBox->setObjectName(QStringLiteral("TextBox"));
    TextBox->setGeometry(16, 16, 448, 28);
    connect(TextBox, &PhraseComboBox::doubleClicked, this, &TTextForm::TextBoxDblClick);

    OkButton = new QPushButton(QStringLiteral("確定"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(248, 60, 104, 30);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(360, 60, 104, 30);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    EnterKeyGuard::install(this);
}

void TTextForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (const QScreen *screen = QApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        loadPhrases();
        TextBox->clearText();
        TextBox->setFocus();
    }
    QDialog::showEvent(event);
}

void TTextForm::loadPhrases()
{
    Phrases = CommentForm->GetComments(ProgramName, CommentCode);
    TextBox->setPhrases(Phrases);
}

void TTextForm::TextBoxDblClick()
{
    CommentForm->ProgramName = ProgramName;
    CommentForm->CommentCode = CommentCode;
    Dialogs::exec(CommentForm);
    loadPhrases();
}
