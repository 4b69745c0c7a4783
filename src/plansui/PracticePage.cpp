#include "plansui/PracticePage.h"

#include <algorithm>

#include "plans/PlanRules.h"
#include "plansui/PlanMemoText.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>

namespace {

QString textOf(const QWidget *control)
{
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(control))
        return PlanMemoText::stored(memo);
    return static_cast<const QLineEdit *>(control)->text();
}

} // namespace

PracticePage::PracticePage(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

QPlainTextEdit *PracticePage::addMemo(const QString &name, QString TPractice::*field, int limitBytes, int phraseCode)
{
    auto *memo = new QPlainTextEdit(this);
    memo->setObjectName(name);
    memo->viewport()->installEventFilter(this);
    m_texts.push_back({memo, field, limitBytes, phraseCode});
    return memo;
}

QLineEdit *PracticePage::addEdit(const QString &name, QString TPractice::*field, int limitBytes, int phraseCode)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->installEventFilter(this);
    m_texts.push_back({edit, field, limitBytes, phraseCode});
    return edit;
}

QCheckBox *PracticePage::addBox(const QString &name, const QString &caption, bool TPractice::*field)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(name);
    connect(box, &QCheckBox::clicked, this, &PracticePage::changed);
    m_boxes.emplace_back(box, field);
    return box;
}

QWidget *PracticePage::caption(const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("QLabel { background: #e8eef4; border: 1px solid #a0a0a0; padding: 2px; }"));
    return label;
}

std::optional<QString> PracticePage::overLimit(const QString &text, int limitBytes)
{
    return PlanRules::checkLength(text, limitBytes, PlanRules::LimitText::Input);
}

void PracticePage::clear()
{
    for (const TextField &text : m_texts) {
        if (auto *memo = qobject_cast<QPlainTextEdit *>(text.control))
            memo->clear();
        else
            static_cast<QLineEdit *>(text.control)->clear();
    }
    for (const auto &[box, field] : m_boxes)
        box->setChecked(false);
}

void PracticePage::showRecord(const TPractice &record)
{
    for (const TextField &text : m_texts) {
        if (auto *memo = qobject_cast<QPlainTextEdit *>(text.control))
            PlanMemoText::show(memo, record.*text.field);
        else
            static_cast<QLineEdit *>(text.control)->setText(record.*text.field);
    }
    for (const auto &[box, field] : m_boxes)
        box->setChecked(record.*field);
}

bool PracticePage::collect(TPractice &record, const Check &check) const
{
    for (const TextField &text : m_texts) {
        const QString value = textOf(text.control);
        if (!check(text.control, overLimit(value, text.limitBytes)))
            return false;
        record.*text.field = value;
    }
    for (const auto &[box, field] : m_boxes)
        record.*field = box->isChecked();
    return true;
}

bool PracticePage::isModified() const
{
    return std::any_of(m_texts.begin(), m_texts.end(), [](const TextField &text) {
        if (auto *memo = qobject_cast<QPlainTextEdit *>(text.control))
            return memo->document()->isModified();
        return static_cast<QLineEdit *>(text.control)->isModified();
    });
}

void PracticePage::clearModified()
{
    for (const TextField &text : m_texts) {
        if (auto *memo = qobject_cast<QPlainTextEdit *>(text.control))
            memo->document()->setModified(false);
        else
            static_cast<QLineEdit *>(text.control)->setModified(false);
    }
}

bool PracticePage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (const TextField &text : m_texts) {
            const auto *memo = qobject_cast<QPlainTextEdit *>(text.control);
            if (text.phraseCode >= 0 && (watched == text.control || (memo && watched == memo->viewport()))) {
                emit phraseRequested(text.phraseCode);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
