#pragma once
// The print preview window over a page store: zoom, page by page browsing, the run's progress,
// saving and loading report files, and the buttons that ask for printer setup and printing.

#include "platform/report/PageView.h"

#include <QMainWindow>
#include <QStyle>

class QAction;
class QLabel;
class QScrollArea;

namespace pensilio {
class MessageBoxes;
}

namespace pensilio::report {

class PageStore;
class PreviewDialogs;

class PreviewWindow final : public QMainWindow
{
    Q_OBJECT
public:
    // Running: the pages are still coming; Complete: the run is over; Loaded: the pages came
    // from a report file.
    enum class State
    {
        Running,
        Complete,
        Loaded
    };

    PreviewWindow(PageStore &store, MessageBoxes *boxes, PreviewDialogs *dialogs,
                  const QString &boxTitle, QWidget *parent = nullptr);

    State state() const { return m_state; }
    void setState(State state);
    // The run's progress; the panel moves in steps of at least five and is empty at 0 and 100.
    void setProgress(int percent);
    // From 1; 0 while there is no page.
    int currentPage() const { return m_view->page() + 1; }
    void showPage(int number);
    Zoom zoom() const { return m_view->zoom(); }
    QString progressText() const;
    QString pageText() const;
    QAction *action(const QString &hint) const;

    void saveReport();
    void loadReport();

Q_SIGNALS:
    void printSetupRequested();
    void printRequested();
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addButton(const QString &hint, QStyle::StandardPixmap icon);
    void setZoom(Zoom zoom);
    void updateStatus();
    void updateActions();

    PageStore &m_store;
    MessageBoxes *m_boxes;
    PreviewDialogs *m_dialogs;
    QString m_boxTitle;
    State m_state = State::Running;
    PageView *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_progress = nullptr;
    QLabel *m_pages = nullptr;
    int m_shownPercent = 0;
    bool m_statusPending = false;
    QAction *m_first = nullptr, *m_previous = nullptr, *m_next = nullptr, *m_last = nullptr;
    QAction *m_setup = nullptr, *m_print = nullptr, *m_save = nullptr, *m_load = nullptr;
};

} // namespace pensilio::report
