#include "coreui/TCommentForm.h"

#include "core/AppContext.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/FormParts.h"

#include "platform/DialogService.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

TCommentForm *CommentForm = nullptr;

namespace {

constexpr int IdRole = Qt::UserRole;

void systemError(const QString &text)
{
    Dialogs::error(text, MessageButtons::Ok);
}

} // namespace

TCommentForm::TCommentForm(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_store(context.database)
{
    setObjectName(QStringLiteral("CommentForm"));
    setWindowTitle(QStringLiteral("コメント"));
    setFixedSize(709, 335);

    CommentEdit = new QLineEdit(this);
    CommentEdit->setObjectName(QStringLiteral("CommentEdit"));
    CommentEdit->setGeometry(16, 16, 497, 28);

    AppendButton =
        FormParts::addButton(this, QStringLiteral("AppendButton"), QStringLiteral("追加"), {525, 15, 80, 30});
    connect(AppendButton, &QPushButton::clicked, this, &TCommentForm::AppendButtonClick);
    DeleteButton =
        FormParts::addButton(this, QStringLiteral("DeleteButton"), QStringLiteral("削除"), {613, 15, 80, 30});
    connect(DeleteButton, &QPushButton::clicked, this, &TCommentForm::DeleteButtonClick);

    CommentGrid = new QTableWidget(0, 1, this);
    CommentGrid->setObjectName(QStringLiteral("CommentGrid"));
    CommentGrid->setGeometry(16, 56, 677, 222);
    CommentGrid->setHorizontalHeaderLabels({QStringLiteral("コメント")});
    CommentGrid->horizontalHeader()->hide();
    CommentGrid->horizontalHeader()->setStretchLastSection(true);
    CommentGrid->verticalHeader()->hide();
    CommentGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    CommentGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    CommentGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CommentGrid->setWordWrap(false);
    CommentGrid->viewport()->installEventFilter(this);

    CloseButton =
        FormParts::addButton(this, QStringLiteral("CloseButton"), QStringLiteral("戻る"), {593, 290, 100, 32});
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

    clearChoice();
    EnterKeyGuard::install(this);
}

TCommentForm::~TCommentForm() = default;

const QStringList &TCommentForm::GetComments(const QString &programName, int code)
{
    Phrases.clear();
    if (std::optional<QStringList> phrases = m_store.read(programName, code))
        Phrases = std::move(*phrases);
    else
        systemError(QStringLiteral("System Error : コメント取り込みエラーです。"));
    return Phrases;
}

void TCommentForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        const QWidget *owner = parentWidget() ? parentWidget() : QApplication::activeWindow();
        if (owner && owner != this)
            move(owner->frameGeometry().center() - rect().center());
        else if (const QScreen *screen = QApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());

        CommentEdit->clear();
        // Typing starts a phrase at once, whatever had the focus when the list last closed.
        CommentEdit->setFocus();
        clearChoice();
        if (!m_store.open(ProgramName, CommentCode))
            systemError(QStringLiteral("System Error : コメントエラーです。"));
        showRows();
    }
    QDialog::showEvent(event);
}

bool TCommentForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CommentGrid->viewport() && event->type() == QEvent::MouseButtonRelease)
        CommentGridMouseUp(static_cast<QMouseEvent *>(event)->position().toPoint());
    return QDialog::eventFilter(watched, event);
}

void TCommentForm::clearChoice()
{
    SelectedID = -1;
    DeleteButton->setEnabled(false);
}

void TCommentForm::showRows()
{
    DbDataSet &rows = m_store.CommentTable;
    const int count = rows.isOpen() ? rows.recordCount() : 0;
    CommentGrid->clearContents();
    CommentGrid->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const DbRecord record = rows.record(row);
        auto *item = new QTableWidgetItem(record.value(u"CommentText").asString());
        item->setData(IdRole, record.value(u"CommentIDNo").asInteger());
        CommentGrid->setItem(row, 0, item);
        if (item->data(IdRole).toInt() == SelectedID)
            CommentGrid->selectRow(row);
    }
}

void TCommentForm::CommentGridMouseUp(const QPoint &position)
{
    const QTableWidgetItem *item = CommentGrid->itemAt(position);
    if (!m_store.CommentTable.isOpen() || !item) {
        clearChoice();
        return;
    }
    SelectedID = item->data(IdRole).toInt();
    CommentEdit->setText(item->text());
    DeleteButton->setEnabled(true);
}

void TCommentForm::AppendButtonClick()
{
    switch (m_store.append(CommentEdit->text())) {
    case PhraseStore::Status::Ok:
        break;
    case PhraseStore::Status::TooLong:
        Dialogs::information(
            QStringLiteral("入力文字数がオーバーしています。\n半角254文字・全角127文字以内で入力してください。"));
        CommentEdit->setFocus();
        return;
    case PhraseStore::Status::OpenFailed:
        systemError(QStringLiteral("System Error : コメント追加エラーです。"));
        return;
    case PhraseStore::Status::BeginFailed:
        systemError(QStringLiteral("System Error : コメント追加開始エラーです。"));
        return;
    case PhraseStore::Status::WriteFailed:
        showRows();
        systemError(QStringLiteral("System Error : コメント追加終了エラーです。"));
        return;
    }
    showRows();
}

void TCommentForm::DeleteButtonClick()
{
    if (SelectedID < 0)
        return;
    const PhraseStore::Status status = m_store.remove(SelectedID);
    // Each delete needs a row clicked anew.
    clearChoice();
    showRows();
    switch (status) {
    case PhraseStore::Status::Ok:
    case PhraseStore::Status::TooLong:
        break;
    case PhraseStore::Status::OpenFailed:
        systemError(QStringLiteral("System Error : コメント削除エラーです。"));
        break;
    case PhraseStore::Status::BeginFailed:
        systemError(QStringLiteral("System Error : コメント削除開始エラーです。"));
        break;
    case PhraseStore::Status::WriteFailed:
        systemError(QStringLiteral("System Error : コメント削除終了エラーです。"));
        break;
    }
}
