#pragma once
// The report form: the memo report QRSTScad, its print preview Anteprima and the command that
// previews every memo. The form itself is never shown; only the preview is.

#include "platform/report/ReportTemplate.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QPrinter;

namespace pensilio {
class MessageBoxes;
namespace memdata {
class Table;
}
namespace report {
class PreviewDialogs;
class ReportPreview;
} // namespace report

class TFFQRSTSCAD : public QWidget
{
    Q_OBJECT
public:
    // 'dialogs' stands in for the preview's modal dialogs; none means Qt's own.
    TFFQRSTSCAD(memdata::Table &table, MessageBoxes *boxes,
                report::PreviewDialogs *dialogs = nullptr, QWidget *parent = nullptr);
    ~TFFQRSTSCAD() override;

    // Runs QRSTScad into a preview window and returns once that window is closed.
    void Anteprima();
    // "Stampa TOTALE": nothing when the table is empty; otherwise every memo in the preview,
    // after which the table's current record is the last memo.
    void StampaTotale();

    // The preview of the run in progress, or none.
    report::ReportPreview *preview() const { return m_preview; }
    // The report's printer settings, kept from one preview and print to the next.
    QPrinter &printer() { return *m_printer; }

    report::ReportTemplate QRSTScad;

private:
    static report::ReportTemplate buildQRSTScad();

    memdata::Table &m_table;
    MessageBoxes *m_boxes;
    report::PreviewDialogs *m_dialogs;
    std::unique_ptr<report::PreviewDialogs> m_ownDialogs;
    std::unique_ptr<QPrinter> m_printer;
    report::ReportPreview *m_preview = nullptr;
};

} // namespace pensilio
