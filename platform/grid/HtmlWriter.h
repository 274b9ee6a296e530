#pragma once
// Writes a table of cells as one HTML document in a single pass: head and title, a style-sheet
// class per cell style, the width row and the rows. Windows-1252 bytes with CR LF line ends,
// handed to a sink in large pieces so the page is never held whole in memory.

#include <QByteArray>
#include <functional>
#include <string>
#include <string_view>

namespace pensilio::grid {

class HtmlCellTable;
class HtmlStyleTable;
class HtmlViewSource;
struct HtmlCellStyle;

// Receives the document piece by piece; it may throw to stop the writing.
using HtmlSink = std::function<void(std::string_view)>;

void writeHtmlDocument(const QByteArray &title, const HtmlCellTable &cells,
                       const HtmlStyleTable &styles, const HtmlViewSource &view,
                       const HtmlSink &sink);

// A cell's text as it goes out: "&nbsp" when empty, the four markup characters escaped, and a
// CR LF pair or a lone LF as "<BR>".
void appendCellText(std::string &out, std::string_view text);
// The four markup characters escaped, nothing else changed.
QByteArray escapeMarkup(const QByteArray &text);
// One style-sheet class's properties, from " border-style: solid;" to the background colour.
void appendStyleProperties(std::string &out, const HtmlCellStyle &style);

} // namespace pensilio::grid
