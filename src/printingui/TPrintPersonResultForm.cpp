#include "printingui/TPrintPersonResultForm.h"

#include "base/Clock.h"
#include "base/DateTime.h"
#include "core/AppContext.h"
#include "core/DateHelpers.h"
#include "core/EraDate.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "printing/PersonResultGridModel.h"
#include "printing/PersonResultPrint.h"
#include "printingui/KanaRowButtons.h"
#include "printingui/MonthUpDown.h"
#include "printingui/SelectionGrid.h"
#include "reportui/PrintoutPreview.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

TPrintPersonResultForm *PrintPersonResultForm = nullptr;

TPrintPersonResultForm::TPrintPersonResultForm(AppContext &context, QWidget *parent)
    : PrintWorkForm(context, QStringLiteral("PrintPersonResultForm"), QStringLiteral("リハビリ実績記録書（印刷）"),
                    QSize(760, 600), parent),
      m_plans(context.database)
{
    using FormParts::addButton;
    Hizuke = MonthUpDown::addWithLabel(MainPanel, YearMonthLabel);
    DisplayBtn = addButton(MainPanel, QStringLiteral("DisplayBtn"), QStringLiteral("抽出"), QRect(220, 10, 100, 36));
    CountLabel = FormParts::addLabel(MainPanel, QString(), QRect(340, 10, 200, 36), Qt::AlignLeft | Qt::AlignVCenter);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    KanaBtn = KanaRowButtons::add(MainPanel, QPoint(10, 56), QSize(42, 30), 46, [this](UserSearch::KanaRow row) {
        m_plans.filterByKanaRow(row);
        m_model->reload();
    });
    AllDispBtn = addButton(MainPanel, QStringLiteral("AllDispBtn"), QStringLiteral("全て表示"), QRect(476, 56, 90, 30));
    m_model = new PersonResultGridModel(m_plans, this);
    DBGrid1 = new SelectionGrid(MainPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(10, 96, 740, 440);
    DBGrid1->setModel(m_model);
    for (int c = 0; c < int(PersonResultPlans::Columns.size()); ++c)
        DBGrid1->setColumnWidth(c, PersonResultPlans::Columns[size_t(c)].width);
    AllSelectBtn =
        addButton(MainPanel, QStringLiteral("AllSelectBtn"), QStringLiteral("全選択"), QRect(10, 550, 100, 36));
    EraseBtn = addButton(MainPanel, QStringLiteral("EraseBtn"), QStringLiteral("全取消"), QRect(120, 550, 100, 36));
    PrintBtn = addButton(MainPanel, QStringLiteral("PrintBtn"), QStringLiteral("印刷"), QRect(530, 550, 100, 36));
    ReturnButton =
        addButton(MainPanel, QStringLiteral("ReturnButton"), QStringLiteral("戻る"), QRect(640, 550, 110, 36));

    connect(Hizuke, &MonthUpDown::stepped, this,
            [this](int months) { setMonth(DateTime::fromDate(DateTime::toDate(m_month).addMonths(months))); });
    connect(DisplayBtn, &QPushButton::clicked, this, &TPrintPersonResultForm::DisplayBtnClick);
    connect(AllDispBtn, &QPushButton::clicked, this, [this] {
        m_plans.showAll();
        m_model->reload();
    });
    connect(AllSelectBtn, &QPushButton::clicked, DBGrid1, &SelectionGrid::pickAll);
    connect(EraseBtn, &QPushButton::clicked, DBGrid1, &SelectionGrid::clearPicks);
    connect(PrintBtn, &QPushButton::clicked, this, &TPrintPersonResultForm::PrintBtnClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
    setMonth(Clock::today());
}

TPrintPersonResultForm::~TPrintPersonResultForm() = default;

void TPrintPersonResultForm::formShown()
{
    setMonth(Clock::today());
    // The first month is shown spaced; a stepped one is not.
    YearMonthLabel->setText(DateTime::format(u"gg ee年mm月", m_month));
    CountLabel->clear();
}

void TPrintPersonResultForm::formClosed()
{
    closeList();
}

void TPrintPersonResultForm::setMonth(TDateTime month)
{
    closeList();
    m_month = FirstDayOfMonth(month);
    YearMonthLabel->setText(FormatEraYearMonth(m_month));
}

void TPrintPersonResultForm::closeList()
{
    m_plans.close();
    m_model->reload();
    setListButtons(false);
}

void TPrintPersonResultForm::setListButtons(bool enabled)
{
    for (QPushButton *button : KanaBtn)
        button->setEnabled(enabled);
    for (QPushButton *button : {AllDispBtn, AllSelectBtn, EraseBtn, PrintBtn})
        button->setEnabled(enabled);
}

void TPrintPersonResultForm::DisplayBtnClick()
{
    closeList();
    CountLabel->clear();
    const TDateTime next = DateTime::fromDate(DateTime::toDate(m_month).addMonths(1));
    const bool opened = m_plans.open(m_month, next);
    m_model->reload();
    if (!opened) {
        Dialogs::error(QStringLiteral("*** System Error:計画書のデータ取得に失敗しました。"));
        return;
    }
    if (m_plans.rowCount() == 0) {
        Dialogs::information(QStringLiteral("条件に該当する計画書がありません。"));
        return;
    }
    CountLabel->setText(QStringLiteral("抽出件数　%1件").arg(m_plans.rowCount()));
    setListButtons(true);
}

void TPrintPersonResultForm::PrintBtnClick()
{
    if (!m_plans.isOpen()) {
        Dialogs::information(QStringLiteral("抽出データがありません。"));
        return;
    }
    if (DBGrid1->pickedRows().empty()) {
        Dialogs::information(QStringLiteral("選択データがありません。"));
        return;
    }
    std::vector<int> cureNos;
    for (const int row : DBGrid1->pickedRows())
        cureNos.push_back(m_plans.cureNo(row));
    const auto show = [](const QString &message) {
        Dialogs::message(message.startsWith(u'*') ? MessageType::Error : MessageType::Information, message,
                         MessageButtons::Ok);
    };
    PersonResultPrint print(m_context, m_month, cureNos, show);
    // A printout that was not shown leaves the list to print from again.
    if (PrintoutPreview::show(print.report(), m_context.appDir + u'/' + PersonResultPrint::TemplateName.toString()))
        closeList();
}
