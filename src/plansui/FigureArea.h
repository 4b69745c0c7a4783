#pragma once

#include "plans/FigureModel.h"

#include <QImage>
#include <QWidget>

class FigurePanel;
class QButtonGroup;
class QGroupBox;
class QPushButton;

// The body-figure area of the plan editor: front and back figures side by
// side with their clear buttons, the mark kind chooser and the legend.
class FigureArea : public QWidget
{
    Q_OBJECT

public:
    explicit FigureArea(QWidget *parent = nullptr);

    [[nodiscard]] FigureModel &model() { return m_model; }
    [[nodiscard]] FigurePanel *panel(FigureModel::Side side) const;

    // Both sides empty, names restarting at 0.
    void clearAll();
    // The stored rows made into marks and overlays again.
    void load(const std::vector<FigureRow> &rows);
    // The two figures with their marks and overlays, as the printout takes them.
    [[nodiscard]] QImage paintedFigures() const;

    QGroupBox *ShogaiKubun = nullptr;
    QPushButton *FrontClearBtn = nullptr;
    QPushButton *BackClearBtn = nullptr;

signals:
    // The user changed a mark or an overlay, or cleared a side.
    void changed();
    // The front clear button was used.
    void frontCleared();

private:
    void clearSide(FigureModel::Side side);

    FigureModel m_model;
    QButtonGroup *m_kinds = nullptr;
    FigurePanel *m_front = nullptr;
    FigurePanel *m_back = nullptr;
};
