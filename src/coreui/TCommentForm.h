#pragma once

#include "core/PhraseStore.h"

#include <QDialog>
#include <QStringList>

struct AppContext;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The editor of one group of stock phrases, and the one reader of every
// group. The caller sets ProgramName and CommentCode, shows it modally
// (Dialogs::exec) and then reads the group again with GetComments.
class TCommentForm : public QDialog
{
    Q_OBJECT

public:
    // Works on the context's main connection.
    explicit TCommentForm(AppContext &context, QWidget *parent = nullptr);
    ~TCommentForm() override;

    // The phrases of a group in the order they were added: the form's own
    // Phrases, which the next call replaces, so a caller copies them at
    // once. Empty, after an error box, when they cannot be read.
    const QStringList &GetComments(const QString &programName, int code);

    [[nodiscard]] const PhraseStore &store() const { return m_store; }

    QStringList Phrases;
    // CommentIDNo of the clicked row; -1 when none is chosen.
    qint32 SelectedID = -1;
    QString ProgramName;
    qint32 CommentCode = 0;

    QLineEdit *CommentEdit = nullptr;
    QTableWidget *CommentGrid = nullptr;
    QPushButton *AppendButton = nullptr;
    QPushButton *DeleteButton = nullptr;
    QPushButton *CloseButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AppendButtonClick();
    void DeleteButtonClick();
    void CommentGridMouseUp(const QPoint &position);
    void clearChoice();
    // Shows the rows of CommentTable.
    void showRows();

    PhraseStore m_store;
};

extern TCommentForm *CommentForm;
