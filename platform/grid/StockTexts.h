#pragma once
// The grid pack's user-interface texts: each is known by its English wording, and an override
// table, whose keys ignore letter case, may replace it. Every text the grid, its dialogs, its
// filter panel and its export show is looked up here at the moment it is shown.

#include <QString>

namespace pensilio::grid {

// Replaces the stock text: an existing key (ignoring case) takes the new text, otherwise the
// pair is appended.
void setStockText(const QString &stockText, const QString &installedText);
// The installed text for a stock wording, or the wording itself when nothing replaces it.
QString stockText(const QString &stockWording);
// How many keys the override table holds.
int stockTextCount();
// Empties the override table; the program itself never does this, tests do.
void resetStockTexts();

} // namespace pensilio::grid
