#pragma once
// Text metrics of real fonts at one resolution: the screen's 96 dots per inch for the preview,
// the printer's own for printing, so each lays out as its device will draw.

#include "platform/report/TextMeasurer.h"

#include <QFont>
#include <array>
#include <memory>
#include <vector>

class QPaintDevice;

namespace pensilio::report {

// The Qt font for a font of the template, without its size: the caller sets it for its device.
QFont qtFont(const FontSpec &spec);

class FontMeasurer final : public TextMeasurer
{
public:
    explicit FontMeasurer(int dotsPerInch);
    // Metrics of the device itself (a printer may hint fonts differently from an image).
    explicit FontMeasurer(QPaintDevice *device);
    ~FontMeasurer() override;

    double textWidth(const FontSpec &font, QByteArrayView text) const override;
    double lineHeight(const FontSpec &font) const override;
    const std::array<double, 256> *advances(const FontSpec &font) const override;
    int dotsPerInch() const { return m_dpi; }

private:
    // Advances per byte are read once per font: a million notes then measure by table look-up.
    struct Metrics
    {
        FontSpec spec;
        std::array<double, 256> advance{};
        double lineHeight = 0;
    };
    const Metrics &metricsFor(const FontSpec &font) const;

    std::unique_ptr<QPaintDevice> m_ownDevice;
    QPaintDevice *m_device = nullptr;
    int m_dpi = 96;
    mutable std::vector<std::unique_ptr<Metrics>> m_cache;
    mutable const Metrics *m_last = nullptr;
};

} // namespace pensilio::report
