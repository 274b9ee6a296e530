#pragma once
// A page as a compact list of drawing commands: filled rectangles, lines of text and thin
// lines, positioned in hundredths of a millimetre on the paper. Numbers are variable-length and
// texts stay Windows-1252 bytes, so a page of memos costs little more than its text.

#include <QByteArray>
#include <QByteArrayView>
#include <QRectF>

namespace pensilio::report {

class PageStyles;

enum class TextFlag : quint8
{
    None = 0,
    Centred = 1,
    Opaque = 2
};

// Appends commands to one page's bytes. Positions are millimetres.
class PageWriter
{
public:
    explicit PageWriter(QByteArray &page) : m_page(page) {}
    void fillRect(const QRectF &mm, int color);
    // 'box' is the line's box: the text starts at its left edge or is centred in it; with
    // Opaque the box is first filled with 'background'.
    void text(const QRectF &box, int font, int color, TextFlag flags, int background,
              QByteArrayView text);
    // A line one device pixel wide, whatever the device.
    void hairline(double x1, double y1, double x2, double y2, int color);

private:
    QByteArray &m_page;
};

class PageVisitor
{
public:
    virtual ~PageVisitor() = default;
    virtual void fillRect(const QRectF &mm, int color) = 0;
    virtual void text(const QRectF &box, int font, int color, TextFlag flags, int background,
                      QByteArrayView text) = 0;
    virtual void hairline(double x1, double y1, double x2, double y2, int color) = 0;
};

// Walks a page's commands. A page that does not decode (unknown command, a number or text that
// runs past the end, a font or colour the styles do not have) stops the walk with false, before
// anything of the faulty command is visited.
bool visitPage(QByteArrayView page, const PageStyles &styles, PageVisitor &visitor);

} // namespace pensilio::report
