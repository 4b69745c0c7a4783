#pragma once

#include "plansui/PracticePage.h"

#include <optional>

class EraLineEdit;
class PracticeGrid;
class QLabel;

// Page (１) of the practice plan: the user's header and plan day, the state
// of the user, the two evaluation tables and their approaches.
class PracticeStatePage : public PracticePage
{
    Q_OBJECT

public:
    static const QStringList Grid1Names;
    static const QStringList Grid2Names;

    explicit PracticeStatePage(QWidget *parent = nullptr);

    void clear() override;
    void showRecord(const TPractice &record) override;
    [[nodiscard]] bool collect(TPractice &record, const Check &check) const override;
    [[nodiscard]] bool isModified() const override;
    void clearModified() override;

    // The header: plan day, name, sex, birth, age and care level.
    void showHeader(const TPractice &record);
    void showAge(int old);

    EraLineEdit *PlanDateEdit = nullptr;
    QLabel *UserNameLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *OldLabel = nullptr;
    QLabel *KaigodoLabel = nullptr;
    QPlainTextEdit *KenkouMemo = nullptr;
    QLineEdit *HDSEdit = nullptr;
    PracticeGrid *Grid1 = nullptr;
    PracticeGrid *Grid2 = nullptr;

private:
    QWidget *buildHeader();
    QWidget *buildState();
    QWidget *buildTable(PracticeGrid *grid, const QString &suffix, QString TPractice::*ptotst,
                        QString TPractice::*kango, QString TPractice::*jitchi);
};
