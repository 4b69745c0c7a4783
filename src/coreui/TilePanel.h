#pragma once

#include <QFrame>
#include <QPixmap>

class QLabel;

// One tile of the main window: a picture filling the panel with a caption
// over it. A click anywhere on it (panel, picture or caption) is a click.
// Disabled, every tile looks alike: its picture in one dim grey range and
// its caption grey, whatever their colours.
class TilePanel : public QFrame
{
    Q_OBJECT

public:
    TilePanel(const QString &objectName, const QString &pictureName, const QPixmap &picture, const QString &caption,
              const QColor &captionColour, QWidget *parent);

    [[nodiscard]] QString caption() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showPicture();

    QLabel *m_image = nullptr;
    QLabel *m_caption = nullptr;
    QPixmap m_picture;
    QPixmap m_disabledPicture;
};
