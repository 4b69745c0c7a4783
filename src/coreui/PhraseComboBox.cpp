#include "coreui/PhraseComboBox.h"

#include <QLineEdit>
#include <QMouseEvent>

PhraseComboBox::PhraseComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // A typed text is taken as it is, never completed to a phrase.
    setCompleter(nullptr);
    lineEdit()->installEventFilter(this);
}

void PhraseComboBox::setPhrases(const QStringList &phrases)
{
    const QString text = currentText();
    const bool typed = lineEdit()->isModified();
    clear();
    addItems(phrases);
    setCurrentIndex(-1);
    setEditText(text);
    lineEdit()->setModified(typed);
}

void PhraseComboBox::clearText()
{
    setCurrentIndex(-1);
    clearEditText();
    lineEdit()->setModified(false);
}

bool PhraseComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonDblClick)
        emit doubleClicked();
    return QComboBox::eventFilter(watched, event);
}

void PhraseComboBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QComboBox::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
