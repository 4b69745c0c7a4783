#include "reportui/TrpSpeedButton.h"

#include <QEnterEvent>
#include <QIcon>

TrpSpeedButton::TrpSpeedButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::pressed, this, &TrpSpeedButton::refresh);
    connect(this, &QAbstractButton::released, this, &TrpSpeedButton::refresh);
    connect(this, &QAbstractButton::toggled, this, &TrpSpeedButton::refresh);
    refresh();
}

void TrpSpeedButton::SetGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    refresh();
}

void TrpSpeedButton::SetNumGlyphs(int count)
{
    if (count < 1 || count > 4)
        return;
    m_numGlyphs = count;
    refresh();
}

void TrpSpeedButton::SetDown(bool down)
{
    if (m_groupIndex == 0 || down == isChecked())
        return;
    setChecked(down);
    if (down)
        releaseOthers();
}

void TrpSpeedButton::SetGroupIndex(int index)
{
    m_groupIndex = index;
    setCheckable(index != 0);
    if (index == 0)
        setChecked(false);
    refresh();
}

void TrpSpeedButton::SetLayout(TButtonLayout layout)
{
    m_layout = layout;
    refresh();
}

void TrpSpeedButton::SetGrayedInactive(bool grayed)
{
    m_grayedInactive = grayed;
    refresh();
}

TrpSpeedButton::TButtonState TrpSpeedButton::State() const
{
    if (!isEnabled())
        return bsDisabled;
    if (isDown())
        return bsDown;
    if (isChecked())
        return bsExclusive;
    return bsUp;
}

QImage TrpSpeedButton::picture(int index) const
{
    const int width = m_glyph.width() / m_numGlyphs;
    return m_glyph.toImage().copy(index * width, 0, width, m_glyph.height());
}

QPixmap TrpSpeedButton::currentGlyph() const
{
    if (m_glyph.isNull())
        return {};
    const TButtonState state = State();
    QImage image;
    if (state < m_numGlyphs)
        image = picture(state);
    else if (state == bsDisabled)
        image = embossed(picture(bsUp));
    else
        image = picture(bsUp);
    if (m_grayedInactive && !m_hovered && state != bsDisabled)
        image = grayed(image);
    return QPixmap::fromImage(image);
}

QImage TrpSpeedButton::embossed(const QImage &up)
{
    const QImage source = up.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    auto dark = [&source](int x, int y) {
        const QRgb pixel = source.pixel(x, y);
        return qAlpha(pixel) > 0 && qGray(pixel) < 192;
    };
    for (int y = 0; y + 1 < source.height(); ++y) {
        for (int x = 0; x + 1 < source.width(); ++x) {
            if (dark(x, y))
                out.setPixel(x + 1, y + 1, qRgb(255, 255, 255));
        }
    }
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (dark(x, y))
                out.setPixel(x, y, qRgb(128, 128, 128));
        }
    }
    return out;
}

QImage TrpSpeedButton::grayed(const QImage &up)
{
    QImage out = up.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = out.pixel(x, y);
            const int gray = qGray(pixel);
            out.setPixel(x, y, qRgba(gray, gray, gray, qAlpha(pixel)));
        }
    }
    return out;
}

void TrpSpeedButton::nextCheckState()
{
    if (m_groupIndex == 0)
        return;
    if (!isChecked()) {
        setChecked(true);
        releaseOthers();
    } else if (m_allowAllUp) {
        setChecked(false);
    }
}

void TrpSpeedButton::releaseOthers()
{
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    const auto siblings = parent->findChildren<TrpSpeedButton *>(Qt::FindDirectChildrenOnly);
    for (TrpSpeedButton *other : siblings) {
        if (other != this && other->m_groupIndex == m_groupIndex)
            other->setChecked(false);
    }
}

void TrpSpeedButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    refresh();
    QToolButton::enterEvent(event);
}

void TrpSpeedButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    refresh();
    QToolButton::leaveEvent(event);
}

void TrpSpeedButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        refresh();
    QToolButton::changeEvent(event);
}

void TrpSpeedButton::refresh()
{
    const QPixmap glyph = currentGlyph();
    // The picture already shows the state; the style must not change it again.
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
        icon.addPixmap(glyph, mode, QIcon::Off);
        icon.addPixmap(glyph, mode, QIcon::On);
    }
    setIcon(glyph.isNull() ? QIcon() : icon);
    if (!glyph.isNull())
        setIconSize(glyph.size());
    setLayoutDirection(m_layout == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
    if (glyph.isNull())
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    else if (m_layout == blGlyphTop || m_layout == blGlyphBottom)
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    else
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}
