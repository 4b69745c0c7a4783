#include "coreui/EditActions.h"

#include "coreui/EraLineEdit.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>

#include <functional>

namespace {

QAction *addAction(QWidget *owner, const QString &name, const QString &caption, QKeySequence::StandardKey key)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(name);
    action->setShortcut(key);
    // The inputs take these keys themselves; the shortcuts are shown in the menu only.
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

} // namespace

EditActions::EditActions(QWidget *owner, QWidget *scope) : m_scope(scope)
{
    Copy = addAction(owner, QStringLiteral("EditCopy"), QStringLiteral("コピー(&C)"), QKeySequence::Copy);
    Cut = addAction(owner, QStringLiteral("EditCut"), QStringLiteral("切り取り(&T)"), QKeySequence::Cut);
    Paste = addAction(owner, QStringLiteral("EditPaste"), QStringLiteral("貼り付け(&P)"), QKeySequence::Paste);
    const auto onFocused = [this](QAction *action, const std::function<void(QLineEdit *)> &edit) {
        connect(action, &QAction::triggered, this, [this, edit] {
            if (QLineEdit *input = focusedInput())
                edit(input);
        });
    };
    onFocused(Copy, [](QLineEdit *input) { input->copy(); });
    onFocused(Cut, [](QLineEdit *input) {
        if (auto *era = qobject_cast<EraLineEdit *>(input))
            era->cutWhole();
        else
            input->cut();
    });
    onFocused(Paste, [](QLineEdit *input) { input->paste(); });
    connect(qApp, &QApplication::focusChanged, this, &EditActions::update);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditActions::update);
}

EditActions::~EditActions()
{
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

void EditActions::watch(QLineEdit *input)
{
    connect(input, &QLineEdit::selectionChanged, this, &EditActions::update);
}

QLineEdit *EditActions::focusedInput() const
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !m_scope->isAncestorOf(focus))
        return nullptr;
    QLineEdit *input = qobject_cast<QLineEdit *>(focus);
    if (auto *list = qobject_cast<QComboBox *>(focus))
        input = list->lineEdit();
    // The text of a date picker is its own.
    if (!input || qobject_cast<QAbstractSpinBox *>(input->parentWidget()))
        return nullptr;
    return input;
}

void EditActions::update()
{
    const QLineEdit *input = focusedInput();
    // An era-date input changes only key by key through its entry machine,
    // or is emptied by cutting its whole text.
    const auto *era = qobject_cast<const EraLineEdit *>(input);
    const bool editable = input && !input->isReadOnly() && !era;
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    Copy->setEnabled(input && input->hasSelectedText());
    Cut->setEnabled((editable && input->hasSelectedText()) || (era && era->wholeSelected()));
    Paste->setEnabled(editable && clipboard && clipboard->hasText());
}
