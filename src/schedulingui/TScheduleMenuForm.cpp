#include "schedulingui/TScheduleMenuForm.h"

#include "coreui/TMainForm.h"
#include "schedulingui/TAttendScheduleForm.h"
#include "schedulingui/TDayAttendForm.h"
#include "schedulingui/TDayScheduleForm.h"
#include "schedulingui/TStuffScheduleForm.h"
#include "schedulingui/TUserAttendForm.h"
#include "schedulingui/TUserBookForm.h"
#include "schedulingui/TUserSheetForm.h"

#include <QPushButton>

TScheduleMenuForm *ScheduleMenuForm = nullptr;

namespace {

// The window an entry opens, read when clicked so that globals set after
// the menu serve.
using FormOf = QWidget *(*)();

void bindEntry(QPushButton *button, FormOf form)
{
    button->setProperty("formOf", QVariant::fromValue(reinterpret_cast<quintptr>(form)));
    QObject::connect(button, &QPushButton::clicked, button, [form] {
        if (QWidget *window = form())
            window->show();
    });
}

} // namespace

TScheduleMenuForm::TScheduleMenuForm(AppContext &context, QWidget *parent)
    : MenuWindow(context, [] { return static_cast<QWidget *>(MainForm); }, -1, 0, parent)
{
    setObjectName(QStringLiteral("ScheduleMenuForm"));
    setWindowTitle(QStringLiteral("スケジュール管理メニュー"));
    resize(640, 600);
    MainPanel->setObjectName(QStringLiteral("ScheduleMenuPanel"));
    MainPanel->setFixedSize(300, 560);
    QFont font = this->font();
    font.setPixelSize(16);
    int top = 20;
    const auto button = [this, &font, &top](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, MainPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setFont(font);
        b->setGeometry(30, top, 240, 50);
        top += 65;
        return b;
    };
    StuffWeekBookBtn = button("StuffWeekBookBtn", QStringLiteral("担当者別予約表"));
    Button2 = button("Button2", QStringLiteral("当日予約表"));
    UserWeekBookBtn = button("UserWeekBookBtn", QStringLiteral("利用者予約希望"));
    AttendButton = button("AttendButton", QStringLiteral("月別担当者別予定表"));
    UserAttend = button("UserAttend", QStringLiteral("月別利用者別予定表"));
    DayAttend = button("DayAttend", QStringLiteral("当日作業予定表"));
    Button1 = button("Button1", QStringLiteral("予約状況サマリー"));
    Button10 = button("Button10", QStringLiteral("戻　　　る"));
    bindEntry(StuffWeekBookBtn, [] { return static_cast<QWidget *>(StuffScheduleForm); });
    bindEntry(Button2, [] { return static_cast<QWidget *>(DayScheduleForm); });
    bindEntry(UserWeekBookBtn, [] { return static_cast<QWidget *>(UserBookForm); });
    bindEntry(AttendButton, [] { return static_cast<QWidget *>(AttendScheduleForm); });
    bindEntry(UserAttend, [] { return static_cast<QWidget *>(UserAttendForm); });
    bindEntry(DayAttend, [] { return static_cast<QWidget *>(DayAttendForm); });
    bindEntry(Button1, [] { return static_cast<QWidget *>(UserSheetForm); });
    connect(Button10, &QPushButton::clicked, this, &QWidget::close);
}

void TScheduleMenuForm::FormShow()
{
    for (QPushButton *entry : {StuffWeekBookBtn, Button2, UserWeekBookBtn, AttendButton, UserAttend, DayAttend,
                               Button1}) {
        const auto form = reinterpret_cast<FormOf>(entry->property("formOf").value<quintptr>());
        entry->setEnabled(form && form());
    }
}
