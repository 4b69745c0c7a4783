#include "core/ImeComposition.h"

#include "core/KanaConversion.h"

#include <QEvent>
#include <QInputMethodEvent>

#include <algorithm>

namespace {

bool isKana(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsKanaChar);
}

} // namespace

ImeComposition::ImeComposition(QObject *input) : QObject(input)
{
    input->installEventFilter(this);
}

ImeComposition *ImeComposition::watch(QObject *input)
{
    if (ImeComposition *existing = of(input))
        return existing;
    return new ImeComposition(input);
}

ImeComposition *ImeComposition::of(const QObject *input)
{
    return input ? input->findChild<ImeComposition *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool ImeComposition::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethod) {
        const auto *ime = static_cast<const QInputMethodEvent *>(event);
        const QString commit = ime->commitString();
        const QString preedit = ime->preeditString();
        if (!commit.isEmpty()) {
            // Kana committed without a conversion is its own reading.
            const QString reading = m_pending.isEmpty() && isKana(commit) ? commit : m_pending;
            m_reading = ToHalfWidthKana(reading);
            m_pending.clear();
        }
        // Once converted the pre-edit shows kanji, and the kana typed before
        // stays the reading; an emptied pre-edit without a commit is a
        // cancelled composition.
        if (isKana(preedit))
            m_pending = preedit;
        else if (preedit.isEmpty() && commit.isEmpty())
            m_pending.clear();
    }
    return QObject::eventFilter(watched, event);
}

QString GetImeComposition(const QObject *input)
{
    const ImeComposition *watcher = ImeComposition::of(input);
    return watcher ? watcher->reading() : QString();
}
