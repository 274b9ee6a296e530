#pragma once
// One print preview of a report: opens the preview window, runs the report into its page store
// while the window already shows the finished pages, and serves printer setup and printing
// until the window closes.

#include "platform/report/PageStore.h"
#include "platform/report/ReportTemplate.h"

#include <QObject>
#include <memory>

class QPrinter;

namespace pensilio {
class MessageBoxes;
}

namespace pensilio::report {

class PreviewDialogs;
class PreviewWindow;
class ReportDataSource;
class ReportRun;

class ReportPreview final : public QObject
{
    Q_OBJECT
public:
    struct Services
    {
        MessageBoxes *boxes = nullptr;
        PreviewDialogs *dialogs = nullptr;
        QPrinter *printer = nullptr; // the report's printer settings, kept by its owner
        QString boxTitle;            // caption of message boxes
    };

    ReportPreview(const ReportTemplate &report, ReportDataSource &source, Services services);
    ~ReportPreview() override;

    // Returns once the window has closed or the application is quitting. Closing the window
    // while the run goes on stops the run.
    void exec();
    bool isRunning() const { return m_run != nullptr; }
    PreviewWindow *window() const { return m_window.get(); }
    PageStore &store() { return m_store; }

    void printSetup();
    void print();

Q_SIGNALS:
    void windowOpened(pensilio::report::PreviewWindow *window);
    void runFinished();

private:
    ReportTemplate orientedReport() const;

    ReportTemplate m_report;
    ReportDataSource &m_source;
    Services m_services;
    PageStore m_store;
    std::unique_ptr<PreviewWindow> m_window;
    ReportRun *m_run = nullptr;
    bool m_closed = false;
    bool m_printing = false;
};

} // namespace pensilio::report
