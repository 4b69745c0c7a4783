#include "coreui/PhraseCellBox.h"

#include <QAbstractItemView>

PhraseCellBox::PhraseCellBox(QWidget *parent, const QModelIndex &cell, std::function<QStringList()> phrases)
    : PhraseComboBox(parent), m_view(parent ? qobject_cast<QAbstractItemView *>(parent->parentWidget()) : nullptr),
      m_cell(cell), m_phrases(std::move(phrases))
{
    setPhrases(m_phrases());
    // Not inside the double click's own handling: the box dies in the modal
    // loop, and the event would then go on to it.
    connect(this, &PhraseComboBox::doubleClicked, this, &PhraseCellBox::editPhrasesOfCell, Qt::QueuedConnection);
}

void PhraseCellBox::editPhrasesOfCell()
{
    // The box may be gone when the editor returns: keep what is needed.
    const QPointer<PhraseCellBox> box(this);
    const QPointer<QAbstractItemView> view = m_view;
    const QPersistentModelIndex cell = m_cell;
    const std::function<QStringList()> phrases = m_phrases;
    emit phrasesRequested();
    if (box && box->isVisible()) {
        box->setPhrases(phrases());
        return;
    }
    if (view && view->isVisible() && cell.isValid())
        view->edit(cell);
}
