#include "resultsui/TResultsEditForm.h"

#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/EraDate.h"
#include "core/TMainModule.h"
#include "coreui/EnterKeyGuard.h"
#include "coreui/EraLineEdit.h"
#include "coreui/TCommentForm.h"
#include "platform/DialogService.h"
#include "platform/UserMessage.h"
#include "resultsui/ResultCellDelegate.h"
#include "resultsui/ResultGridModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTime>

TResultsEditForm *ResultsEditForm = nullptr;

namespace {

const QString PhraseProgram = QStringLiteral("ResultEdit");
constexpr int TypeColumn = 3;
constexpr int CommentColumn = 18;
constexpr int StaffColumn = 19;
constexpr int DeleteColumn = 20;

QString eraDayWithWeekday(TDateTime date)
{
    const QDate day = DateTime::toDate(date);
    return DateTime::format(u"ggee/mm/dd", date) + QLatin1Char('(') +
           WeekShortNames[size_t(day.dayOfWeek() - 1)].toString() + QLatin1Char(')');
}

} // namespace

TResultsEditForm::TResultsEditForm(AppContext &context, QWidget *parent)
    : QDialog(parent), m_context(context), m_entry(context)
{
    setObjectName(QStringLiteral("ResultsEditForm"));
    setWindowTitle(QStringLiteral("ソラネクス７　治療実績登録（利用者別）"));
    resize(1190, 600);
    auto *heading = new QLabel(QStringLiteral("治療実績登録（利用者別）"), this);
    QFont headingFont = heading->font();
    headingFont.setPixelSize(20);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setGeometry(16, 8, 400, 30);
    const auto caption = [this](const QString &text, int left, int top, int width) {
        auto *label = new QLabel(text, this);
        label->setGeometry(left, top, width, 24);
        return label;
    };
    const auto value = [this](const char *name, int left, int top, int width) {
        auto *label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(left, top, width, 24);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        return label;
    };
    caption(QStringLiteral("利用者番号"), 16, 48, 80);
    CureNoLabel = value("CureNoLabel", 96, 48, 90);
    caption(QStringLiteral("氏名"), 200, 48, 40);
    NameLabel = value("NameLabel", 240, 48, 160);
    caption(QStringLiteral("フリガナ"), 414, 48, 60);
    KanaLabel = value("KanaLabel", 474, 48, 160);
    caption(QStringLiteral("性別"), 648, 48, 40);
    SexLabel = value("SexLabel", 688, 48, 70);
    caption(QStringLiteral("利用日"), 16, 84, 60);
    WorkingDay = new EraLineEdit(EraLineEdit::Mode::Date, this);
    WorkingDay->setObjectName(QStringLiteral("WorkingDay"));
    WorkingDay->setGeometry(76, 82, 160, 28);
    const auto button = [this](const char *name, const QString &text, int left) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 80, 100, 32);
        b->setAutoDefault(false);
        return b;
    };
    WorkingAddButton = button("WorkingAddButton", QStringLiteral("利用日追加"), 246);
    Button2 = button("Button2", QStringLiteral("全て削除"), 356);
    Button3 = button("Button3", QStringLiteral("保存"), 466);
    ReturnButton = button("ReturnButton", QStringLiteral("戻る"), 576);

    std::vector<ResultGridModel::Column> columns{
        {QStringLiteral("CureDate"), QStringLiteral("利用日"), 114,
         [](const CureResult &r) {
             return eraDayWithWeekday(r.CureDate);
         }},
        {QStringLiteral("RStartTime"), QStringLiteral("開始時間"), 60,
         [](const CureResult &r) { return DateTime::shortTime(r.RStartTime); }, true},
        {QStringLiteral("RMinute"), QStringLiteral("実施時間\n（分）"), 60,
         [](const CureResult &r) { return r.RMinute; }, true},
        {QStringLiteral("RihaType"), QStringLiteral("リハビリ形態"), 106,
         [](const CureResult &r) { return CodeName(RihaTypeNames, r.RihaType); }, true}};
    for (auto &flag : ResultGridModel::flagColumns(30, true))
        columns.push_back(std::move(flag));
    columns.push_back(
        {QStringLiteral("Comment"), QStringLiteral("備考"), 210, [](const CureResult &r) { return r.Comment; }, true});
    columns.push_back({QStringLiteral("StuffCode"), QStringLiteral("担当者"), 100,
                       [&context](const CureResult &r) { return context.mainModule.GetStaffName(r.StuffCode); }, true});
    columns.push_back({QStringLiteral("CureNo"), QString(), 48, {}});
    m_model = new ResultGridModel(m_entry.rows(), std::move(columns), this);
    m_model->setFlagColours(true);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(16, 124, 1158, 460);
    DBGrid1->setModel(m_model);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(24);
    DBGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_model->applyWidths(DBGrid1);
    DBGrid1->horizontalHeader()->setMinimumHeight(40);
    m_delegate = new ResultCellDelegate(this);
    m_delegate->setEditor(1, {ResultCellDelegate::Kind::Time, {}, {}});
    m_delegate->setEditor(2, {ResultCellDelegate::Kind::Number, {}, {}});
    m_delegate->setEditor(TypeColumn, {ResultCellDelegate::Kind::List, QStringLiteral("ResultTypeBox"), [] {
                                           QStringList names;
                                           for (const QStringView name : RihaTypeNames)
                                               names.append(name.toString());
                                           return names;
                                       }});
    m_delegate->setEditor(CommentColumn,
                          {ResultCellDelegate::Kind::Phrases, QStringLiteral("ResultCommentBox"), [this] {
                               return commentPhrases();
                           }});
    m_delegate->setEditor(StaffColumn,
                          {ResultCellDelegate::Kind::List, QStringLiteral("DBLookupComboBox1"), [&context] {
                               return context.mainModule.StaffNames();
                           }});
    DBGrid1->setItemDelegate(m_delegate);
    connect(m_delegate, &ResultCellDelegate::phrasesRequested, this, [] {
        if (!CommentForm)
            return;
        CommentForm->ProgramName = PhraseProgram;
        CommentForm->CommentCode = 0;
        Dialogs::exec(CommentForm);
    });
    connect(m_model, &ResultGridModel::edited, this, &TResultsEditForm::cellEdited);

    connect(WorkingAddButton, &QPushButton::clicked, this, &TResultsEditForm::WorkingAddButtonClick);
    connect(Button2, &QPushButton::clicked, this, &TResultsEditForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TResultsEditForm::Button3Click);
    connect(ReturnButton, &QPushButton::clicked, this, &QDialog::accept);
    EnterKeyGuard::install(this);
}

TResultsEditForm::~TResultsEditForm() = default;

QStringList TResultsEditForm::commentPhrases() const
{
    return CommentForm ? CommentForm->GetComments(PhraseProgram, 0) : QStringList();
}

void TResultsEditForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    WorkingDay->setEmpty();
    // The day to add is what is typed first.
    WorkingDay->setFocus();
    WorkingAddButton->setEnabled(true);
    const QString failure = m_entry.loadPerson(CureNo);
    if (!failure.isEmpty()) {
        Dialogs::error(failure, MessageButtons::Abort);
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    const TPerson &person = m_entry.person();
    CureNoLabel->setText(QString::number(person.CureNo));
    NameLabel->setText(person.Name);
    KanaLabel->setText(person.Kana);
    SexLabel->setText(CodeName(SexNames, person.Sex));
    if (!m_entry.loadMonth(FromDate, ToDate))
        Dialogs::error(QStringLiteral("SystemError : 利用者実績の抽出 error "));
    showRows();
}

void TResultsEditForm::showRows()
{
    m_model->reload();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        auto *remove = new QPushButton(QStringLiteral("削除"));
        remove->setObjectName(QStringLiteral("DeleteButton"));
        connect(remove, &QPushButton::clicked, this, [this, row] { DeleteRow(row); });
        DBGrid1->setIndexWidget(m_model->index(row, DeleteColumn), remove);
    }
}

void TResultsEditForm::cellEdited(int row, int column, const QVariant &value)
{
    bool ok = false;
    QString message;
    const ResultGridModel::Column &spec = m_model->column(column);
    if (spec.flag >= 0) {
        ok = m_entry.setFlag(row, spec.flag, value.toBool());
    } else if (column == 1 || column == 2) {
        ok = column == 1 ? m_entry.setStart(row, value.toString(), message)
                         : m_entry.setMinutes(row, value.toString(), message);
        if (!message.isEmpty()) {
            // The cell shows what is stored again.
            Dialogs::warning(message, MessageButtons::Abort);
            m_model->refreshRow(row);
            return;
        }
    } else if (column == TypeColumn) {
        ok = m_entry.setRihaType(row, value.toInt());
    } else if (column == CommentColumn) {
        ok = m_entry.rows().setComment(row, value.toString());
    } else if (column == StaffColumn) {
        ok = m_entry.setStaff(row, m_context.mainModule.staff().codeAt(value.toInt()));
    }
    if (!ok && m_entry.rows().rowGone()) {
        showRowGone();
        return;
    }
    if (!ok)
        Dialogs::error(QStringLiteral("*** System Error 結果の登録に失敗しました。"));
    m_model->refreshRow(row);
}

void TResultsEditForm::WorkingAddButtonClick()
{
    WorkingAddButton->setEnabled(false);
    const auto day = WorkingDay->value();
    if (!day)
        WorkingDay->setEmpty();
    const QString failure = m_entry.addDay(day);
    if (!failure.isEmpty())
        Dialogs::error(failure);
    showRows();
    // Adding stays possible after every add, and after deleting every row.
    WorkingAddButton->setEnabled(true);
}

void TResultsEditForm::DeleteRow(int row)
{
    if (!Dialogs::confirmDelete(QStringLiteral("このデータを削除しますか？")))
        return;
    if (!m_entry.rows().remove(row)) {
        if (m_entry.rows().rowGone()) {
            showRowGone();
            return;
        }
        Dialogs::error(QStringLiteral("*** System : 結果の再表示 error "));
    }
    showRows();
}

void TResultsEditForm::Button2Click()
{
    if (!Dialogs::confirmDelete(QStringLiteral("この月の全ての実績を削除しますか？")))
        return;
    showWrite(m_entry.deleteAll());
    showRows();
}

void TResultsEditForm::Button3Click()
{
    if (!m_entry.rows().isOpen())
        return;
    const ResultsEntry::Write written = m_entry.save();
    showWrite(written);
    showRows();
    if (written == ResultsEntry::Write::Ok)
        Dialogs::information(QStringLiteral("保存しました。"));
}

void TResultsEditForm::showRowGone()
{
    Dialogs::error(ChangedElsewhereText);
    if (!m_entry.loadMonth(FromDate, ToDate))
        Dialogs::error(QStringLiteral("SystemError : 利用者実績の抽出 error "));
    showRows();
}

void TResultsEditForm::showWrite(ResultsEntry::Write written)
{
    if (written == ResultsEntry::Write::Changed)
        Dialogs::error(ChangedElsewhereText);
    else if (written == ResultsEntry::Write::Failed)
        Dialogs::error(QStringLiteral("*** System Error 結果の登録に失敗しました。"));
}
