#include "platform/report/PageRenderer.h"

#include "platform/core/Cp1252.h"
#include "platform/report/FontMeasurer.h"
#include "platform/report/PageCommands.h"
#include "platform/report/PageStyles.h"

#include <QPainter>
#include <QPen>

namespace pensilio::report {

namespace {

class PainterVisitor final : public PageVisitor
{
public:
    PainterVisitor(QPainter &painter, const PageStyles &styles, const std::vector<QFont> &fonts,
                   double scale)
        : m_painter(painter), m_styles(styles), m_fonts(fonts), m_scale(scale)
    {}

    void fillRect(const QRectF &mm, int color) override
    {
        m_painter.fillRect(toDevice(mm), colorOf(color));
    }

    void text(const QRectF &box, int font, int color, TextFlag flags, int background,
              QByteArrayView text) override
    {
        const QRectF rect = toDevice(box);
        const auto f = static_cast<quint8>(flags);
        if (f & static_cast<quint8>(TextFlag::Opaque))
            m_painter.fillRect(rect, colorOf(background));
        if (text.isEmpty())
            return;
        m_painter.setFont(m_fonts[static_cast<size_t>(font)]);
        m_painter.setPen(colorOf(color));
        const int align =
            Qt::AlignTop | Qt::TextSingleLine |
            ((f & static_cast<quint8>(TextFlag::Centred)) ? Qt::AlignHCenter : Qt::AlignLeft);
        // A centred text may be wider than its box; it overflows both sides evenly.
        m_painter.drawText(rect, align | Qt::TextDontClip,
                           cp1252::toUnicode(text.data(), text.size()));
    }

    void hairline(double x1, double y1, double x2, double y2, int color) override
    {
        QPen pen(colorOf(color));
        pen.setWidth(0);
        pen.setCosmetic(true);
        m_painter.setPen(pen);
        m_painter.drawLine(QPointF(x1 * m_scale, y1 * m_scale),
                           QPointF(x2 * m_scale, y2 * m_scale));
    }

private:
    QRectF toDevice(const QRectF &mm) const
    {
        return QRectF(mm.x() * m_scale, mm.y() * m_scale, mm.width() * m_scale,
                      mm.height() * m_scale);
    }
    QColor colorOf(int index) const
    {
        return QColor::fromRgba(m_styles.colors()[static_cast<size_t>(index)]);
    }

    QPainter &m_painter;
    const PageStyles &m_styles;
    const std::vector<QFont> &m_fonts;
    double m_scale;
};

} // namespace

PageRenderer::PageRenderer(QPainter &painter, const PageStyles &styles, double dotsPerMm)
    : m_painter(painter), m_styles(styles), m_scale(dotsPerMm)
{
    // The font's point size is scaled by the painter's own transformation; here it is sized in
    // the device's dots so a zoomed preview shows the text at the zoomed size.
    const double deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    const double zoom = dotsPerMm * 25.4 / deviceDpi;
    for (const FontSpec &spec : styles.fonts()) {
        QFont font = qtFont(spec);
        font.setPointSizeF(spec.pointSize * zoom);
        m_fonts.push_back(font);
    }
}

bool PageRenderer::render(QByteArrayView page)
{
    PainterVisitor visitor(m_painter, m_styles, m_fonts, m_scale);
    return visitPage(page, m_styles, visitor);
}

} // namespace pensilio::report
