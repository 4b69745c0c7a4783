#include "coreui/TMainForm.h"

#include "core/AppContext.h"
#include "coreui/TilePanel.h"
#include "coreui/WindowPlacement.h"

#include <QCloseEvent>
#include <QPushButton>

TMainForm *MainForm = nullptr;

namespace {

struct TileLayout
{
    Artwork::Tile tile;
    const char16_t *panel;
    const char16_t *picture;
    const char16_t *caption;
    QColor colour;
    QPoint position;
};

// Two columns of three; the captions' colours are those of the classic
// sixteen-colour palette.
const TileLayout tileLayouts[] = {
    {Artwork::Tile::UserRegist, u"UserRegBtn", u"Image2", u"利用者登録", QColor(0x00, 0xff, 0xff), {56, 40}},
    {Artwork::Tile::Paper, u"PaperBtn", u"Image1", u"書卓", QColor(0xff, 0xff, 0xff), {56, 195}},
    {Artwork::Tile::Schedule, u"ScheduleBtn", u"Image3", u"スケジュール", QColor(0x00, 0x00, 0x80), {56, 350}},
    {Artwork::Tile::Results, u"ResultsManagerBtn", u"Image6", u"実績管理", QColor(0xff, 0x00, 0xff), {280, 40}},
    {Artwork::Tile::Print, u"PrintBtn", u"Image4", u"印刷", QColor(0xff, 0xff, 0x00), {280, 195}},
    {Artwork::Tile::System, u"InfoConnectBtn", u"Image5", u"システム設定", QColor(0x00, 0xff, 0x00), {280, 350}},
};

} // namespace

TMainForm::TMainForm(AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("リハビリ支援システム"));
    resize(800, 680);

    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(545, 585);

    for (const TileLayout &layout : tileLayouts) {
        auto *tile =
            new TilePanel(QString::fromUtf16(layout.panel), QString::fromUtf16(layout.picture),
                          Artwork::tile(layout.tile), QString::fromUtf16(layout.caption), layout.colour, MainPanel);
        tile->move(layout.position);
        connect(tile, &TilePanel::clicked, this, [this, kind = layout.tile] {
            const auto form = m_tileForms.find(kind);
            if (form != m_tileForms.end() && form->second)
                form->second->show();
        });
        m_tiles[layout.tile] = tile;
    }

    CloseBtn = new QPushButton(QStringLiteral("終了"), MainPanel);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(60, 508, 425, 57);
    QFont bold = CloseBtn->font();
    bold.setBold(true);
    CloseBtn->setFont(bold);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);

    setTilesEnabled(false);
    ApplyWindowState(this, m_context.winState());
}

void TMainForm::SetTileForm(Artwork::Tile tile, QWidget *form)
{
    m_tileForms[tile] = form;
    m_tiles.at(tile)->setEnabled(isVisible() && form != nullptr);
}

TilePanel *TMainForm::tilePanel(Artwork::Tile tile) const
{
    return m_tiles.at(tile);
}

void TMainForm::ApplyWindowState(QWidget *form, const QString &winState, const QWidget *opener)
{
    WindowPlacement::apply(form, winState, opener ? opener : MainForm);
}

void TMainForm::CentrePanel(QWidget *panel)
{
    const QWidget *client = panel->parentWidget();
    panel->move((client->width() - panel->width()) / 2, (client->height() - panel->height()) / 2);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ApplyWindowState(this, m_context.winState());
    CentrePanel(MainPanel);
    setTilesEnabled(true);
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    CentrePanel(MainPanel);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

void TMainForm::setTilesEnabled(bool enabled)
{
    for (const auto &[kind, tile] : m_tiles) {
        const auto form = m_tileForms.find(kind);
        tile->setEnabled(enabled && form != m_tileForms.end() && form->second != nullptr);
    }
}
