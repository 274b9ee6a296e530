#pragma once
// Shows one page of a page store at a zoom: to fit the viewport, at its real size, or to the
// viewport's width. It sits inside a scroll area whose viewport it measures.

#include <QWidget>

namespace pensilio::report {

class PageStore;

enum class Zoom
{
    Fit,
    Full,
    Width
};

class PageView final : public QWidget
{
    Q_OBJECT
public:
    explicit PageView(const PageStore &store, QWidget *parent = nullptr);

    void setPage(int index); // from 0; -1 shows none
    int page() const { return m_page; }
    void setZoom(Zoom zoom);
    Zoom zoom() const { return m_zoom; }
    // Device pixels per millimetre of paper at the current zoom.
    double pixelsPerMm() const;
    // Called when the space around the view changes.
    void setViewportSize(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateSize();

    const PageStore &m_store;
    int m_page = -1;
    Zoom m_zoom = Zoom::Full;
    QSize m_viewport{800, 600};
};

} // namespace pensilio::report
