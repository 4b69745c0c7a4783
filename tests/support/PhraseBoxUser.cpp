#include "PhraseBoxUser.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

void PhraseBoxUser::addPhraseInList(FakeDialogService &dialogs, QComboBox *box, const QString &phrase)
{
    dialogs.queueDialog(FakeDialogService::execAndPress(QStringLiteral("CloseButton"), [phrase](QDialog *list) {
        list->findChild<QLineEdit *>(QStringLiteral("CommentEdit"))->setText(phrase);
        QTest::mouseClick(list->findChild<QPushButton *>(QStringLiteral("AppendButton")), Qt::LeftButton);
    }));
    QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
    // The list opens once the click has been handled.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PhraseBoxUser::pick(QComboBox *box, int row)
{
    for (int step = 0; step <= row; ++step)
        QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    // Enter ends the edit once it has been handled.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
