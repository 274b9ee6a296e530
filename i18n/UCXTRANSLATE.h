#pragma once
// The Italian texts of the grid's filter and grouping user interface: a fixed table of stock
// texts and their replacements, installed into the grid's stock texts once per process.

#include <array>
#include <span>

namespace pensilio::UCXTRANSLATE {

struct TextPair
{
    const char *stock;     // the English wording that identifies the text
    const char *installed; // what is shown instead
};

constexpr int kTextCount = 118;

// The table in installation order.
std::span<const TextPair, kTextCount> texts();

// Installs every pair through the grid's stock texts. Start-up calls it once, before the
// application object exists; any later call installs nothing.
void initialize();

} // namespace pensilio::UCXTRANSLATE
