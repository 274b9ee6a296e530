#pragma once
// The look of one exported cell, from which one style-sheet class is written, and the table that
// keeps each distinct look once, numbered in the order of first use.

#include <QByteArray>
#include <QRgb>
#include <array>
#include <unordered_map>
#include <vector>

namespace pensilio::grid {

enum class HtmlAlignment : quint8
{
    Left,
    Center,
    Right
};

enum HtmlFontStyle : quint8
{
    FontBold = 1,
    FontItalic = 2,
    FontUnderline = 4,
    FontStrikeOut = 8
};

enum HtmlSide
{
    SideLeft,
    SideTop,
    SideRight,
    SideBottom
};

struct HtmlBorder
{
    bool isDefault = false;
    int width = 1;
    QRgb color = 0;
    bool operator==(const HtmlBorder &) const = default;
};

struct HtmlCellStyle
{
    static constexpr int kMaxFontName = 32;

    HtmlAlignment alignment = HtmlAlignment::Center;
    QByteArray fontName; // Windows-1252, at most kMaxFontName characters
    quint8 fontStyle = 0;
    QRgb fontColor = 0;
    int fontSize = 8; // points
    int charset = 0;
    std::array<HtmlBorder, 4> borders;
    int brushStyle = 0;
    QRgb background = 0;
    QRgb foreground = 0;

    bool operator==(const HtmlCellStyle &) const = default;
    size_t hash() const;
};

struct HtmlCellStyleHash
{
    size_t operator()(const HtmlCellStyle &s) const { return s.hash(); }
};

class HtmlStyleTable
{
public:
    // The style's number: the one it already has, or the next one.
    int add(const HtmlCellStyle &style);
    int count() const { return static_cast<int>(m_styles.size()); }
    // Throws "Invalid style index %d" for a number the table does not hold.
    const HtmlCellStyle &at(int index) const;

private:
    std::vector<HtmlCellStyle> m_styles;
    std::unordered_map<HtmlCellStyle, int, HtmlCellStyleHash> m_index;
};

} // namespace pensilio::grid
