#include "resultsui/ResultRecordWindow.h"

#include "base/DateTime.h"
#include "coreui/TCommentForm.h"
#include "platform/DialogService.h"
#include "platform/UserMessage.h"
#include "results/ResultRowsEditor.h"
#include "resultsui/ResultCellDelegate.h"
#include "resultsui/ResultGridModel.h"
#include "resultsui/TResultsMenuForm.h"
#include "scheduling/SlotEntryCheck.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QTime>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString PhraseProgram = QStringLiteral("Schd");

} // namespace

ResultRecordWindow::ResultRecordWindow(AppContext &context, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(ResultsMenuForm); }, 12, 0, parent)
{}

QLabel *ResultRecordWindow::addCaption(const QString &text, int left, int top, int width)
{
    auto *label = new QLabel(text, MainPanel);
    label->setGeometry(left, top, width, 26);
    return label;
}

QToolButton *ResultRecordWindow::buildToolBar(const char *loadName, const QString &loadText)
{
    auto *bar = addToolBar(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    const auto tool = [bar](const char *name, const QString &text) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(text);
        button->setToolTip(text);
        button->setMinimumWidth(72);
        bar->addWidget(button);
        return button;
    };
    QToolButton *load = tool(loadName, loadText);
    SaveButton = tool("SaveButton", QStringLiteral("保存"));
    PrintButton = tool("PrintButton", QStringLiteral("印刷"));
    bar->addSeparator();
    CloseButton = tool("CloseButton", QStringLiteral("閉じる"));
    connect(SaveButton, &QToolButton::clicked, this, &ResultRecordWindow::SaveButtonClick);
    connect(CloseButton, &QToolButton::clicked, this, &QWidget::close);
    return load;
}

void ResultRecordWindow::setGrid(ResultGridModel *model, EditColumns edit, QRect geometry)
{
    m_model = model;
    m_edit = edit;
    ResultGrid = new QTableView(MainPanel);
    ResultGrid->setObjectName(QStringLiteral("ResultGrid"));
    ResultGrid->setGeometry(geometry);
    ResultGrid->setModel(model);
    ResultGrid->verticalHeader()->hide();
    ResultGrid->verticalHeader()->setDefaultSectionSize(22);
    ResultGrid->horizontalHeader()->setMinimumHeight(40);
    ResultGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    model->applyWidths(ResultGrid);
    auto *delegate = new ResultCellDelegate(this);
    delegate->setEditor(edit.start, {ResultCellDelegate::Kind::Time, {}, {}});
    delegate->setEditor(edit.minutes, {ResultCellDelegate::Kind::Number, {}, {}});
    delegate->setEditor(edit.comment, {ResultCellDelegate::Kind::Phrases, QStringLiteral("CommentBox"), [] {
                                           return CommentForm ? CommentForm->GetComments(PhraseProgram, 0)
                                                              : QStringList();
                                       }});
    connect(delegate, &ResultCellDelegate::phrasesRequested, this, [] {
        if (!CommentForm)
            return;
        CommentForm->ProgramName = PhraseProgram;
        CommentForm->CommentCode = 0;
        Dialogs::exec(CommentForm);
    });
    ResultGrid->setItemDelegate(delegate);
    connect(model, &ResultGridModel::edited, this, &ResultRecordWindow::cellEdited);
    // An edited row is written when the cursor leaves it.
    editedRows().setHolding(true);
    connect(ResultGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                const int pending = editedRows().pendingRow();
                if (pending >= 0 && previous.row() == pending && current.row() != pending)
                    postPending();
            });
}

bool ResultRecordWindow::postPending()
{
    const int pending = editedRows().pendingRow();
    if (pending < 0)
        return true;
    if (!editedRows().flush()) {
        tellWriteFailed();
        return false;
    }
    m_model->refreshRow(pending);
    SaveButton->setEnabled(false);
    return true;
}

void ResultRecordWindow::cellEdited(int row, int column, const QVariant &value)
{
    bool ok = true;
    if (column == m_edit.start) {
        const QTime time = QTime::fromString(value.toString(), QStringLiteral("HH:mm"));
        if (!time.isValid())
            return;
        ok = editedRows().setStart(row, DateTime::fromTime(time));
    } else if (column == m_edit.minutes) {
        const int minutes = value.toInt();
        if (minutes > SlotEntryCheck::MaxMinutes) {
            // Refused as the results CSV refuses it; the cell shows the stored value again.
            Dialogs::warning(QString::fromUtf16(SlotEntryCheck::TooManyMinutes), MessageButtons::Abort);
            m_model->refreshRow(row);
            return;
        }
        QString warning;
        ok = editedRows().setMinutesOrZero(row, minutes, warning);
        if (!warning.isEmpty())
            Dialogs::warning(warning, MessageButtons::Abort);
    } else if (column == m_edit.comment) {
        ok = editedRows().setComment(row, value.toString());
    }
    if (!ok && tellWriteFailed())
        return;
    m_model->refreshRow(row);
    SaveButton->setEnabled(true);
    PrintButton->setEnabled(false);
}

bool ResultRecordWindow::tellWriteFailed()
{
    if (!editedRows().rowGone()) {
        Dialogs::error(QStringLiteral("*** System Error 結果の登録に失敗しました。"));
        return false;
    }
    Dialogs::error(ChangedElsewhereText);
    editedRows().discard();
    if (!reloadRows())
        Dialogs::error(QStringLiteral("*** System Error : 保存後の最新状態の表示に失敗しました。"));
    m_model->reload();
    SaveButton->setEnabled(false);
    rowsChanged();
    return true;
}

void ResultRecordWindow::SaveButtonClick()
{
    if (!postPending())
        return;
    if (!reloadRows()) {
        Dialogs::error(QStringLiteral("*** System Error : 保存後の最新状態の表示に失敗しました。"));
        return;
    }
    m_model->reload();
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(true);
    rowsChanged();
}

bool ResultRecordWindow::CanClose()
{
    // Only an edit not yet written is lost by closing.
    if (editedRows().pendingRow() >= 0 && !Dialogs::confirm(QStringLiteral("保存していませんが、このまま閉じますか？")))
        return false;
    editedRows().discard();
    editedRows().close();
    m_model->reload();
    return true;
}

void ResultRecordWindow::clearGrid()
{
    // Leaving the rows for other conditions posts an edit, as leaving its row does.
    postPending();
    editedRows().close();
    m_model->reload();
    SaveButton->setEnabled(false);
    PrintButton->setEnabled(false);
}
