#include "coreui/TilePanel.h"

#include <QLabel>
#include <QMouseEvent>

TilePanel::TilePanel(const QString &objectName, const QString &pictureName, const QPixmap &picture,
                     const QString &caption, const QColor &captionColour, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(objectName);
    setFixedSize(200, 135);
    setCursor(Qt::PointingHandCursor);

    auto *image = new QLabel(this);
    image->setObjectName(pictureName);
    image->setGeometry(rect());
    image->setScaledContents(true);
    image->setPixmap(picture);
    // Clicks on the picture and the caption reach the panel.
    image->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_caption = new QLabel(caption, this);
    QFont font = m_caption->font();
    font.setPixelSize(16);
    font.setBold(true);
    m_caption->setFont(font);
    QPalette palette = m_caption->palette();
    palette.setColor(QPalette::WindowText, captionColour);
    m_caption->setPalette(palette);
    m_caption->setAttribute(Qt::WA_TranslucentBackground);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->move(12, 100);
    m_caption->adjustSize();
}

QString TilePanel::caption() const
{
    return m_caption->text();
}

void TilePanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}
