#include "platform/widgets/BevelPanel.h"

#include "platform/widgets/WidgetsAccessibility.h"

#include <QPainter>

namespace pensilio::widgets {

namespace {

// Draws 'width' nested one-pixel rectangles, light at top and left, dark at bottom and right;
// returns the rectangle left inside them.
QRect drawBevel(QPainter &p, QRect r, int width, const QColor &topLeft, const QColor &bottomRight)
{
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        p.setPen(topLeft);
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        p.setPen(bottomRight);
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
    return r;
}

int bevelSpace(BevelPanel::Bevel bevel, int width)
{
    return bevel == BevelPanel::Bevel::None ? 0 : width;
}

} // namespace

BevelPanel::BevelPanel(QWidget *parent) : QWidget(parent)
{
    installWidgetsAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateFrame();
}

void BevelPanel::setOuterBevel(Bevel bevel, int width)
{
    m_outer = bevel;
    m_outerWidth = std::max(0, width);
    updateFrame();
}

void BevelPanel::setInnerBevel(Bevel bevel, int width)
{
    m_inner = bevel;
    m_innerWidth = std::max(0, width);
    updateFrame();
}

void BevelPanel::setBorderWidth(int width)
{
    m_borderWidth = std::max(0, width);
    updateFrame();
}

void BevelPanel::setSingleBorder(bool on)
{
    m_singleBorder = on;
    updateFrame();
}

void BevelPanel::setColorRole(QPalette::ColorRole role)
{
    m_colorRole = role;
    m_color = QColor();
    update();
}

void BevelPanel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

QColor BevelPanel::color() const
{
    return m_color.isValid() ? m_color : palette().color(m_colorRole);
}

void BevelPanel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void BevelPanel::setCaptionFont(const QFont &font)
{
    m_captionFont = font;
    m_hasCaptionFont = true;
    update();
}

QFont BevelPanel::captionFont() const
{
    return m_hasCaptionFont ? m_captionFont : font();
}

void BevelPanel::setCaptionColorRole(QPalette::ColorRole role)
{
    m_captionRole = role;
    m_captionColor = QColor();
    update();
}

void BevelPanel::setCaptionColor(const QColor &color)
{
    m_captionColor = color;
    update();
}

QColor BevelPanel::captionColor() const
{
    return m_captionColor.isValid() ? m_captionColor : palette().color(m_captionRole);
}

void BevelPanel::setCaptionAlignment(Qt::Alignment alignment)
{
    m_captionAlignment = alignment;
    update();
}

int BevelPanel::frameWidth() const
{
    return (m_singleBorder ? 1 : 0) + bevelSpace(m_outer, m_outerWidth) + m_borderWidth +
           bevelSpace(m_inner, m_innerWidth);
}

void BevelPanel::updateFrame()
{
    const int w = frameWidth();
    setContentsMargins(w, w, w, w);
    update();
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), color());

    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    QRect r = rect();
    if (m_singleBorder)
        r = drawBevel(p, r, 1, palette().color(QPalette::Shadow),
                      palette().color(QPalette::Shadow));
    auto bevel = [&](Bevel kind, int width) {
        switch (kind) {
        case Bevel::None:
            break;
        case Bevel::Raised:
            r = drawBevel(p, r, width, light, dark);
            break;
        case Bevel::Lowered:
            r = drawBevel(p, r, width, dark, light);
            break;
        case Bevel::Space:
            r.adjust(width, width, -width, -width);
            break;
        }
    };
    bevel(m_outer, m_outerWidth);
    r.adjust(m_borderWidth, m_borderWidth, -m_borderWidth, -m_borderWidth);
    bevel(m_inner, m_innerWidth);

    if (!m_caption.isEmpty() && r.isValid()) {
        p.setFont(captionFont());
        p.setPen(captionColor());
        p.drawText(r, int(m_captionAlignment) | Qt::TextSingleLine, m_caption);
    }
}

} // namespace pensilio::widgets
