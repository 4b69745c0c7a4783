#include "reportui/TrpSpeedButton.h"

#include "reportui/TGlyphList.h"

#include <QEnterEvent>
#include <QIcon>
#include <QPainter>

#include <algorithm>

namespace {

// Face and white in turn, pixel by pixel, as a down button of a group that
// allows all up is filled.
QImage dither(const QColor &face)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            pattern.setPixelColor(x, y, (x + y) % 2 ? QColor(Qt::white) : face);
    }
    return pattern;
}

// A one-pixel frame: the first colour above and left, the second below and right.
void frame(QPainter &painter, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

TrpSpeedButton::TrpSpeedButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::pressed, this, &TrpSpeedButton::refresh);
    connect(this, &QAbstractButton::released, this, &TrpSpeedButton::refresh);
    connect(this, &QAbstractButton::toggled, this, &TrpSpeedButton::refresh);
    refresh();
}

TrpSpeedButton::~TrpSpeedButton()
{
    releaseGlyphs();
}

void TrpSpeedButton::SetGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    makeGlyphs();
    refresh();
}

void TrpSpeedButton::SetNumGlyphs(int count)
{
    if (count < 1 || count > 4)
        return;
    m_numGlyphs = count;
    makeGlyphs();
    refresh();
}

void TrpSpeedButton::SetMargin(int margin)
{
    m_margin = std::max(margin, -1);
    update();
}

void TrpSpeedButton::SetSpacing(int spacing)
{
    m_spacing = std::max(spacing, -1);
    update();
}

void TrpSpeedButton::makeGlyphs()
{
    releaseGlyphs();
    if (m_glyph.isNull())
        return;
    const QImage up = picture(bsUp);
    m_glyphs = TGlyphList::forSize(up.size());
    for (int state = bsUp; state <= bsExclusive; ++state) {
        if (state < m_numGlyphs)
            m_slots[size_t(state)] = m_glyphs->Add(picture(state));
        else
            m_slots[size_t(state)] = m_glyphs->Add(state == bsDisabled ? embossed(up) : up);
    }
    // The style measures the button by its icon.
    setIcon(QIcon(QPixmap::fromImage(up)));
}

void TrpSpeedButton::releaseGlyphs()
{
    if (!m_glyphs)
        return;
    for (int &slot : m_slots) {
        m_glyphs->Delete(slot);
        slot = -1;
    }
    m_glyphs.reset();
    setIcon(QIcon());
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
    if (!m_glyphs)
        return {};
    const TButtonState state = State();
    QImage image = m_glyphs->image(m_slots[size_t(state)]);
    if (m_grayedInactive && !m_hovered && state != bsDisabled)
        image = grayed(image);
    return QPixmap::fromImage(image);
}

TrpSpeedButton::Placement TrpSpeedButton::placement(QSize client, QSize glyph, QSize caption, TButtonLayout layout,
                                                    int margin, int spacing)
{
    const bool across = layout == blGlyphLeft || layout == blGlyphRight;
    // Along the layout's axis, and centred on the other.
    const int room = across ? client.width() : client.height();
    const int glyphLength = across ? glyph.width() : glyph.height();
    const int captionLength = across ? caption.width() : caption.height();
    Placement at;
    if (across) {
        at.glyph.setY((client.height() - glyph.height() + 1) / 2);
        at.caption.setY((client.height() - caption.height() + 1) / 2);
    } else {
        at.glyph.setX((client.width() - glyph.width() + 1) / 2);
        at.caption.setX((client.width() - caption.width() + 1) / 2);
    }
    if (glyph.isEmpty() || caption.isEmpty())
        spacing = 0;
    if (margin < 0) {
        if (spacing < 0) {
            margin = (room - glyphLength - captionLength) / 3;
            spacing = margin;
        } else {
            margin = (room - glyphLength - spacing - captionLength + 1) / 2;
        }
    } else if (spacing < 0) {
        spacing = (room - margin - glyphLength - captionLength) / 2;
    }
    int glyphAt = margin;
    int captionAt = glyphAt + glyphLength + spacing;
    if (layout == blGlyphRight || layout == blGlyphBottom) {
        glyphAt = room - margin - glyphLength;
        captionAt = glyphAt - spacing - captionLength;
    }
    if (across) {
        at.glyph.setX(glyphAt);
        at.caption.setX(captionAt);
    } else {
        at.glyph.setY(glyphAt);
        at.caption.setY(captionAt);
    }
    return at;
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

void TrpSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    const QColor face = colours.color(QPalette::Button);
    const QRect area = rect();
    if (State() == bsExclusive && m_allowAllUp)
        painter.fillRect(area, QBrush(dither(face)));
    else
        painter.fillRect(area, face);
    const bool pressed = isDown();
    const QRect edge = area.adjusted(0, 0, -1, -1);
    if (pressed || isChecked())
        frame(painter, edge, colours.color(QPalette::Dark), colours.color(QPalette::Light));
    else if (!Flat() || (m_hovered && isEnabled()))
        frame(painter, edge, colours.color(QPalette::Light), colours.color(QPalette::Dark));

    const QPixmap glyph = currentGlyph();
    const QString caption = text();
    const QSize captionSize = caption.isEmpty() ? QSize() : fontMetrics().size(Qt::TextSingleLine, caption);
    const QSize glyphSize = glyph.isNull() ? QSize() : glyph.deviceIndependentSize().toSize();
    const Placement at = placement(area.size(), glyphSize, captionSize, m_layout, m_margin, m_spacing);
    // A pressed button's face moves in.
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint();
    if (!glyph.isNull())
        painter.drawPixmap(at.glyph + shift, glyph);
    if (!caption.isEmpty()) {
        painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(QRect(at.caption + shift, captionSize), Qt::AlignAbsolute | Qt::AlignLeft | Qt::TextSingleLine,
                         caption);
    }
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
    // The style measures the button by these; the face is painted here.
    if (m_glyphs)
        setIconSize(m_glyphs->size());
    setLayoutDirection(m_layout == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
    if (m_glyph.isNull())
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    else if (m_layout == blGlyphTop || m_layout == blGlyphBottom)
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    else
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    update();
}
