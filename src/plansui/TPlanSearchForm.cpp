#include "plansui/TPlanSearchForm.h"

#include "core/AppContext.h"
#include "coreui/EnterKeyGuard.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TPlanSearchForm *PlanSearchForm = nullptr;

namespace {

constexpr QStringView KanaCaptions[] = {u"ア", u"カ", u"サ", u"タ", u"ナ", u"ハ", u"マ", u"ヤ", u"ラ", u"ワ"};

} // namespace

TPlanSearchForm::TPlanSearchForm(AppContext &context, QWidget *parent) : QDialog(parent), m_list(context.database)
{
    setObjectName(QStringLiteral("PlanSearchForm"));
    setWindowTitle(QStringLiteral("リハビリ計画管理システム"));
    resize(980, 640);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("計画検索"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    auto *kana = new QHBoxLayout();
    for (int i = 0; i < 10; ++i) {
        auto *button = new QPushButton(KanaCaptions[i].toString(), this);
        button->setObjectName(QStringLiteral("KanaBtn%1").arg(i));
        button->setFixedWidth(40);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_list.filterByKanaRow(UserSearch::KanaRow(i));
            fillGrid();
        });
        kana->addWidget(button);
        KanaBtn[size_t(i)] = button;
    }
    AllDispBtn = new QPushButton(QStringLiteral("全 て 表 示"), this);
    AllDispBtn->setObjectName(QStringLiteral("AllDispBtn"));
    kana->addWidget(AllDispBtn);
    kana->addStretch();
    layout->addLayout(kana);

    PlanGrid = new QTableWidget(0, int(PlanSearchList::Columns.size()), this);
    PlanGrid->setObjectName(QStringLiteral("PlanGrid"));
    QStringList titles;
    for (int c = 0; c < int(PlanSearchList::Columns.size()); ++c) {
        titles << PlanSearchList::Columns[size_t(c)].title.toString();
        PlanGrid->setColumnWidth(c, PlanSearchList::Columns[size_t(c)].width);
    }
    PlanGrid->setHorizontalHeaderLabels(titles);
    PlanGrid->horizontalHeader()->setStretchLastSection(true);
    PlanGrid->verticalHeader()->hide();
    PlanGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    PlanGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    PlanGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(PlanGrid, 1);

    auto *details = new QGridLayout();
    const auto detail = [&](const QString &name, const QString &caption, int row, int column) {
        details->addWidget(new QLabel(caption, this), row, column * 2);
        auto *label = new QLabel(this);
        label->setObjectName(name);
        label->setMinimumWidth(150);
        details->addWidget(label, row, column * 2 + 1);
        return label;
    };
    UserNoLabel = detail(QStringLiteral("UserNoLabel"), QStringLiteral("利用者番号"), 0, 0);
    KanaLabel = detail(QStringLiteral("KanaLabel"), QStringLiteral("カナ"), 0, 1);
    NameLabel = detail(QStringLiteral("NameLabel"), QStringLiteral("氏名"), 0, 2);
    SexLabel = detail(QStringLiteral("SexLabel"), QStringLiteral("性別"), 1, 0);
    BirthLabel = detail(QStringLiteral("BirthLabel"), QStringLiteral("生年月日"), 1, 1);
    RihaType = detail(QStringLiteral("RihaType"), QStringLiteral("リハビリ形態"), 1, 2);
    HihaKubun = detail(QStringLiteral("HihaKubun"), QStringLiteral("区分"), 2, 0);
    PlanDay = detail(QStringLiteral("PlanDay"), QStringLiteral("計画登録日"), 2, 1);
    PlanEnd = detail(QStringLiteral("PlanEnd"), QStringLiteral("計画終了日"), 2, 2);
    Special = detail(QStringLiteral("Special"), QStringLiteral("特徴"), 3, 0);
    layout->addLayout(details);

    auto *buttons = new QHBoxLayout();
    buttons->addStretch();
    OkBtn = new QPushButton(QStringLiteral("確　定"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    ReturnBtn = new QPushButton(QStringLiteral("戻  る"), this);
    ReturnBtn->setObjectName(QStringLiteral("ReturnBtn"));
    buttons->addWidget(OkBtn);
    buttons->addWidget(ReturnBtn);
    layout->addLayout(buttons);
    OkBtn->setEnabled(false);

    connect(AllDispBtn, &QPushButton::clicked, this, &TPlanSearchForm::showAll);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ReturnBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PlanGrid, &QTableWidget::cellClicked, this, [this](int row, int) { PlanGridClick(row); });
    EnterKeyGuard::install(this);
}

void TPlanSearchForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    clearDetails();
    showAll();
    AllDispBtn->setFocus();
}

void TPlanSearchForm::done(int result)
{
    m_list.close();
    PlanGrid->setRowCount(0);
    QDialog::done(result);
}

void TPlanSearchForm::showAll()
{
    m_list.open();
    fillGrid();
}

void TPlanSearchForm::fillGrid()
{
    const DbDataSet &rows = m_list.PlanQuery;
    const int count = rows.isOpen() ? rows.recordCount() : 0;
    PlanGrid->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < PlanGrid->columnCount(); ++column)
            PlanGrid->setItem(row, column, new QTableWidgetItem(m_list.cellText(column, row)));
    }
}

void TPlanSearchForm::clearDetails()
{
    for (QLabel *label :
         {UserNoLabel, KanaLabel, NameLabel, SexLabel, BirthLabel, RihaType, HihaKubun, PlanDay, PlanEnd, Special})
        label->clear();
}

void TPlanSearchForm::PlanGridClick(int row)
{
    if (row < 0 || row >= PlanGrid->rowCount())
        return;
    const PlanSearchList::Details details = m_list.details(row);
    UserNoLabel->setText(details.UserNo);
    KanaLabel->setText(details.Kana);
    NameLabel->setText(details.Name);
    SexLabel->setText(details.Sex);
    BirthLabel->setText(details.Birth);
    RihaType->setText(details.RihaType);
    HihaKubun->setText(details.Kubun);
    PlanDay->setText(details.PlanDay);
    PlanEnd->setText(details.PlanEnd);
    Special->setText(details.Special);
}
