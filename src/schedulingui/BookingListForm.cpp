#include "schedulingui/BookingListForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/CodeTables.h"
#include "core/TMainModule.h"
#include "platform/DialogService.h"
#include "reportui/TemplatePrintout.h"
#include "schedulingui/TScheduleMenuForm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace BookingListText {

QString eraDay(TDateTime date)
{
    return date == DateTime::None ? QString() : DateTime::format(u"gg ee年mm月dd日", date);
}

QString weekday(TDateTime date)
{
    return WeekLongNames[std::size_t(DateTime::toDate(date).dayOfWeek() - 1)].toString();
}

QString number(int value)
{
    return value >= 1 ? QString::number(value) : QString();
}

} // namespace BookingListText

BookingListForm::BookingListForm(AppContext &context, BookingListPrint::Kind kind, const QString &objectName,
                                 const QString &caption)
    : MenuWindow(context, [] { return static_cast<QWidget *>(ScheduleMenuForm); }, -1, 0), m_kind(kind)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    resize(1000, 680);
    MainPanel->setFixedSize(960, 640);
    auto *layout = new QVBoxLayout(MainPanel);
    FilterPanel = new QWidget(MainPanel);
    FilterPanel->setObjectName(QStringLiteral("FilterPanel"));
    layout->addWidget(FilterPanel);
    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char *name, const QString &text) {
        auto *b = new QPushButton(text, MainPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(90);
        buttons->addWidget(b);
        return b;
    };
    DisplayButton = button("DisplayButton", QStringLiteral("表　示"));
    PrintButton = button("PrintButton", QStringLiteral("印　刷"));
    CloseButton = button("CloseButton", QStringLiteral("閉じる"));
    buttons->addStretch();
    CountLabel = new QLabel(MainPanel);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    buttons->addWidget(new QLabel(QStringLiteral("件数"), MainPanel));
    buttons->addWidget(CountLabel);
    layout->addLayout(buttons);
    DBGrid1 = new QTableWidget(MainPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->verticalHeader()->hide();
    layout->addWidget(DBGrid1, 1);
    connect(DisplayButton, &QPushButton::clicked, this, [this] { DisplayClick(); });
    connect(PrintButton, &QPushButton::clicked, this, [this] { PrintClick(); });
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

BookingListForm::~BookingListForm() = default;

void BookingListForm::FormShow()
{
    closeList();
}

void BookingListForm::setColumns(std::vector<Column> columns)
{
    m_columns = std::move(columns);
    DBGrid1->setColumnCount(int(m_columns.size()));
    QStringList captions;
    for (int i = 0; i < int(m_columns.size()); ++i) {
        captions << m_columns[std::size_t(i)].caption;
        DBGrid1->setColumnWidth(i, m_columns[std::size_t(i)].width);
    }
    DBGrid1->setHorizontalHeaderLabels(captions);
}

void BookingListForm::closeList()
{
    m_shown.reset();
    DBGrid1->setRowCount(0);
    CountLabel->clear();
    PrintButton->setEnabled(false);
}

bool BookingListForm::showRows(const std::optional<BookingList::Rows> &rows, BookingListPrint::Header header)
{
    closeList();
    if (!rows) {
        Dialogs::error(QStringLiteral("System Error:表示に失敗しました。"));
        return false;
    }
    DBGrid1->setRowCount(int(rows->size()));
    for (int r = 0; r < int(rows->size()); ++r)
        for (int c = 0; c < int(m_columns.size()); ++c) {
            auto *item = new QTableWidgetItem(m_columns[std::size_t(c)].text((*rows)[std::size_t(r)]));
            item->setTextAlignment(m_columns[std::size_t(c)].alignment | Qt::AlignVCenter);
            DBGrid1->setItem(r, c, item);
        }
    CountLabel->setText(QString::number(rows->size()));
    if (!rows->empty()) {
        m_shown = std::make_unique<BookingListPrint>(m_kind, *rows, std::move(header),
                                                     m_context.mainModule.FacilityName, Clock::now());
        PrintButton->setEnabled(true);
    }
    return true;
}

void BookingListForm::PrintClick()
{
    if (m_shown)
        printShown(*m_shown);
}

void BookingListForm::printShown(const BookingListPrint &print)
{
    TemplatePrintout::show(m_context.appDir + QLatin1Char('/') + BookingListPrint::templateName(print.kind()).toString(),
                           print.rowCount(), [&print](const QString &name, int row) { return print.value(name, row); });
}

QComboBox *BookingListForm::makeStaffBox()
{
    auto *box = new QComboBox(FilterPanel);
    box->setObjectName(QStringLiteral("TantouBox"));
    box->setMinimumWidth(150);
    box->addItems(m_context.mainModule.StaffNames());
    connect(box, &QComboBox::activated, this, [this] { closeList(); });
    return box;
}

QToolButton *BookingListForm::makeArrow(const char *name, Qt::ArrowType arrow)
{
    auto *button = new QToolButton(FilterPanel);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    return button;
}

QString BookingListForm::staffNameOf(int index) const
{
    return m_context.mainModule.staff().nameAt(index);
}

int BookingListForm::staffCodeOf(int index) const
{
    return m_context.mainModule.staff().codeAt(index);
}

int BookingListForm::staffCount() const
{
    return m_context.mainModule.StaffCount();
}
