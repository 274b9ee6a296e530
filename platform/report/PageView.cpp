#include "platform/report/PageView.h"

#include "platform/report/PageRenderer.h"
#include "platform/report/PageStore.h"

#include <QPaintEvent>
#include <QPainter>

namespace pensilio::report {

namespace {
// The real size on a screen of 96 dots per inch; Qt scales for other screens.
constexpr double kFullPixelsPerMm = 96 / 25.4;
constexpr int kGap = 8; // grey space around the page
} // namespace

PageView::PageView(const PageStore &store, QWidget *parent) : QWidget(parent), m_store(store)
{
    setAccessibleName(QStringLiteral("Page"));
    setFocusPolicy(Qt::StrongFocus);
    updateSize();
}

void PageView::setPage(int index)
{
    m_page = index;
    setAccessibleDescription(index >= 0 ? QStringLiteral("Page %1").arg(index + 1) : QString());
    update();
}

void PageView::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    updateSize();
}

void PageView::setViewportSize(const QSize &size)
{
    m_viewport = size;
    updateSize();
}

double PageView::pixelsPerMm() const
{
    const QSizeF paper = m_store.paperSize();
    const double availableWidth = qMax(1, m_viewport.width() - 2 * kGap);
    const double availableHeight = qMax(1, m_viewport.height() - 2 * kGap);
    switch (m_zoom) {
    case Zoom::Full:
        return kFullPixelsPerMm;
    case Zoom::Width:
        return availableWidth / paper.width();
    case Zoom::Fit:
        return qMin(availableWidth / paper.width(), availableHeight / paper.height());
    }
    return kFullPixelsPerMm;
}

void PageView::updateSize()
{
    const double scale = pixelsPerMm();
    const QSizeF paper = m_store.paperSize();
    const QSize size(qCeil(paper.width() * scale) + 2 * kGap,
                     qCeil(paper.height() * scale) + 2 * kGap);
    setFixedSize(size.expandedTo(m_viewport));
    update();
}

void PageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const double scale = pixelsPerMm();
    const QSizeF paper = m_store.paperSize() * scale;
    const double left = qMax(double(kGap), (width() - paper.width()) / 2);
    const QRectF sheet(QPointF(left, kGap), paper);
    painter.fillRect(sheet, Qt::white);
    if (m_page < 0 || m_page >= m_store.pageCount())
        return;
    painter.setClipRect(sheet);
    painter.translate(sheet.topLeft());
    painter.setRenderHint(QPainter::TextAntialiasing);
    PageRenderer renderer(painter, m_store.styles(), scale);
    renderer.render(m_store.page(m_page));
}

} // namespace pensilio::report
