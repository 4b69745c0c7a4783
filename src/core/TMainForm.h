#pragma once

#include "core/Artwork.h"

#include <QWidget>

#include <map>
#include <memory>

class QPushButton;
class TDBSeting;
class TRegistory;
class TilePanel;

// The main window with its six tiles. It owns the two settings objects and
// holds the process-wide date settings while the program runs.
class TMainForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The form that a tile opens (shown non-modally). A tile without a form
    // stays disabled.
    void SetTileForm(Artwork::Tile tile, QWidget *form);
    [[nodiscard]] TilePanel *tilePanel(Artwork::Tile tile) const;

    // The window-state rule of every menu and work form: maximised when the
    // setting says "wsMaximized", normal otherwise.
    static void ApplyWindowState(QWidget *form, const QString &winState);
    // Centres a panel in its parent's client area; the offset goes negative
    // when the client area is the smaller.
    static void CentrePanel(QWidget *panel);

    QChar SavedDateSeparator;
    QString SavedShortDateFormat;
    QString AppDir;
    bool StartupOK = false;
    std::unique_ptr<TRegistory> Registory;
    std::unique_ptr<TDBSeting> DBSeting;

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

    std::map<Artwork::Tile, TilePanel *> m_tiles;
    std::map<Artwork::Tile, QWidget *> m_tileForms;
};

extern TMainForm *MainForm;
