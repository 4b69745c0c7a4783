#include "coreui/PhraseCellBox.h"

#include <QAbstractItemView>
#include <QMouseEvent>

namespace {

const QString WatchName = QStringLiteral("PhraseCellDoubleClicks");

// The view opens a cell's box at the first click of a double click only
// when that click moves the current cell. On the current cell the box
// opens with the double click itself, which then lands on the view, not on
// the box: it is handed on to the box once the view has opened it.
class DoubleClickWatch : public QObject
{
public:
    explicit DoubleClickWatch(QAbstractItemView *view) : QObject(view->viewport()), m_view(view)
    {
        setObjectName(WatchName);
        view->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonDblClick)
            return false;
        const QPersistentModelIndex cell = m_view->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (cell.isValid())
            QMetaObject::invokeMethod(
                this,
                [this, cell] {
                    if (auto *box = qobject_cast<PhraseCellBox *>(m_view->indexWidget(cell)))
                        emit box->doubleClicked();
                },
                Qt::QueuedConnection);
        return false;
    }

private:
    QAbstractItemView *m_view;
};

} // namespace

PhraseCellBox::PhraseCellBox(QWidget *parent, const QModelIndex &cell, std::function<QStringList()> phrases)
    : PhraseComboBox(parent), m_view(parent ? qobject_cast<QAbstractItemView *>(parent->parentWidget()) : nullptr),
      m_cell(cell), m_phrases(std::move(phrases))
{
    setPhrases(m_phrases());
    if (m_view && !m_view->viewport()->findChild<QObject *>(WatchName, Qt::FindDirectChildrenOnly))
        new DoubleClickWatch(m_view);
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
