#pragma once

#include "coreui/PhraseComboBox.h"

#include <QPersistentModelIndex>
#include <QPointer>

#include <functional>

class QAbstractItemView;

// The stock-phrase box that edits one cell of an item view. A double click,
// in the box or on its cell, asks for the phrase editor, which runs modally
// once the click has been handled. The view closes and
// deletes the box while that runs (the focus leaves it); the box is then not
// touched again, and the cell is edited anew with a box holding the phrases
// as they are now.
class PhraseCellBox : public PhraseComboBox
{
    Q_OBJECT

public:
    // parent is the view's viewport, as createEditor gets it.
    PhraseCellBox(QWidget *parent, const QModelIndex &cell, std::function<QStringList()> phrases);

signals:
    // The phrase editor of the box's group is to run now.
    void phrasesRequested();

private:
    void editPhrasesOfCell();

    QPointer<QAbstractItemView> m_view;
    QPersistentModelIndex m_cell;
    std::function<QStringList()> m_phrases;
};
