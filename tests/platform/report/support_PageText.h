#pragma once
// Test helpers for reports: a measurer with exact, simple metrics, a data source of rows held
// in memory, and a page written out as short text lines so expectations read like the page.

#include "platform/report/PageCommands.h"
#include "platform/report/PageStyles.h"
#include "platform/report/ReportDataSource.h"
#include "platform/report/TextMeasurer.h"

#include <QStringList>
#include <map>
#include <vector>

namespace pensilio::testing {

// Every character is 'charWidth' wide and every line 'lineHeight' tall, whatever the font.
class FixedMeasurer final : public report::TextMeasurer
{
public:
    explicit FixedMeasurer(double charWidth = 2.0, double lineHeight = 4.0)
        : m_charWidth(charWidth), m_lineHeight(lineHeight)
    {}
    double textWidth(const report::FontSpec &, QByteArrayView text) const override
    {
        return m_charWidth * static_cast<double>(text.size());
    }
    double lineHeight(const report::FontSpec &) const override { return m_lineHeight; }

private:
    double m_charWidth, m_lineHeight;
};

class RowsSource final : public report::ReportDataSource
{
public:
    RowsSource(QStringList fields, std::vector<std::vector<QByteArray>> rows)
        : m_fields(std::move(fields)), m_rows(std::move(rows))
    {}
    void first() override { m_position = 0; }
    void next() override { ++m_position; }
    bool eof() const override { return m_position >= static_cast<int>(m_rows.size()); }
    int recordCount() const override { return static_cast<int>(m_rows.size()); }
    int fieldIndex(const QString &name) const override
    {
        for (int i = 0; i < m_fields.size(); ++i)
            if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    std::optional<QByteArrayView> fieldText(int field, QByteArray &) const override
    {
        if (eof())
            return QByteArrayView();
        return QByteArrayView(m_rows[static_cast<size_t>(m_position)][static_cast<size_t>(field)]);
    }
    int position() const { return m_position; }

private:
    QStringList m_fields;
    std::vector<std::vector<QByteArray>> m_rows;
    int m_position = -1;
};

// One line per command: "fill x,y wxh", "text x,y wxh 'text'", "line x1,y1-x2,y2", in mm with
// two decimals; fills are left out unless asked for, as they rarely tell anything.
class PageText final : public report::PageVisitor
{
public:
    explicit PageText(bool withFills = false) : m_withFills(withFills) {}
    void fillRect(const QRectF &r, int) override
    {
        if (m_withFills)
            lines << QStringLiteral("fill %1,%2 %3x%4")
                         .arg(n(r.x()), n(r.y()), n(r.width()), n(r.height()));
    }
    void text(const QRectF &r, int, int, report::TextFlag, int, QByteArrayView t) override
    {
        lines << QStringLiteral("text %1,%2 '%3'")
                     .arg(n(r.x()), n(r.y()), QString::fromLatin1(t.data(), t.size()));
    }
    void hairline(double x1, double y1, double x2, double y2, int) override
    {
        lines << QStringLiteral("line %1,%2-%3,%4").arg(n(x1), n(y1), n(x2), n(y2));
    }
    static QString n(double v) { return QString::number(v, 'f', 2); }

    static QStringList of(const QByteArray &page, const report::PageStyles &styles,
                          bool withFills = false)
    {
        PageText text(withFills);
        if (!report::visitPage(page, styles, text))
            text.lines << QStringLiteral("<damaged>");
        return text.lines;
    }
    QStringList lines;

private:
    bool m_withFills;
};

} // namespace pensilio::testing
