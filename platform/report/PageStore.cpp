#include "platform/report/PageStore.h"

namespace pensilio::report {

PageStore::PageStore(QObject *parent) : QObject(parent) {}

void PageStore::pageFinished(int number, QByteArray commands)
{
    Q_UNUSED(number)
    m_pages.push_back(std::move(commands));
    Q_EMIT pageAdded(pageCount());
}

void PageStore::replace(const QString &title, const QSizeF &paper, PageStyles styles,
                        std::vector<QByteArray> pages)
{
    m_title = title;
    m_paper = paper;
    m_styles = std::move(styles);
    m_pages = std::move(pages);
    Q_EMIT reset();
}

void PageStore::clear()
{
    m_styles.clear();
    m_pages.clear();
    Q_EMIT reset();
}

qsizetype PageStore::commandBytes() const
{
    qsizetype bytes = 0;
    for (const QByteArray &page : m_pages)
        bytes += page.capacity();
    return bytes;
}

} // namespace pensilio::report
