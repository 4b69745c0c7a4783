#include "resultsui/TCopyModeForm.h"

#include "coreui/EnterKeyGuard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

TCopyModeForm::TCopyModeForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CopyModeForm"));
    setWindowTitle(QStringLiteral("書き込みモード"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(420, 250);
    const auto lines = [this](const QStringList &texts, int top) {
        for (const QString &text : texts) {
            auto *label = new QLabel(text, this);
            label->setGeometry(48, top, 360, 20);
            top += 20;
        }
    };
    OverWrite = new QCheckBox(QStringLiteral("上書き"), this);
    OverWrite->setObjectName(QStringLiteral("OverWrite"));
    OverWrite->setGeometry(20, 14, 200, 22);
    lines({QStringLiteral("既に存在している結果に上書きします。"),
           QStringLiteral("結果が存在していない場合は、新しい結果として追加します。")},
          38);
    SkipWrite = new QCheckBox(QStringLiteral("スキップ"), this);
    SkipWrite->setObjectName(QStringLiteral("SkipWrite"));
    SkipWrite->setGeometry(20, 90, 200, 22);
    lines({QStringLiteral("既に存在している結果は、スキップします。"), QStringLiteral("データ変更は行いません。"),
           QStringLiteral("結果が存在していない場合は、新しい結果として追加します。")},
          114);
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(OverWrite);
    group->addButton(SkipWrite);
    SkipWrite->setChecked(true);
    SetButton = new QPushButton(QStringLiteral("設定"), this);
    SetButton->setObjectName(QStringLiteral("SetButton"));
    SetButton->setGeometry(160, 200, 100, 32);
    connect(SetButton, &QPushButton::clicked, this, [this] { done(1); });
    EnterKeyGuard::install(this);
}
