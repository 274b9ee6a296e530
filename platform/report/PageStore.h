#pragma once
// The prepared pages of a report as recorded drawing commands, in memory. Each page is visible
// to its viewers the moment the run finishes it; the run need not be over.

#include "platform/report/PageSink.h"
#include "platform/report/PageStyles.h"

#include <QObject>
#include <QSizeF>
#include <QString>
#include <vector>

namespace pensilio::report {

class PageStore final : public QObject, public PageSink
{
    Q_OBJECT
public:
    explicit PageStore(QObject *parent = nullptr);

    void setTitle(const QString &title) { m_title = title; }
    const QString &title() const { return m_title; }
    void setPaperSize(const QSizeF &mm) { m_paper = mm; }
    QSizeF paperSize() const { return m_paper; }

    PageStyles &styles() override { return m_styles; }
    const PageStyles &styles() const { return m_styles; }
    void pageFinished(int number, QByteArray commands) override;

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    // 'index' counts from 0.
    const QByteArray &page(int index) const { return m_pages[static_cast<size_t>(index)]; }
    // Replaces the whole content, as loading a report file does.
    void replace(const QString &title, const QSizeF &paper, PageStyles styles,
                 std::vector<QByteArray> pages);
    void clear();
    // Bytes held by the pages' commands.
    qsizetype commandBytes() const;

Q_SIGNALS:
    void pageAdded(int pageCount);
    void reset();

private:
    QString m_title;
    QSizeF m_paper{210, 297};
    PageStyles m_styles;
    std::vector<QByteArray> m_pages;
};

} // namespace pensilio::report
