#pragma once
// The info dialog FFINFO: a notice that the documentation lives on the maker's web site, and a
// link to it. Created hidden at start-up and shown modally when a documentation file is missing.

#include <QDialog>
#include <functional>

class QTextEdit;

namespace pensilio {

class DesktopShell;
namespace widgets {
class BevelPanel;
class HyperlinkLabel;
} // namespace widgets

class TFFINFO : public QDialog
{
    Q_OBJECT
public:
    static inline const QString kDocumentationAddress =
        QStringLiteral("https://pensilio.example.org/memo");

    // The shell opens the link; it is not owned.
    explicit TFFINFO(DesktopShell *shell, QWidget *parent = nullptr);

    // Shows the dialog modally and returns its result once it is closed.
    int ShowModal();
    // How the dialog is shown modally; tests put a scripted run in place of the event loop.
    void setModalRunner(std::function<int(QDialog &)> runner) { m_runner = std::move(runner); }

    widgets::BevelPanel *Panel1 = nullptr;
    widgets::BevelPanel *Panel3 = nullptr;
    QTextEdit *Memo1 = nullptr;
    widgets::BevelPanel *Panel2 = nullptr;
    widgets::HyperlinkLabel *cxHyperLinkEdit4 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The strips keep their heights at the top and bottom; the notice takes the rest.
    void placePanels();

    std::function<int(QDialog &)> m_runner;
};

} // namespace pensilio
