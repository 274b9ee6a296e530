#pragma once
// Draws a page's recorded commands with a painter on any device: the preview's screen, an image
// or a printer. One renderer serves a device for many pages, so its fonts are made once.

#include <QByteArrayView>
#include <QFont>
#include <vector>

class QPainter;

namespace pensilio::report {

class PageStyles;

class PageRenderer
{
public:
    // 'dotsPerMm' is the painter's scale: device dots per millimetre of paper.
    PageRenderer(QPainter &painter, const PageStyles &styles, double dotsPerMm);
    // False when the page does not decode; what came before the fault is drawn.
    bool render(QByteArrayView page);

private:
    QPainter &m_painter;
    const PageStyles &m_styles;
    double m_scale;
    std::vector<QFont> m_fonts;
};

} // namespace pensilio::report
