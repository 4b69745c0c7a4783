#include "plansui/ClipboardMenu.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace ClipboardMenu {

void add(QMenuBar *bar)
{
    QMenu *edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    const auto editAction = [&](const QString &caption, const QKeySequence &keys, auto apply) {
        QAction *action = edit->addAction(caption);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(action, &QAction::triggered, edit, [apply] {
            QWidget *focus = QApplication::focusWidget();
            if (auto *line = qobject_cast<QLineEdit *>(focus))
                apply(line);
            else if (auto *memo = qobject_cast<QPlainTextEdit *>(focus))
                apply(memo);
        });
    };
    editAction(QStringLiteral("切り取り(&T)"), QKeySequence::Cut, [](auto *input) { input->cut(); });
    editAction(QStringLiteral("コピー(&C)"), QKeySequence::Copy, [](auto *input) { input->copy(); });
    editAction(QStringLiteral("貼り付け(&P)"), QKeySequence::Paste, [](auto *input) { input->paste(); });
}

} // namespace ClipboardMenu
