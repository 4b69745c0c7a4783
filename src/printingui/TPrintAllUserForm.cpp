#include "printingui/TPrintAllUserForm.h"

#include "base/Clock.h"
#include "core/AppContext.h"
#include "core/TMainModule.h"
#include "coreui/CsvFileDialog.h"
#include "coreui/FormParts.h"
#include "platform/DialogService.h"
#include "printing/ListCsvFile.h"
#include "printing/ListPrint.h"
#include "printingui/TPrintMenuForm.h"
#include "reportui/PrintoutPreview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TPrintAllUserForm *PrintAllUserForm = nullptr;

TPrintAllUserForm::TPrintAllUserForm(AppContext &context, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(PrintMenuForm); }, -1, 0, parent)
{
    setObjectName(QStringLiteral("PrintAllUserForm"));
    setWindowTitle(QStringLiteral("利用者一覧表(印刷)"));
    resize(640, 480);
    MainPanel->setFixedSize(560, 400);

    TypeGroup = new QGroupBox(QStringLiteral(" 条件１ "), MainPanel);
    TypeGroup->setObjectName(QStringLiteral("TypeGroup"));
    TypeGroup->setGeometry(20, 10, 520, 60);
    const auto box = [this](const char *name, const QString &caption, int left) {
        auto *check = new QCheckBox(caption, TypeGroup);
        check->setObjectName(QString::fromLatin1(name));
        check->setGeometry(left, 24, 120, 24);
        return check;
    };
    NyushoBox = box("NyushoBox", QStringLiteral("入所"), 20);
    TankiBox = box("TankiBox", QStringLiteral("短期入所"), 140);
    TsushoBox = box("TsushoBox", QStringLiteral("通所リハビリ"), 260);
    HoumonBox = box("HoumonBox", QStringLiteral("訪問リハビリ"), 380);
    RadioGroup1 = radioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("条件２"), QStringLiteral("退所者を除く"),
                             QStringLiteral("退所者を含む"), m_radio1, 80);
    RadioGroup2 = radioGroup(QStringLiteral("RadioGroup2"), QStringLiteral(" 条件３ "), QStringLiteral("３ヶ月以内"),
                             QStringLiteral("過去分の全て"), m_radio2, 150);

    FormParts::addLabel(MainPanel, QStringLiteral("CSVファイルの保存場所"), QRect(20, 230, 200, 22), Qt::AlignLeft);
    Fnrm1910_1Edit = new QLineEdit(MainPanel);
    Fnrm1910_1Edit->setObjectName(QStringLiteral("Fnrm1910_1Edit"));
    Fnrm1910_1Edit->setGeometry(20, 254, 430, 28);
    CSVSearchButton = FormParts::addButton(MainPanel, QStringLiteral("CSVSearchButton"), QStringLiteral("設定"),
                                           QRect(460, 254, 80, 28));
    PrintButton = FormParts::addButton(MainPanel, QStringLiteral("PrintButton"), QStringLiteral("印　刷"),
                                       QRect(20, 330, 160, 44));
    CSVOutButton = FormParts::addButton(MainPanel, QStringLiteral("CSVOutButton"), QStringLiteral("CSV出力"),
                                        QRect(200, 330, 160, 44));
    ReturnButton = FormParts::addButton(MainPanel, QStringLiteral("ReturnButton"), QStringLiteral("戻る"),
                                        QRect(380, 330, 160, 44));

    connect(PrintButton, &QPushButton::clicked, this, &TPrintAllUserForm::PrintButtonClick);
    connect(CSVOutButton, &QPushButton::clicked, this, &TPrintAllUserForm::CSVOutButtonClick);
    connect(CSVSearchButton, &QPushButton::clicked, this, &TPrintAllUserForm::CSVSearchButtonClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
}

QGroupBox *TPrintAllUserForm::radioGroup(const QString &name, const QString &caption, const QString &first,
                                         const QString &second, QButtonGroup *&buttons, int top)
{
    auto *group = new QGroupBox(caption, MainPanel);
    group->setObjectName(name);
    group->setGeometry(20, top, 520, 60);
    buttons = new QButtonGroup(group);
    int index = 0;
    for (const QString &text : {first, second}) {
        auto *radio = new QRadioButton(text, group);
        radio->setObjectName(name + QStringLiteral("Item%1").arg(index));
        radio->setGeometry(20 + index * 200, 24, 180, 24);
        buttons->addButton(radio, index);
        ++index;
    }
    buttons->button(0)->setChecked(true);
    return group;
}

AllUserList::Conditions TPrintAllUserForm::conditions() const
{
    AllUserList::Conditions conditions;
    conditions.Types = {NyushoBox->isChecked(), TankiBox->isChecked(), TsushoBox->isChecked(), HoumonBox->isChecked()};
    conditions.InCareOnly = m_radio1->checkedId() == 0;
    conditions.RecentOnly = m_radio2->checkedId() == 0;
    return conditions;
}

void TPrintAllUserForm::FormShow()
{
    Fnrm1910_1Edit->setText(m_context.registory.AllUser);
}

bool TPrintAllUserForm::openList(AllUserList &list)
{
    switch (list.open(conditions(), Clock::today())) {
    case AllUserList::Outcome::Rows:
        return true;
    case AllUserList::Outcome::NoRows:
        Dialogs::information(QStringLiteral("条件に該当するデータがありません。"), MessageButtons::Yes);
        return false;
    case AllUserList::Outcome::Failed:
        break;
    }
    Dialogs::error(QStringLiteral("データの抽出に失敗しました。"), MessageButtons::Yes);
    return false;
}

void TPrintAllUserForm::PrintButtonClick()
{
    AllUserList list(m_context.database, m_context.mainModule.FacilityName);
    if (!openList(list))
        return;
    ListPrint print = list.printout();
    PrintoutPreview::show(print.report(), m_context.appDir + u'/' + AllUserList::TemplateName.toString());
}

void TPrintAllUserForm::CSVOutButtonClick()
{
    std::vector<UserMessage> told;
    const std::optional<QString> file = ListCsvFile::target(Fnrm1910_1Edit->text(), told);
    Dialogs::show(told);
    if (!file || !CsvWriter::confirmOverwrite(*file, MessageButtons::OkNo, Dialogs::asker()))
        return;
    AllUserList list(m_context.database, m_context.mainModule.FacilityName);
    if (!openList(list))
        return;
    told.clear();
    const bool written = ListCsvFile::write(*file, AllUserList::CsvHeader, list.csvRows(), told);
    Dialogs::show(told);
    if (!written)
        return;
    Dialogs::information(QStringLiteral("終了しました。"));
}

void TPrintAllUserForm::CSVSearchButtonClick()
{
    QString &setting = m_context.registory.AllUser;
    Fnrm1910_1Edit->setText(setting);
    const QString chosen = CsvFileDialog::saveName(this, QStringLiteral("CSVファイルの保存場所"), setting);
    if (chosen.isEmpty())
        return;
    setting = chosen;
    Fnrm1910_1Edit->setText(chosen);
}
