#include "platform/grid/HtmlWriter.h"

#include "platform/grid/HtmlCellStyle.h"
#include "platform/grid/HtmlCellTable.h"
#include "platform/grid/HtmlViewSource.h"

#include <array>
#include <charconv>
#include <string>

namespace pensilio::grid {

namespace {

constexpr size_t kFlushSize = 1 << 20;

void appendNumber(std::string &out, qint64 value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, size_t(result.ptr - buffer));
}

void appendColor(std::string &out, QRgb color)
{
    out += "rgb(";
    appendNumber(out, qRed(color));
    out += ',';
    appendNumber(out, qGreen(color));
    out += ',';
    appendNumber(out, qBlue(color));
    out += ')';
}

// Bytes that need more than a copy: the markup characters and the line ends.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> t{};
    t[size_t('<')] = t[size_t('>')] = t[size_t('&')] = t[size_t('"')] = true;
    t[size_t('\r')] = t[size_t('\n')] = true;
    return t;
}();

} // namespace

// The entity for one of the four characters markup gives a meaning to; none for the rest.
const char *entityFor(char c)
{
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

void appendCellText(std::string &out, std::string_view text)
{
    if (text.empty()) {
        out += "&nbsp";
        return;
    }
    const char *p = text.data();
    const char *end = p + text.size();
    while (p < end) {
        const char *run = p;
        while (p < end && !kSpecial[static_cast<unsigned char>(*p)])
            ++p;
        out.append(run, size_t(p - run));
        if (p == end)
            break;
        switch (*p) {
        case '<':
        case '>':
        case '&':
        case '"':
            out += entityFor(*p);
            break;
        case '\n':
            out += "<BR>";
            break;
        case '\r':
            // Only a CR that ends a line breaks it; a lone CR stays as it is.
            if (p + 1 < end && p[1] == '\n') {
                out += "<BR>";
                ++p;
            } else {
                out += '\r';
            }
            break;
        }
        ++p;
    }
}

QByteArray escapeMarkup(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const char c : text) {
        if (const char *entity = entityFor(c))
            out += entity;
        else
            out += c;
    }
    return out;
}

void appendStyleProperties(std::string &out, const HtmlCellStyle &s)
{
    static const char *const widths[] = {" border-left-width: ", " border-top-width: ",
                                         " border-right-width: ", " border-bottom-width: "};
    static const char *const colors[] = {" border-left-color: ", " border-top-color: ",
                                         " border-right-color: ", " border-bottom-color: "};
    out += " border-style: solid; padding: 3;";
    for (size_t i = 0; i < 4; ++i) {
        out += widths[i];
        appendNumber(out, s.borders[i].isDefault ? 0 : s.borders[i].width);
        out += ';';
    }
    for (size_t i = 0; i < 4; ++i) {
        out += colors[i];
        appendColor(out, s.borders[i].isDefault ? qRgb(0, 0, 0) : s.borders[i].color);
        out += ';';
    }
    out += " font-family: '";
    out.append(s.fontName.constData(), size_t(s.fontName.size()));
    out += "'; mso-font-charset: ";
    appendNumber(out, s.charset);
    out += ';';
    if (s.fontStyle & FontBold)
        out += " font-weight: bold;";
    if (s.fontStyle & FontItalic)
        out += " font-style: italic;";
    if (s.fontStyle & FontUnderline)
        out += " text-decoration: underline;";
    else if (s.fontStyle & FontStrikeOut)
        out += " text-decoration: line-through;";
    out += " font-size: ";
    appendNumber(out, s.fontSize);
    out += "pt; color: ";
    appendColor(out, s.fontColor);
    out += "; background-color: ";
    appendColor(out, s.background);
}

void writeHtmlDocument(const QByteArray &title, const HtmlCellTable &cells,
                       const HtmlStyleTable &styles, const HtmlViewSource &view,
                       const HtmlSink &sink)
{
    std::string out;
    out.reserve(kFlushSize + 64 * 1024);
    auto flushIfFull = [&] {
        if (out.size() >= kFlushSize) {
            sink(out);
            out.clear();
        }
    };

    out += "<HTML>\r\n<HEAD>\r\n<TITLE>";
    out.append(title.constData(), size_t(title.size()));
    out += "</TITLE>\r\n<STYLE TYPE=\"text/css\"><!--\r\n";
    // Each style's cell attributes after the spans are the same for every cell: made once.
    std::vector<std::string> tails;
    tails.reserve(size_t(styles.count()));
    for (int i = 0; i < styles.count(); ++i) {
        const HtmlCellStyle &s = styles.at(i);
        out += ".Style";
        appendNumber(out, i);
        out += " {";
        appendStyleProperties(out, s);
        out += "}\r\n\r\n";
        std::string tail = " NOWRAP ALIGN=";
        tail += s.alignment == HtmlAlignment::Left     ? "LEFT"
                : s.alignment == HtmlAlignment::Center ? "CENTER"
                                                       : "RIGHT";
        tail += " CLASS=Style";
        appendNumber(tail, i);
        tail += '>';
        tails.push_back(std::move(tail));
        flushIfFull();
    }
    out += "--></STYLE>\r\n</HEAD>\r\n<BODY>\r\n<TABLE BORDER=0 CELLSPACING=0>\r\n<TR>\r\n";
    for (const int width : cells.columnWidths()) {
        out += "<TD  WIDTH=";
        appendNumber(out, width);
        out += " HEIGHT=0></TD>\r\n";
    }
    out += "</TR>\r\n";

    QByteArray scratch;
    const int columns = cells.columnCount();
    for (int r = 0; r < cells.rowCount(); ++r) {
        out += "<TR>\r\n";
        for (int c = 0; c < columns; ++c) {
            const HtmlCell &cell = cells.at(c, r);
            if (cell.hidden())
                continue;
            out += "<TD";
            if (cell.flags & HtmlCell::SpanStart) {
                if (cell.colSpan > 1) {
                    out += " COLSPAN=";
                    appendNumber(out, cell.colSpan);
                }
                if (cell.rowSpan > 1) {
                    out += " ROWSPAN=";
                    appendNumber(out, cell.rowSpan);
                }
            }
            if (cell.style < 0 || cell.style >= styles.count())
                styles.at(cell.style); // throws the message for a style the table lacks
            out += tails[size_t(cell.style)];
            if (cell.column >= 0)
                appendCellText(out, view.cellText(cell.source, cell.column, scratch));
            else if (cell.column == HtmlCell::kLiteral) {
                const QByteArray &t = cells.text(cell.source);
                appendCellText(out, std::string_view(t.constData(), size_t(t.size())));
            } else
                appendCellText(out, {});
            out += "</TD>\r\n";
        }
        out += "</TR>\r\n";
        flushIfFull();
    }
    out += "</TABLE>\r\n</BODY>\r\n</HTML>";
    sink(out);
}

} // namespace pensilio::grid
