#include "platform/report/FontMeasurer.h"

#include "platform/core/Cp1252.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>

namespace pensilio::report {

namespace {
constexpr double kMmPerInch = 25.4;
}

QFont qtFont(const FontSpec &spec)
{
    QFont font(spec.family);
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    // Identical widths on every device need unhinted outlines; the layout then matches print.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

FontMeasurer::FontMeasurer(int dotsPerInch) : m_dpi(dotsPerInch)
{
    auto image = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image->setDotsPerMeterX(dotsPerMeter);
    image->setDotsPerMeterY(dotsPerMeter);
    m_device = image.get();
    m_ownDevice = std::move(image);
}

FontMeasurer::FontMeasurer(QPaintDevice *device) : m_device(device), m_dpi(device->logicalDpiY()) {}

FontMeasurer::~FontMeasurer() = default;

const FontMeasurer::Metrics &FontMeasurer::metricsFor(const FontSpec &font) const
{
    if (m_last && m_last->spec == font)
        return *m_last;
    for (const auto &m : m_cache) {
        if (m->spec == font) {
            m_last = m.get();
            return *m_last;
        }
    }
    auto m = std::make_unique<Metrics>();
    m->spec = font;
    const QFont qfont(qtFont(font), m_device);
    const QFontMetricsF metrics(qfont, m_device);
    const double mmPerDot = kMmPerInch / m_dpi;
    for (int byte = 0; byte < 256; ++byte)
        m->advance[static_cast<size_t>(byte)] =
            metrics.horizontalAdvance(cp1252::toUnicode(static_cast<unsigned char>(byte))) *
            mmPerDot;
    // Lines stand a whole number of device dots apart, as the device draws them.
    m->lineHeight = QFontMetrics(qfont, m_device).height() * mmPerDot;
    m_cache.push_back(std::move(m));
    m_last = m_cache.back().get();
    return *m_last;
}

double FontMeasurer::textWidth(const FontSpec &font, QByteArrayView text) const
{
    const Metrics &m = metricsFor(font);
    double width = 0;
    for (const char c : text)
        width += m.advance[static_cast<unsigned char>(c)];
    return width;
}

const std::array<double, 256> *FontMeasurer::advances(const FontSpec &font) const
{
    return &metricsFor(font).advance;
}

double FontMeasurer::lineHeight(const FontSpec &font) const
{
    return metricsFor(font).lineHeight;
}

} // namespace pensilio::report
