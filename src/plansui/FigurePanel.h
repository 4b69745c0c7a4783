#pragma once

#include "plans/FigureModel.h"

#include <QFrame>

#include <array>
#include <functional>
#include <map>

class QLabel;
class TRihaShape;

// One body figure (front or back) with its overlays and marks: a thin view
// of a FigureModel side. Every mouse event on the picture, an overlay or a
// mark goes to the model with the pointer in the picture's coordinates.
class FigurePanel : public QFrame
{
    Q_OBJECT

public:
    FigurePanel(FigureModel &model, FigureModel::Side side, std::function<FigureModel::Kind()> chosenKind,
                QWidget *parent = nullptr);

    // Shows what the model holds: its marks (made, moved or removed) and overlays.
    void refresh();

    [[nodiscard]] QLabel *picture() const { return m_picture; }
    [[nodiscard]] QLabel *overlayImage(FigureModel::Corner corner) const { return m_overlays[corner]; }
    // The mark widget of that name, or nullptr.
    [[nodiscard]] TRihaShape *markShape(const QString &name) const;

signals:
    // The user changed the figure.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *widget);

    FigureModel &m_model;
    FigureModel::Side m_side;
    std::function<FigureModel::Kind()> m_chosenKind;
    QLabel *m_picture = nullptr;
    std::array<QLabel *, 4> m_overlays{};
    std::map<QString, TRihaShape *> m_marks;
};
