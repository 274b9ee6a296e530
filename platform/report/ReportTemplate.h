#pragma once
// The declared layout of a banded report: paper, margins and bands holding printable elements,
// all measured in millimetres. It is plain data: a form fills it in, the run reads it.

#include <QByteArray>
#include <QColor>
#include <QSizeF>
#include <QString>
#include <vector>

namespace pensilio::report {

struct FontSpec
{
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontSpec &) const = default;
};

enum class ElementKind
{
    Label,
    FieldText,
    HorizontalLine
};
enum class Sizing
{
    Fixed,
    SizedToText,
    Stretching
};
enum class Alignment
{
    Left,
    Centre
};

struct ReportElement
{
    QString name;
    ElementKind kind = ElementKind::Label;
    QByteArray text;  // a label's caption, Windows-1252
    QString field;    // a field text's field, matched ignoring case
    double left = 0;  // mm from the band's left edge
    double top = 0;   // mm from the band's top edge
    double width = 0; // mm; a sized-to-text element takes the width of its text
    double height = 0;
    FontSpec font;
    QColor color = Qt::black; // text colour, or the pen of a line
    QColor background = Qt::white;
    bool transparent = false;
    bool wordWrap = true;
    Alignment alignment = Alignment::Left;
    Sizing sizing = Sizing::Fixed;
};

enum class BandKind
{
    Title,
    Detail
};

struct ReportBand
{
    QString name;
    BandKind kind = BandKind::Detail;
    double height = 0; // mm
    double width = 0;  // mm
    QColor background = Qt::white;
    std::vector<ReportElement> elements;
};

struct ReportTemplate
{
    QString title;
    QSizeF paper{210, 297}; // mm, portrait
    double leftMargin = 10, topMargin = 10, rightMargin = 10, bottomMargin = 10;
    // A run over an empty data source still prints the title band and one empty detail band.
    bool printIfEmpty = true;
    std::vector<ReportBand> bands;

    const ReportBand *band(BandKind kind) const
    {
        for (const ReportBand &b : bands)
            if (b.kind == kind)
                return &b;
        return nullptr;
    }
};

} // namespace pensilio::report
