#include "schedulingui/TTimeTableForm.h"

#include "core/AppContext.h"
#include "core/PhraseStore.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/PhraseCellBox.h"
#include "coreui/TCommentForm.h"
#include "platform/CharacterLimitValidator.h"
#include "platform/DialogService.h"
#include "platform/UserMessage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The comment cell's editor: an editable phrase box; the edit ends, and
// is written, when the box loses the focus or Enter is pressed.
class CommentDelegate : public QStyledItemDelegate
{
public:
    CommentDelegate(TTimeTableForm &form, const QStringList &phrases, std::function<void()> editPhrases)
        : QStyledItemDelegate(&form), m_form(form), m_phrases(phrases), m_editPhrases(std::move(editPhrases))
    {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *box = new PhraseCellBox(parent, index, [this] { return m_phrases; });
        box->setObjectName(QStringLiteral("CommentBox"));
        box->setValidator(new CharacterLimitValidator(BookingStatusList::CommentLimit, box));
        QObject::connect(box, &PhraseCellBox::phrasesRequested, &m_form, m_editPhrases);
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<PhraseComboBox *>(editor)->setEditText(index.data().toString());
    }
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        m_form.CommentEdited(index.row(), static_cast<PhraseComboBox *>(editor)->currentText());
    }

private:
    TTimeTableForm &m_form;
    const QStringList &m_phrases;
    std::function<void()> m_editPhrases;
};

} // namespace

TTimeTableForm::TTimeTableForm(AppContext &context, QWidget *parent)
    : QDialog(parent), m_list(context.database), m_database(context.database)
{
    setObjectName(QStringLiteral("TimeTableForm"));
    setWindowTitle(QStringLiteral("予約状況"));
    ScheduleDispGrid = new QTableWidget(0, BookingStatusList::ColumnCount, this);
    ScheduleDispGrid->setObjectName(QStringLiteral("ScheduleDispGrid"));
    int width = 0;
    for (int column = 0; column < BookingStatusList::ColumnCount; ++column) {
        auto *title = new QTableWidgetItem(BookingStatusList::columnTitle(column));
        title->setBackground(column == BookingStatusList::CommentColumn ? QColor(0, 255, 255) : QColor(255, 255, 225));
        ScheduleDispGrid->setHorizontalHeaderItem(column, title);
        ScheduleDispGrid->setColumnWidth(column, BookingStatusList::columnWidth(column) + 16);
        width += BookingStatusList::columnWidth(column) + 16;
    }
    ScheduleDispGrid->verticalHeader()->hide();
    // A long text is cut at the cell's edge on its one line; its tool tip holds it whole.
    ScheduleDispGrid->setWordWrap(false);
    ScheduleDispGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ScheduleDispGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ScheduleDispGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    ScheduleDispGrid->setItemDelegateForColumn(BookingStatusList::CommentColumn,
                                               new CommentDelegate(*this, m_phrases, [this] { editPhrases(); }));

    DeleteButton = new QPushButton(QStringLiteral("予約取消し"), this);
    DeleteButton->setObjectName(QStringLiteral("DeleteButton"));
    DeleteButton->setToolTip(QStringLiteral("指定した予約の取り消し"));
    AllDeleteButton = new QPushButton(QStringLiteral("予約全取消"), this);
    AllDeleteButton->setObjectName(QStringLiteral("AllDeleteButton"));
    AllDeleteButton->setToolTip(QStringLiteral("時間枠の全ての予約の取り消し"));
    CancelButton = new QPushButton(QStringLiteral("完了"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    StatusPanel0 = new QLabel(this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(80);
    StatusPanel0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusPanel0->setFrameShape(QFrame::StyledPanel);
    connect(DeleteButton, &QPushButton::clicked, this, &TTimeTableForm::DeleteButtonClick);
    connect(AllDeleteButton, &QPushButton::clicked, this, &TTimeTableForm::AllDeleteButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DeleteButton);
    buttons->addWidget(AllDeleteButton);
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(ScheduleDispGrid);
    layout->addWidget(StatusPanel0);
    resize(width + 30, 420);
    EnterKeyGuard::install(this);
}

void TTimeTableForm::showEvent(QShowEvent *event)
{
    DeleteButton->setVisible(CanDelete);
    AllDeleteButton->setVisible(CanDelete);
    m_phrases = PhraseStore(m_database).read(QStringLiteral("Schd"), 0).value_or(QStringList());
    if (!m_list.load(ReserveNo))
        Dialogs::error(QStringLiteral("予約表示に失敗しました。"));
    fillGrid();
    QDialog::showEvent(event);
}

void TTimeTableForm::fillGrid()
{
    const QSignalBlocker blocker(ScheduleDispGrid);
    const std::vector<BookingStatusList::Row> &rows = m_list.rows();
    ScheduleDispGrid->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        for (int column = 0; column < BookingStatusList::ColumnCount; ++column) {
            const QString text = BookingStatusList::cellText(rows[std::size_t(row)], column);
            auto *item = new QTableWidgetItem(text);
            if (!fits(text, column))
                item->setToolTip(text);
            if (column != BookingStatusList::CommentColumn)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            ScheduleDispGrid->setItem(row, column, item);
        }
    }
    BookedCount = int(rows.size());
    DeleteButton->setEnabled(BookedCount > 0);
    AllDeleteButton->setEnabled(BookedCount > 0);
    StatusPanel0->setText(QString::number(BookedCount));
}

bool TTimeTableForm::fits(const QString &text, int column) const
{
    const QStyle *style = ScheduleDispGrid->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ScheduleDispGrid) + 1);
    return ScheduleDispGrid->fontMetrics().horizontalAdvance(text) + margins <= ScheduleDispGrid->columnWidth(column);
}

void TTimeTableForm::DeleteButtonClick()
{
    const int row = ScheduleDispGrid->currentRow();
    if (row < 0 || row >= int(m_list.rows().size())) {
        Dialogs::error(QStringLiteral("データを選択して下さい。"));
        return;
    }
    if (!Dialogs::confirmDelete(m_list.rows()[std::size_t(row)].Name + QStringLiteral(" 様の予約を削除しますか？")))
        return;
    if (!m_list.cancel(m_list.rows()[std::size_t(row)].ScheduleNo))
        Dialogs::error(QStringLiteral("SystemError : ScheduleDispQuery KeyRecord error "));
    fillGrid();
}

void TTimeTableForm::AllDeleteButtonClick()
{
    if (!Dialogs::confirmDelete(QStringLiteral("この時間枠の全ての予約を削除しますか？")))
        return;
    const BookingStatusList::CancelAll cancelled = m_list.cancelAll();
    if (cancelled == BookingStatusList::CancelAll::Changed)
        Dialogs::error(ChangedElsewhereText);
    else if (cancelled == BookingStatusList::CancelAll::Failed)
        Dialogs::error(QStringLiteral("SystemError : ScheduleDispQuery KeyRecord error "));
    fillGrid();
}

void TTimeTableForm::CommentEdited(int row, const QString &text)
{
    if (row < 0 || row >= int(m_list.rows().size()) || m_list.rows()[std::size_t(row)].Comment == text)
        return;
    const BookingStatusList::CommentWrite written =
        m_list.writeComment(m_list.rows()[std::size_t(row)].ScheduleNo, text);
    if (written == BookingStatusList::CommentWrite::Ok) {
        const QSignalBlocker blocker(ScheduleDispGrid);
        ScheduleDispGrid->item(row, BookingStatusList::CommentColumn)->setText(m_list.rows()[std::size_t(row)].Comment);
        return;
    }
    if (written == BookingStatusList::CommentWrite::Missing)
        Dialogs::error(QStringLiteral("SystemError : ScheduleTable KeyRecord error "), MessageButtons::Abort);
    else
        Dialogs::error(QStringLiteral("コメントの書き込みに失敗しました。"));
    // The grid is rebuilt once the editor has closed.
    QTimer::singleShot(0, this, [this] {
        if (!m_list.load(ReserveNo))
            Dialogs::error(QStringLiteral("予約表示に失敗しました。"));
        fillGrid();
    });
}

void TTimeTableForm::editPhrases()
{
    if (!CommentForm)
        return;
    CommentForm->ProgramName = QStringLiteral("Schd");
    CommentForm->CommentCode = 0;
    Dialogs::exec(CommentForm);
    m_phrases = CommentForm->GetComments(QStringLiteral("Schd"), 0);
}
