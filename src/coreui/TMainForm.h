#pragma once

#include "coreui/Artwork.h"

#include <QWidget>

#include <map>

class QPushButton;
class TilePanel;
struct AppContext;

// The main window with its six tiles. Closing it ends the program.
class TMainForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMainForm(AppContext &context, QWidget *parent = nullptr);

    // The form that a tile opens (shown non-modally). A tile without a form
    // stays disabled.
    void SetTileForm(Artwork::Tile tile, QWidget *form);
    [[nodiscard]] TilePanel *tilePanel(Artwork::Tile tile) const;

    // The window-state rule of every menu and work form: maximised when the
    // setting says "wsMaximized", normal otherwise; a normal form is centred
    // on the window it was opened from (the main window when none is given)
    // and lies whole on the main window's screen.
    static void ApplyWindowState(QWidget *form, const QString &winState, const QWidget *opener = nullptr);
    // Centres a panel in its parent's client area; the offset goes negative
    // when the client area is the smaller.
    static void CentrePanel(QWidget *panel);

    QWidget *MainPanel = nullptr;
    QPushButton *CloseBtn = nullptr;

signals:
    // The window closed: the program's shutdown begins.
    void Closed();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setTilesEnabled(bool enabled);

    AppContext &m_context;
    std::map<Artwork::Tile, TilePanel *> m_tiles;
    std::map<Artwork::Tile, QWidget *> m_tileForms;
};

extern TMainForm *MainForm;
