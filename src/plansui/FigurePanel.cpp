#include "plansui/FigurePanel.h"

#include "coreui/TRihaShape.h"
#include "plans/BodyArtwork.h"
#include "plans/FigureMarkStyle.h"
#include "plans/FigurePainting.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

FigureModel::Button buttonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return FigureModel::Button::Left;
    case Qt::RightButton:
        return FigureModel::Button::Right;
    default:
        return FigureModel::Button::Other;
    }
}

} // namespace

FigurePanel::FigurePanel(FigureModel &model, FigureModel::Side side, std::function<FigureModel::Kind()> chosenKind,
                         QWidget *parent)
    : QFrame(parent), m_model(model), m_side(side), m_chosenKind(std::move(chosenKind))
{
    const bool front = side == FigureModel::Front;
    setObjectName(front ? QStringLiteral("FrontPanel") : QStringLiteral("BackPanel"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setFixedSize(FigurePainting::panelSize(side));

    m_picture = new QLabel(this);
    m_picture->setObjectName(front ? QStringLiteral("FrontImage") : QStringLiteral("BackImage"));
    m_picture->setPixmap(BodyArtwork::body(side));
    m_picture->setGeometry(QRect(FigurePainting::PictureOffset, BodyArtwork::size(side)));
    watch(m_picture);

    const QString names[] = {QStringLiteral("RTImage"), QStringLiteral("RDImage"), QStringLiteral("LDImage"),
                             QStringLiteral("LTImage")};
    for (int corner = 0; corner < 4; ++corner) {
        auto *overlay = new QLabel(this);
        overlay->setObjectName((front ? QStringLiteral("M") : QStringLiteral("B")) + names[corner]);
        overlay->setPixmap(BodyArtwork::overlay(side, FigureModel::Corner(corner)));
        overlay->setGeometry(m_picture->geometry());
        overlay->setAttribute(Qt::WA_TranslucentBackground);
        overlay->hide();
        watch(overlay);
        m_overlays[size_t(corner)] = overlay;
    }
}

void FigurePanel::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

TRihaShape *FigurePanel::markShape(const QString &name) const
{
    const auto it = m_marks.find(name);
    return it == m_marks.end() ? nullptr : it->second;
}

void FigurePanel::refresh()
{
    for (int corner = 0; corner < 4; ++corner)
        m_overlays[size_t(corner)]->setVisible(m_model.overlayVisible(m_side, FigureModel::Corner(corner)));

    std::map<QString, TRihaShape *> kept;
    for (FigureModel::Kind kind : {FigureModel::Joint, FigureModel::Muscle, FigureModel::Pain}) {
        const FigureMarkStyle::Look look = FigureMarkStyle::look(kind);
        for (const FigureModel::Mark &mark : m_model.marks(m_side, kind)) {
            TRihaShape *shape = markShape(mark.name);
            if (!shape) {
                shape = new TRihaShape(this);
                shape->setObjectName(mark.name);
                shape->resize(FigureModel::MarkSize, FigureModel::MarkSize);
                shape->setCursor(Qt::PointingHandCursor);
                shape->SetShape(look.shape);
                shape->SetBrush(look.brush);
                watch(shape);
            }
            m_marks.erase(mark.name);
            shape->SetPen(mark.name == m_model.draggedName() ? FigureMarkStyle::dragPen() : look.pen);
            shape->move(mark.topLeft);
            shape->show();
            shape->raise();
            kept[mark.name] = shape;
        }
    }
    // A mark removed while it holds the mouse goes once its event is over.
    for (auto &[name, shape] : m_marks) {
        shape->hide();
        shape->deleteLater();
    }
    m_marks = std::move(kept);
}

bool FigurePanel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QFrame::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    auto *shape = qobject_cast<TRihaShape *>(watched);
    const QString markName = shape ? shape->objectName() : QString();
    const QPoint pointer = m_picture->mapFromGlobal(mouse->globalPosition().toPoint());
    bool changedFigure = false;
    if (type == QEvent::MouseButtonPress) {
        m_model.press(buttonOf(mouse->button()), markName, pointer);
    } else if (type == QEvent::MouseMove) {
        changedFigure = m_model.move(markName, pointer);
    } else {
        const bool shiftOnly = (mouse->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
        changedFigure =
            m_model.release(m_side, buttonOf(mouse->button()), shiftOnly, markName, pointer, m_chosenKind());
    }
    refresh();
    if (changedFigure)
        emit changed();
    return true;
}
