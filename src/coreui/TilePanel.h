#pragma once

#include <QFrame>

class QLabel;

// One tile of the main window: a picture filling the panel with a caption
// over it. A click anywhere on it (panel, picture or caption) is a click.
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

private:
    QLabel *m_caption = nullptr;
};
