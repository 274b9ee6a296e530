#include "output/UFQRSTSCAD.h"

#include "output/ReportTableSource.h"
#include "platform/core/ErrorText.h"
#include "platform/memdata/Table.h"
#include "platform/report/PreviewDialogs.h"
#include "platform/report/ReportPreview.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPrinter>

namespace pensilio {

using namespace report;

namespace {

const QColor kGrey(128, 128, 128);

FontSpec courierNew(double points, bool bold = false, bool underline = false)
{
    FontSpec font;
    font.family = QStringLiteral("Courier New");
    font.pointSize = points;
    font.bold = bold;
    font.underline = underline;
    return font;
}

ReportElement label(const char *name, QByteArray text, double left, double top, double width,
                    double height, FontSpec font, QColor color, Alignment alignment, Sizing sizing)
{
    ReportElement e;
    e.name = QString::fromLatin1(name);
    e.kind = ElementKind::Label;
    e.text = std::move(text);
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.font = std::move(font);
    e.color = color;
    e.alignment = alignment;
    e.sizing = sizing;
    return e;
}

ReportElement fieldText(const char *name, const char *field, double left, double top, double width,
                        double height, FontSpec font, QColor color, Sizing sizing)
{
    ReportElement e = label(name, QByteArray(), left, top, width, height, std::move(font), color,
                            Alignment::Left, sizing);
    e.kind = ElementKind::FieldText;
    e.field = QString::fromLatin1(field);
    return e;
}

// A line across its box at the box's vertical middle, one device pixel wide.
ReportElement horizontalLine(const char *name, double left, double top, double width, double height)
{
    ReportElement e;
    e.name = QString::fromLatin1(name);
    e.kind = ElementKind::HorizontalLine;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.color = kGrey;
    return e;
}

} // namespace

ReportTemplate TFFQRSTSCAD::buildQRSTScad()
{
    const QColor windowText = QGuiApplication::palette().color(QPalette::WindowText);
    ReportTemplate r;
    r.title = QStringLiteral("STAMPA MEMO");
    r.paper = QSizeF(210, 297);
    r.leftMargin = r.topMargin = r.rightMargin = r.bottomMargin = 10;
    r.printIfEmpty = true;

    ReportBand title;
    title.name = QStringLiteral("QRBand1");
    title.kind = BandKind::Title;
    title.height = 28.31;
    title.width = 189.97;
    title.elements = {
        label("QRLabel1", "PENSILIO - Memo (Versione freeware 1.0)", 0.00, 2.65, 190.24, 5.03,
              courierNew(10, true), windowText, Alignment::Centre, Sizing::Fixed),
        // Wider than the band on purpose: the title centres 5.15 mm right of the page's middle.
        label("QRLTipo", "STAMPA MEMO: Totale", 0.00, 9.26, 200.29, 5.03, courierNew(12, true),
              windowText, Alignment::Centre, Sizing::Fixed),
        horizontalLine("QRShape2", 0.00, 14.82, 190.76, 2.38),
        label("QRLabel3", "Data/ora", 0.53, 16.93, 0, 4.50, courierNew(8, false, true), kGrey,
              Alignment::Left, Sizing::SizedToText),
        // The caption stands left of the subject column, as it always has.
        label("QRLabel2", "Oggetto", 36.51, 16.93, 0, 4.50, courierNew(8), kGrey, Alignment::Left,
              Sizing::SizedToText),
        label("QRLabel11", "Note", 8.47, 22.23, 0, 4.50, courierNew(8), kGrey, Alignment::Left,
              Sizing::SizedToText),
        horizontalLine("QRShape1", 0.00, 25.93, 190.76, 2.38),
    };

    ReportBand detail;
    detail.name = QStringLiteral("QRBand2");
    detail.kind = BandKind::Detail;
    detail.height = 9.79;
    detail.width = 189.97;
    detail.elements = {
        fieldText("QRDBText1", "DataOra", 0.53, 0.00, 46.30, 4.50, courierNew(8, true, true),
                  windowText, Sizing::Fixed),
        fieldText("QRDBText2", "Oggetto", 51.33, 0.00, 137.32, 4.50, courierNew(8, true, true),
                  windowText, Sizing::Fixed),
        fieldText("QRDBText18", "Note", 8.47, 4.23, 180.71, 4.50, courierNew(8), windowText,
                  Sizing::Stretching),
    };
    r.bands = {title, detail};
    return r;
}

TFFQRSTSCAD::TFFQRSTSCAD(memdata::Table &table, MessageBoxes *boxes,
                         report::PreviewDialogs *dialogs, QWidget *parent)
    : QWidget(parent), QRSTScad(buildQRSTScad()), m_table(table), m_boxes(boxes), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FFQRSTSCAD"));
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<QtPreviewDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setDocName(QRSTScad.title);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setPageOrientation(QPageLayout::Portrait);
    m_printer->setCopyCount(1);
    m_printer->setDuplex(QPrinter::DuplexNone);
    m_printer->setPrintRange(QPrinter::AllPages);
    m_printer->setFromTo(0, 0);
    m_printer->setPaperSource(QPrinter::Auto);
}

TFFQRSTSCAD::~TFFQRSTSCAD() = default;

void TFFQRSTSCAD::Anteprima()
{
    QCoreApplication::processEvents();
    if (m_preview && m_preview->isRunning())
        return;
    ReportTableSource source(m_table);
    ReportPreview preview(QRSTScad, source,
                          {m_boxes, m_dialogs, m_printer.get(),
                           applicationTitleFromPath(QCoreApplication::applicationFilePath())});
    // The preview in progress is known while it runs, even when an error leaves it early.
    struct Current
    {
        ReportPreview *&slot;
        ReportPreview *outer;
        ~Current() { slot = outer; }
    } current{m_preview, m_preview};
    m_preview = &preview;
    preview.exec();
}

void TFFQRSTSCAD::StampaTotale()
{
    if (m_table.recordCount() == 0)
        return;
    Anteprima();
}

} // namespace pensilio
