#include "plansui/FigureArea.h"

#include "plans/BodyArtwork.h"
#include "plans/FigurePainting.h"
#include "plansui/FigurePanel.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

FigureArea::FigureArea(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FigureArea"));
    const auto chosen = [this] {
        return FigureModel::Kind(qMax(0, m_kinds->checkedId()));
    };
    m_front = new FigurePanel(m_model, FigureModel::Front, chosen, this);
    m_back = new FigurePanel(m_model, FigureModel::Back, chosen, this);
    m_front->move(FigurePainting::panelOrigin(FigureModel::Front));
    m_back->move(FigurePainting::panelOrigin(FigureModel::Back));
    const int buttonsTop = m_front->height() + 4;
    FrontClearBtn = new QPushButton(QStringLiteral("ク リ ア"), this);
    FrontClearBtn->setObjectName(QStringLiteral("FrontClearBtn"));
    FrontClearBtn->setGeometry(m_front->x() + 20, buttonsTop, m_front->width() - 40, 24);
    BackClearBtn = new QPushButton(QStringLiteral("ク リ ア"), this);
    BackClearBtn->setObjectName(QStringLiteral("BackClearBtn"));
    BackClearBtn->setGeometry(m_back->x() + 20, buttonsTop, m_back->width() - 40, 24);

    const int right = m_back->x() + m_back->width() + 8;
    ShogaiKubun = new QGroupBox(QStringLiteral("障害区分"), this);
    ShogaiKubun->setObjectName(QStringLiteral("ShogaiKubun"));
    ShogaiKubun->setGeometry(right, 0, 160, 124);
    m_kinds = new QButtonGroup(this);
    const QString items[] = {QStringLiteral("関節可動域の制限"), QStringLiteral("筋力の低下"), QStringLiteral("痛み"),
                             QStringLiteral("麻痺")};
    for (int i = 0; i < 4; ++i) {
        auto *item = new QRadioButton(items[i], ShogaiKubun);
        item->setGeometry(10, 22 + i * 24, 146, 22);
        m_kinds->addButton(item, i);
    }
    m_kinds->button(0)->setChecked(true);

    auto *legend = new QLabel(this);
    legend->setObjectName(QStringLiteral("Legend"));
    const QPixmap picture = BodyArtwork::legend();
    legend->setPixmap(picture);
    legend->setGeometry(right + 4, 136, picture.width(), picture.height());
    legend->setFrameShape(QFrame::Box);
    legend->resize(picture.width() + 2, picture.height() + 2);

    setFixedSize(right + 164, buttonsTop + 26);

    for (FigurePanel *side : {m_front, m_back})
        connect(side, &FigurePanel::changed, this, &FigureArea::changed);
    connect(FrontClearBtn, &QPushButton::clicked, this, [this] {
        clearSide(FigureModel::Front);
        emit frontCleared();
    });
    connect(BackClearBtn, &QPushButton::clicked, this, [this] { clearSide(FigureModel::Back); });
}

FigurePanel *FigureArea::panel(FigureModel::Side side) const
{
    return side == FigureModel::Front ? m_front : m_back;
}

void FigureArea::clearSide(FigureModel::Side side)
{
    m_model.clear(side);
    panel(side)->refresh();
    emit changed();
}

void FigureArea::clearAll()
{
    m_model.clearAll();
    m_model.resetDrag();
    m_front->refresh();
    m_back->refresh();
}

void FigureArea::load(const std::vector<FigureRow> &rows)
{
    m_model.load(rows);
    m_front->refresh();
    m_back->refresh();
}

QImage FigureArea::paintedFigures() const
{
    return FigurePainting::paint(m_model);
}
