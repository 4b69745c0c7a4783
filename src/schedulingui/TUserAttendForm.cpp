#include "schedulingui/TUserAttendForm.h"

#include "base/Clock.h"
#include "base/Sjis.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "coreui/TStringsForm.h"
#include "platform/DialogService.h"
#include "usersui/TUserSearchForm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TUserAttendForm *UserAttendForm = nullptr;

using namespace BookingListText;

namespace {
// The contact memo's room on the printout, in Shift-JIS bytes.
constexpr int MemoBytes = 512;
} // namespace

TUserAttendForm::TUserAttendForm(AppContext &context)
    : BookingListForm(context, BookingListPrint::Kind::User, QStringLiteral("UserAttendForm"),
                      QStringLiteral("月別利用者別予約表"))
{
    // Three rows of their own, so that no box of a row takes the room of
    // a box above or below it; each value box fits its longest text.
    auto *rows = new QVBoxLayout(FilterPanel);
    rows->setContentsMargins(0, 0, 0, 0);
    const auto row = [rows] {
        auto *line = new QHBoxLayout;
        rows->addLayout(line);
        return line;
    };
    const auto label = [this](const char *name, QStringView longest) {
        auto *l = new QLabel(FilterPanel);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumSize(l->fontMetrics().horizontalAdvance(longest.toString()) + 2 * l->frameWidth() + 8, 22);
        return l;
    };
    QHBoxLayout *top = row();
    UserSearch = new QPushButton(QStringLiteral("検索"), FilterPanel);
    UserSearch->setObjectName(QStringLiteral("UserSearch"));
    HizukeLeft = makeArrow("HizukeLeft", Qt::LeftArrow);
    YearMonthLabel = label("YearMonthLabel", u"令和 88年88月");
    HizukeRight = makeArrow("HizukeRight", Qt::RightArrow);
    for (QWidget *widget : std::initializer_list<QWidget *>{UserSearch, HizukeLeft, YearMonthLabel, HizukeRight})
        top->addWidget(widget);
    top->addStretch();

    CureNoLabel = label("CureNoLabel", u"88888888");
    NameLabel = label("NameLabel", u"漢漢漢漢漢漢漢漢漢漢");
    KanaLabel = label("KanaLabel", u"ｶｶｶｶｶｶｶｶｶｶｶｶｶｶｶｶｶｶｶｶ");
    BirthLabel = label("BirthLabel", u"令和 88年88月88日");
    SexLabel = label("SexLabel", SexNames[2]);
    QHBoxLayout *person = row();
    const std::array<std::pair<const char16_t *, QLabel *>, 5> fields{{{u"番号", CureNoLabel},
                                                                       {u"氏名", NameLabel},
                                                                       {u"フリガナ", KanaLabel},
                                                                       {u"生年月日", BirthLabel},
                                                                       {u"性別", SexLabel}}};
    for (const auto &[caption, value] : fields) {
        person->addWidget(new QLabel(QString::fromUtf16(caption), FilterPanel));
        person->addWidget(value);
    }
    person->addStretch();

    QHBoxLayout *contact = row();
    Memo = new QPlainTextEdit(FilterPanel);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setFixedHeight(60);
    Memo->setToolTip(QStringLiteral("ダブルクリックで定型文"));
    Memo->viewport()->installEventFilter(this);
    contact->addWidget(new QLabel(QStringLiteral("連絡欄"), FilterPanel));
    contact->addWidget(Memo);
    setColumns({{QStringLiteral("予定日"), 150,
                 [](const auto &r) {
                     return eraDay(r.ReserveDay);
                 }},
                {QStringLiteral("曜日"), 60,
                 [](const auto &r) {
                     return weekday(r.ReserveDay);
                 }},
                {QStringLiteral("形態"), 100,
                 [](const auto &r) {
                     return CodeName(RihaTypeNames, r.RihaType);
                 }},
                {QStringLiteral("区分"), 180,
                 [](const auto &r) {
                     return BookingList::kubunWords(r.KubunCode, u"  ");
                 }},
                {QStringLiteral("担当者"), 140,
                 [](const auto &r) {
                     return r.StuffName;
                 }},
                {QStringLiteral("開始"), 60,
                 [](const auto &r) {
                     return DateTime::format(u"hh:nn", r.StartTime);
                 }},
                {QStringLiteral("分"), 50, [](const auto &r) { return number(r.WorkingMin); }, Qt::AlignRight}});
    connect(HizukeLeft, &QToolButton::clicked, this, [this] { stepMonth(-1); });
    connect(HizukeRight, &QToolButton::clicked, this, [this] { stepMonth(1); });
    connect(UserSearch, &QPushButton::clicked, this, [this] {
        if (UserSearchForm && Dialogs::exec(UserSearchForm) == QDialog::Accepted) {
            const TPerson &person = UserSearchForm->Person;
            setUser(person.CureNo, person.Name, person.Kana, person.Birth, person.Sex);
        }
    });
}

void TUserAttendForm::FormShow()
{
    BookingListForm::FormShow();
    m_month = BookingList::monthStart(Clock::today());
    YearMonthLabel->setText(DateTime::format(u"gg ee年mm月", m_month));
    DisplayButton->setEnabled(m_cureNo >= 0);
}

void TUserAttendForm::setUser(int cureNo, const QString &name, const QString &kana, TDateTime birth, int sex)
{
    m_cureNo = cureNo;
    CureNoLabel->setText(QString::number(cureNo));
    NameLabel->setText(name);
    KanaLabel->setText(kana);
    BirthLabel->setText(eraDay(birth));
    SexLabel->setText(CodeName(SexNames, sex));
    DisplayButton->setEnabled(true);
    closeList();
}

void TUserAttendForm::stepMonth(int months)
{
    m_month = DateTime::fromDate(DateTime::toDate(m_month).addMonths(months));
    YearMonthLabel->setText(DateTime::format(u"gg ee年mm月", m_month));
    closeList();
}

void TUserAttendForm::DisplayClick()
{
    if (m_cureNo < 0)
        return;
    BookingListPrint::Header header;
    header.Period = YearMonthLabel->text();
    header.CureNo = CureNoLabel->text();
    header.Name = NameLabel->text();
    header.Kana = KanaLabel->text();
    header.Birth = BirthLabel->text();
    header.Sex = SexLabel->text();
    showRows(BookingList::ofUser(m_context.database, m_cureNo, m_month), header);
}

void TUserAttendForm::PrintClick()
{
    if (!shownList())
        return;
    if (Sjis::byteLength(Memo->toPlainText()) > MemoBytes) {
        Dialogs::error(QStringLiteral("連絡事項の文字数が許容数を超えました。"), MessageButtons::Abort);
        return;
    }
    BookingListPrint print = *shownList();
    print.setContact(Memo->toPlainText());
    printShown(print);
}

bool TUserAttendForm::eventFilter(QObject *watched, QEvent *event)
{
    // The chosen phrases go to the clipboard, for pasting where wanted.
    if (watched == Memo->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        TStringsForm::CopyPhrases(QStringLiteral("UserAttend"), 0);
        return true;
    }
    return BookingListForm::eventFilter(watched, event);
}
