#include "coreui/TilePanel.h"

#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int DisabledTone = 120;

// The picture in greys around one mean tone, so that a light picture looks
// as disabled as a dark one; the details keep a little of their contrast.
QPixmap dimmed(const QPixmap &picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    qint64 sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(line[x]);
    }
    const int mean = image.isNull() ? 0 : int(sum / (qint64(image.width()) * image.height()));
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = std::clamp(DisabledTone + (qGray(line[x]) - mean) / 3, 0, 255);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

TilePanel::TilePanel(const QString &objectName, const QString &pictureName, const QPixmap &picture,
                     const QString &caption, const QColor &captionColour, QWidget *parent)
    : QFrame(parent), m_picture(picture), m_disabledPicture(dimmed(picture))
{
    setObjectName(objectName);
    setFixedSize(200, 135);
    setCursor(Qt::PointingHandCursor);

    m_image = new QLabel(this);
    m_image->setObjectName(pictureName);
    m_image->setGeometry(rect());
    m_image->setScaledContents(true);
    // Clicks on the picture and the caption reach the panel.
    m_image->setAttribute(Qt::WA_TransparentForMouseEvents);
    showPicture();

    m_caption = new QLabel(caption, this);
    QFont font = m_caption->font();
    font.setPixelSize(16);
    font.setBold(true);
    m_caption->setFont(font);
    QPalette palette = m_caption->palette();
    palette.setColor(QPalette::WindowText, captionColour);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x50, 0x50, 0x50));
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

void TilePanel::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        showPicture();
}

void TilePanel::showPicture()
{
    m_image->setPixmap(isEnabled() ? m_picture : m_disabledPicture);
}
