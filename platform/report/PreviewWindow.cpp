#include "platform/report/PreviewWindow.h"

#include "platform/core/Error.h"
#include "platform/core/MessageBoxes.h"
#include "platform/report/PageStore.h"
#include "platform/report/PreviewDialogs.h"
#include "platform/report/ReportFile.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace pensilio::report {

namespace {
const QString kFileType = QStringLiteral("Report file");
const QString kPattern = QStringLiteral("(*.QRP)");
} // namespace

PreviewWindow::PreviewWindow(PageStore &store, MessageBoxes *boxes, PreviewDialogs *dialogs,
                             const QString &boxTitle, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_boxes(boxes), m_dialogs(dialogs), m_boxTitle(boxTitle)
{
    setWindowTitle(store.title());
    setAccessibleName(store.title());

    m_view = new PageView(store);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->viewport()->installEventFilter(this);
    setCentralWidget(m_scroll);

    auto *bar = addToolBar(QStringLiteral("Preview"));
    bar->setObjectName(QStringLiteral("PreviewToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto *zooms = new QActionGroup(this);
    zooms->setExclusive(true);
    const std::pair<QString, Zoom> zoomButtons[] = {{QStringLiteral("Zoom to fit"), Zoom::Fit},
                                                    {QStringLiteral("100%"), Zoom::Full},
                                                    {QStringLiteral("Zoom to width"), Zoom::Width}};
    for (const auto &[hint, zoom] : zoomButtons) {
        QAction *a = addButton(hint, QStyle::SP_FileDialogContentsView);
        a->setCheckable(true);
        a->setChecked(zoom == Zoom::Full);
        zooms->addAction(a);
        connect(a, &QAction::triggered, this, [this, zoom = zoom] { setZoom(zoom); });
    }
    m_first = addButton(QStringLiteral("First page"), QStyle::SP_MediaSkipBackward);
    m_first->setShortcuts({QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    connect(m_first, &QAction::triggered, this, [this] { showPage(1); });
    m_previous = addButton(QStringLiteral("Previous page"), QStyle::SP_MediaSeekBackward);
    m_previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    connect(m_previous, &QAction::triggered, this, [this] { showPage(currentPage() - 1); });
    m_next = addButton(QStringLiteral("Next page"), QStyle::SP_MediaSeekForward);
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    connect(m_next, &QAction::triggered, this, [this] { showPage(currentPage() + 1); });
    m_last = addButton(QStringLiteral("Last page"), QStyle::SP_MediaSkipForward);
    m_last->setShortcuts({QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    connect(m_last, &QAction::triggered, this, [this] { showPage(m_store.pageCount()); });
    m_setup = addButton(QStringLiteral("Printer setup"), QStyle::SP_FileDialogDetailedView);
    connect(m_setup, &QAction::triggered, this, &PreviewWindow::printSetupRequested);
    m_print = addButton(QStringLiteral("Print"), QStyle::SP_DialogApplyButton);
    connect(m_print, &QAction::triggered, this, &PreviewWindow::printRequested);
    m_save = addButton(QStringLiteral("Save Report"), QStyle::SP_DialogSaveButton);
    connect(m_save, &QAction::triggered, this, &PreviewWindow::saveReport);
    m_load = addButton(QStringLiteral("Load Report"), QStyle::SP_DialogOpenButton);
    connect(m_load, &QAction::triggered, this, &PreviewWindow::loadReport);
    QAction *close = bar->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("Close"));
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(close, &QAction::triggered, this, &QWidget::close);
    // The standard icons tell the page and file buttons apart; the zoom buttons and Close show
    // their words.
    QList<QAction *> worded = zooms->actions();
    worded << close;
    for (QAction *a : worded)
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(a)))
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (QAction *a : bar->actions())
        addAction(a); // keys work wherever the focus is in the window
    for (QAction *a : bar->actions())
        a->setShortcutContext(Qt::WindowShortcut);

    m_progress = new QLabel(this);
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setMinimumWidth(60);
    m_pages = new QLabel(this);
    m_pages->setAccessibleName(QStringLiteral("Page number"));
    statusBar()->addWidget(m_progress);
    statusBar()->addWidget(m_pages, 1);

    // Pages may come by the thousand between two looks at the screen: the panel and buttons are
    // brought up to date once per pass of the event loop.
    connect(&m_store, &PageStore::pageAdded, this, [this](int count) {
        if (count == 1) {
            showPage(1);
            return;
        }
        if (m_statusPending)
            return;
        m_statusPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_statusPending = false;
                updateStatus();
                updateActions();
            },
            Qt::QueuedConnection);
    });
    connect(&m_store, &PageStore::reset, this, [this] {
        setWindowTitle(m_store.title());
        showPage(m_store.pageCount() > 0 ? 1 : 0);
        m_view->setZoom(m_view->zoom());
    });
    setState(State::Running);
    if (m_store.pageCount() > 0)
        showPage(1);
}

QAction *PreviewWindow::addButton(const QString &hint, QStyle::StandardPixmap icon)
{
    auto *bar = findChild<QToolBar *>(QStringLiteral("PreviewToolBar"));
    // The desktop theme's print icons where it has them; Qt's standard ones otherwise.
    const QIcon fallback = style()->standardIcon(icon);
    QIcon themed = fallback;
    if (hint == QLatin1String("Print"))
        themed = QIcon::fromTheme(QStringLiteral("document-print"), fallback);
    else if (hint == QLatin1String("Printer setup"))
        themed = QIcon::fromTheme(QStringLiteral("document-properties"), fallback);
    QAction *a = bar->addAction(themed, hint);
    a->setObjectName(hint);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    return a;
}

QAction *PreviewWindow::action(const QString &hint) const
{
    return findChild<QAction *>(hint);
}

void PreviewWindow::setState(State state)
{
    m_state = state;
    if (state != State::Running)
        setProgress(100);
    updateActions();
}

void PreviewWindow::setProgress(int percent)
{
    if (percent <= 0 || percent >= 100) {
        m_progress->clear();
        m_shownPercent = percent <= 0 ? 0 : 100;
        return;
    }
    if (percent - m_shownPercent >= 5) {
        m_shownPercent = percent;
        m_progress->setText(QString::number(percent) + QLatin1Char('%'));
    }
}

QString PreviewWindow::progressText() const
{
    return m_progress->text();
}

QString PreviewWindow::pageText() const
{
    return m_pages->text();
}

void PreviewWindow::showPage(int number)
{
    const int count = m_store.pageCount();
    if (count == 0) {
        m_view->setPage(-1);
    } else {
        m_view->setPage(qBound(1, number, count) - 1);
        m_scroll->ensureVisible(0, 0);
    }
    updateStatus();
    updateActions();
}

void PreviewWindow::setZoom(Zoom zoom)
{
    m_view->setZoom(zoom);
}

void PreviewWindow::updateStatus()
{
    if (m_store.pageCount() == 0) {
        m_pages->clear();
        return;
    }
    m_pages->setText(QStringLiteral("Page %1 of %2").arg(currentPage()).arg(m_store.pageCount()));
}

void PreviewWindow::updateActions()
{
    const int page = currentPage();
    const int count = m_store.pageCount();
    m_first->setEnabled(page > 1);
    m_previous->setEnabled(page > 1);
    m_next->setEnabled(page < count);
    m_last->setEnabled(page < count);
    m_setup->setEnabled(m_state == State::Complete);
    m_print->setEnabled(m_state != State::Running);
    // Pages still coming would be saved half, and loaded ones would mix with the run's.
    m_save->setEnabled(m_state != State::Running && count > 0);
    m_load->setEnabled(m_state != State::Running);
}

void PreviewWindow::saveReport()
{
    if (m_state == State::Running)
        return;
    const QString name = m_dialogs->saveFileName(this, QStringLiteral("Save report"),
                                                 kFileType + kPattern, QStringLiteral("QRP"));
    if (name.isEmpty())
        return;
    try {
        reportfile::save(name, m_store);
    } catch (const Error &error) {
        m_boxes->showMessage(m_boxTitle, error.message());
    }
}

void PreviewWindow::loadReport()
{
    if (m_state == State::Running)
        return;
    const QString name = m_dialogs->openFileName(this, QStringLiteral("Load report"),
                                                 kFileType + QLatin1Char(' ') + kPattern);
    if (name.isEmpty())
        return;
    if (!QFileInfo(name).isFile()) {
        m_boxes->showMessage(m_boxTitle, QStringLiteral("File does not exist"));
        return;
    }
    try {
        ReportPages pages = reportfile::load(name);
        m_store.replace(pages.title, pages.paper, std::move(pages.styles), std::move(pages.pages));
    } catch (const Error &error) {
        m_boxes->showMessage(m_boxTitle, error.message());
        return;
    }
    setState(State::Loaded);
    showPage(1);
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        m_view->setViewportSize(m_scroll->viewport()->size());
    return QMainWindow::eventFilter(watched, event);
}

} // namespace pensilio::report
