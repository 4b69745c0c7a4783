#include "printingui/TPrintMenuForm.h"

#include "coreui/TMainForm.h"

#include <QPushButton>

TPrintMenuForm *PrintMenuForm = nullptr;

TPrintMenuForm::TPrintMenuForm(AppContext &context, QWidget *parent)
    : MenuWindow(
          context, [] { return static_cast<QWidget *>(MainForm); }, -1, 0, parent)
{
    setObjectName(QStringLiteral("PrintMenuForm"));
    setWindowTitle(QStringLiteral("印刷メニュー"));
    resize(800, 600);
    MainPanel->setObjectName(QStringLiteral("MenuPanel"));
    MainPanel->setFixedSize(560, 400);
    QFont font = this->font();
    font.setPixelSize(16);
    const auto button = [this, &font](const char *name, const QString &caption, int column, int row) {
        auto *b = new QPushButton(caption, MainPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setFont(font);
        b->setGeometry(30 + column * 260, 20 + row * 75, 240, 60);
        return b;
    };
    PrintAllUserButton = button("PrintAllUserButton", QStringLiteral("利用者一覧表"), 0, 0);
    Button3 = button("Button3", QStringLiteral("リハビリ治療計画書"), 0, 1);
    Button2 = button("Button2", QStringLiteral("リハビリ実施計画書"), 0, 2);
    Button6 = button("Button6", QStringLiteral("リハビリ実績記録書"), 0, 3);
    Button4 = button("Button4", QStringLiteral("統計情報表"), 1, 0);
    Button8 = button("Button8", QStringLiteral("形態別実績一覧表"), 1, 1);
    Button9 = button("Button9", QStringLiteral("計画書期限参照"), 1, 2);
    // The push button breaks its caption at the line break.
    Button7 = button("Button7", QStringLiteral("月別リハビリ形態別\n実施一覧"), 1, 3);
    ReturnButton = button("ReturnButton", QStringLiteral("戻　　　る"), 0, 4);
    ReturnButton->move((MainPanel->width() - ReturnButton->width()) / 2, ReturnButton->y() + 10);
    for (QPushButton *entry : {PrintAllUserButton, Button3, Button2, Button6, Button4, Button8, Button9, Button7}) {
        connect(entry, &QPushButton::clicked, this, [this, entry] {
            if (QWidget *form = m_forms[entry]) {
                form->show();
                form->raise();
                form->activateWindow();
            }
        });
        SetForm(entry, nullptr);
    }
    connect(ReturnButton, &QPushButton::clicked, this, &QWidget::close);
}

void TPrintMenuForm::SetForm(QPushButton *entry, QWidget *form)
{
    m_forms[entry] = form;
    entry->setEnabled(form != nullptr);
}
