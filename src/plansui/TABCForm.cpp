#include "plansui/TABCForm.h"

#include "coreui/EnterKeyGuard.h"
#include "plans/PracticeRules.h"

#include <QCheckBox>
#include <QPushButton>

TABCForm *ABCForm = nullptr;

TABCForm::TABCForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ABCForm"));
    setWindowTitle(QStringLiteral("ＡＢＣ記入"));
    setFixedSize(300, 176);
    const auto box = [this](const QString &name, const QString &caption, int top) {
        auto *check = new QCheckBox(caption, this);
        check->setObjectName(name);
        check->setGeometry(24, top, 160, 24);
        return check;
    };
    ABox = box(QStringLiteral("ABox"), QStringLiteral("Ａ：目標"), 16);
    BBox = box(QStringLiteral("BBox"), QStringLiteral("Ｂ：実施状況"), 48);
    CBox = box(QStringLiteral("CBox"), QStringLiteral("Ｃ：能力"), 80);
    const auto button = [this](const QString &name, const QString &caption, int left, int top) {
        auto *push = new QPushButton(caption, this);
        push->setObjectName(name);
        push->setGeometry(left, top, 100, 28);
        return push;
    };
    OkBtn = button(QStringLiteral("OkBtn"), QStringLiteral("OK"), 184, 16);
    CancelBtn = button(QStringLiteral("CancelBtn"), QStringLiteral("キャンセル"), 184, 52);
    ALLSet = button(QStringLiteral("ALLSet"), QStringLiteral("全て記載"), 24, 128);
    ALLCancel = button(QStringLiteral("ALLCancel"), QStringLiteral("全て消去"), 150, 128);
    connect(OkBtn, &QPushButton::clicked, this, [this] { closeWith(OkResult, true); });
    connect(ALLSet, &QPushButton::clicked, this, [this] { closeWith(SetAllResult, true); });
    connect(ALLCancel, &QPushButton::clicked, this, [this] { closeWith(ClearAllResult, false); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    EnterKeyGuard::install(this);
}

void TABCForm::closeWith(int result, bool takeLetters)
{
    if (takeLetters)
        ABCText = PracticeRules::abcLetters(ABox->isChecked(), BBox->isChecked(), CBox->isChecked());
    done(result);
}

QString TABCForm::GetCellText() const
{
    return PracticeRules::abcCellText(ABCText);
}
