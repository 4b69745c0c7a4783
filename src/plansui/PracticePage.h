#pragma once

#include "plans/TPractice.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// A page of the practice plan editor: a white panel whose text controls,
// check boxes and lists are each bound to a field of the record. A text
// control reports the user's edits as its modified state; a double click on
// one with a phrase code asks for the phrase picker of that code.
class PracticePage : public QWidget
{
    Q_OBJECT

public:
    // Passes a control whose text was not refused; shows the refusal's
    // message, focuses the control and returns false otherwise.
    using Check = std::function<bool(QWidget *control, const std::optional<QString> &refusal)>;
    // The refusal of a text over its limit in bytes.
    [[nodiscard]] static std::optional<QString> overLimit(const QString &text, int limitBytes);

    explicit PracticePage(QWidget *parent = nullptr);

    virtual void clear();
    virtual void showRecord(const TPractice &record);
    // Copies the controls into the record; false at the first refusal.
    [[nodiscard]] virtual bool collect(TPractice &record, const Check &check) const;
    [[nodiscard]] virtual bool isModified() const;
    virtual void clearModified();

signals:
    // A check box or list was changed by the user.
    void changed();
    void phraseRequested(int code);

protected:
    QPlainTextEdit *addMemo(const QString &name, QString TPractice::*field, int limitBytes, int phraseCode);
    QLineEdit *addEdit(const QString &name, QString TPractice::*field, int limitBytes, int phraseCode);
    QCheckBox *addBox(const QString &name, const QString &caption, bool TPractice::*field);
    // A caption label in the page's style.
    QWidget *caption(const QString &text);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TextField
    {
        QWidget *control;
        QString TPractice::*field;
        int limitBytes;
        int phraseCode; // -1: none
    };

    std::vector<TextField> m_texts;
    std::vector<std::pair<QCheckBox *, bool TPractice::*>> m_boxes;
};
