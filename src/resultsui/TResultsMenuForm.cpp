#include "resultsui/TResultsMenuForm.h"

#include "coreui/TMainForm.h"
#include "resultsui/TDailyMedicalRecordForm.h"
#include "resultsui/TPersonMedicalRecordForm.h"
#include "resultsui/TResultSheetForm.h"

#include <QPushButton>

TResultsMenuForm *ResultsMenuForm = nullptr;

TResultsMenuForm::TResultsMenuForm(AppContext &context, QWidget *parent)
    : MenuWindow(context, [] { return static_cast<QWidget *>(MainForm); }, -1, 0, parent)
{
    setObjectName(QStringLiteral("ResultsMenuForm"));
    setWindowTitle(QStringLiteral("実績管理メニュー"));
    resize(640, 480);
    MainPanel->setFixedSize(300, 330);
    QFont font = this->font();
    font.setPixelSize(16);
    const auto button = [this, &font](const char *name, const QString &caption, int top) {
        auto *b = new QPushButton(caption, MainPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setFont(font);
        b->setGeometry(30, top, 240, 60);
        return b;
    };
    Button3 = button("Button3", QStringLiteral(" 治療実績登録"), 20);
    // Two-line captions: the push button breaks its caption at the line break.
    TreatmentBtn = button("TreatmentBtn", QStringLiteral("治療実績入力\n（個人）"), 95);
    TreatmentDayBtn = button("TreatmentDayBtn", QStringLiteral("治療実績入力\n（日別）"), 170);
    Button2 = button("Button2", QStringLiteral("戻る"), 250);
    connect(Button3, &QPushButton::clicked, this, [] {
        if (ResultSheetForm)
            ResultSheetForm->show();
    });
    connect(TreatmentBtn, &QPushButton::clicked, this, [] {
        if (PersonMedicalRecordForm)
            PersonMedicalRecordForm->show();
    });
    connect(TreatmentDayBtn, &QPushButton::clicked, this, [] {
        if (DailyMedicalRecordForm)
            DailyMedicalRecordForm->show();
    });
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
}
