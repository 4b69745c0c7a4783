#include "coreui/KanaFromReading.h"

#include "core/ImeComposition.h"

#include <QEvent>
#include <QLineEdit>

KanaFromReading::KanaFromReading(QLineEdit *name, QLineEdit *kana) : QObject(name), m_name(name), m_kana(kana)
{
    ImeComposition::watch(name);
    name->installEventFilter(this);
}

void KanaFromReading::link(QLineEdit *name, QLineEdit *kana)
{
    new KanaFromReading(name, kana);
}

bool KanaFromReading::eventFilter(QObject *watched, QEvent *event)
{
    if (m_enter.isEnterRelease(watched, event)) {
        m_kana->setText(m_kana->text() + GetImeComposition(m_name) + u' ');
    } else if (watched == m_name && event->type() == QEvent::FocusOut) {
        const QString kana = m_kana->text();
        if (kana.endsWith(u' '))
            m_kana->setText(kana.chopped(1));
    }
    return QObject::eventFilter(watched, event);
}
