#include "platform/grid/StockTexts.h"

#include <utility>
#include <vector>

namespace pensilio::grid {

namespace {
// An ordered list, as installed; it holds about a hundred keys, so a scan is quick enough.
std::vector<std::pair<QString, QString>> &overrides()
{
    static std::vector<std::pair<QString, QString>> table;
    return table;
}

std::pair<QString, QString> *find(const QString &key)
{
    for (auto &entry : overrides()) {
        if (entry.first.compare(key, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}
} // namespace

void setStockText(const QString &stockText, const QString &installedText)
{
    if (auto *entry = find(stockText))
        entry->second = installedText;
    else
        overrides().emplace_back(stockText, installedText);
}

QString stockText(const QString &stockWording)
{
    const auto *entry = find(stockWording);
    return entry ? entry->second : stockWording;
}

int stockTextCount() { return static_cast<int>(overrides().size()); }

void resetStockTexts() { overrides().clear(); }

} // namespace pensilio::grid
