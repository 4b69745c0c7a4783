#pragma once

#include "plans/PlanRules.h"
#include "plans/TPlan.h"

#include <QWidget>

#include <array>
#include <functional>
#include <span>
#include <vector>

class EraLineEdit;
class FigureArea;
class PhraseComboBox;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;

// The plan panel of the treatment plan editor: every control of a plan,
// copied from and into a TPlan, with the validation of the save and print
// commands and the modified state.
class RihaPlanPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr QStringView PhraseProgram = u"CurePlan";

    explicit RihaPlanPanel(QWidget *parent = nullptr);

    // The blank plan: empty dates (pickers on today), no marks, the first
    // item of every list but the three senses on "問題無", empty texts.
    void showBlank();
    // The user's part of the plan: number, name, sex, birth, form,
    // categories, degrees (the circles) and diseases.
    void showHeader(const TPlan &plan);
    // Header, dates, lists, remarks and memos of a stored plan.
    void showPlan(const TPlan &plan);
    // Validates and copies the controls into the plan, step by step; the
    // first failure shows its message, takes the focus and gives false.
    [[nodiscard]] bool collect(TPlan &plan);

    // Changed since the last clearModified(): a list, remark, check box,
    // date, mark or memo.
    [[nodiscard]] bool isModified() const;
    void clearModified();

    // The phrase codes of the remark lists, and the lists of a code.
    [[nodiscard]] std::vector<int> phraseCodes() const;
    void setPhrases(int code, const QStringList &phrases);

    EraLineEdit *PlanRegistDay = nullptr;
    EraLineEdit *PlanStopDay = nullptr;
    QDateEdit *RegistDatePicker = nullptr;
    QDateEdit *EndDatePicker = nullptr;
    QLabel *CureNoLabel = nullptr;
    QLabel *NameLabel = nullptr;
    QLabel *SexLabel = nullptr;
    QLabel *BirthLabel = nullptr;
    QLabel *RihaTypeLabel = nullptr;
    QLabel *KubunLabel = nullptr;
    std::array<QLabel *, 6> ShikanLabel{};
    QLabel *JiritsuCircle = nullptr;
    QLabel *NinchiCircle = nullptr;
    QLabel *YoukaigoCircle = nullptr;
    QPlainTextEdit *EtcMemo = nullptr;
    QPlainTextEdit *Sonota = nullptr;
    QPlainTextEdit *DrMemo = nullptr;
    FigureArea *Figures = nullptr;

signals:
    // A double click on a remark list of that code.
    void phraseEditorRequested(int code);
    // A double click on a memo of that code.
    void memoPhrasesRequested(int code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Choice
    {
        QComboBox *box;
        qint32 TPlanData::*field;
    };
    struct Remark
    {
        PhraseComboBox *box;
        std::function<QString &(TPlanData &)> field;
        int limit;
        PlanRules::LimitText wording;
        int code;
    };
    struct Memo
    {
        QPlainTextEdit *memo;
        QString TPlanData::*field;
        int limit;
        int code;
    };
    struct Flag
    {
        QCheckBox *box;
        bool TPlanData::*field;
    };

    void buildHeader();
    void buildImpairments();
    void buildBehaviour();
    void buildDailyLiving();
    void buildLines();
    void buildMemos();
    QComboBox *addChoice(const QString &name, const QRect &geometry, std::span<const QStringView> names,
                         qint32 TPlanData::*field, std::vector<Choice> &group);
    PhraseComboBox *addRemark(const QString &name, const QRect &geometry, std::function<QString &(TPlanData &)> field,
                              int limit, PlanRules::LimitText wording, int code, std::vector<Remark> &group);
    QPlainTextEdit *addMemo(const QString &name, const QRect &geometry, QString TPlanData::*field, int limit,
                            int code);
    void markModified();
    void setDates(TDateTime regist, TDateTime end);
    void registDayEntered();
    void stopDayEntered();

    [[nodiscard]] bool collectDates(TPlan &plan);
    [[nodiscard]] bool collectRemarks(const std::vector<Remark> &remarks, TPlanData &data);
    [[nodiscard]] bool collectMemo(const Memo &memo, TPlanData &data);
    static void storeChoices(const std::vector<Choice> &choices, TPlanData &data);

    std::vector<Choice> m_impairmentChoices;
    std::vector<Choice> m_speechChoices;
    std::vector<Choice> m_dailyChoices;
    std::vector<Remark> m_impairmentRemarks;
    std::vector<Remark> m_speechRemarks;
    std::vector<Remark> m_dailyRemarks;
    std::vector<Remark> m_lineRemarks;
    std::vector<Memo> m_memos; // EtcMemo, Sonota, DrMemo
    std::vector<Flag> m_flags;
    bool m_modified = false;
    int m_loading = 0; // > 0 while the controls are filled by the program
};
