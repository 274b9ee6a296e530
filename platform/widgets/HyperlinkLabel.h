#pragma once
// A read-only web address shown as a link: a single left click asks the desktop shell to open
// it in a maximised window. It takes no keyboard focus.

#include <QLabel>

namespace pensilio {
class DesktopShell;
}

namespace pensilio::widgets {

class HyperlinkLabel : public QLabel
{
    Q_OBJECT

public:
    static constexpr QRgb kLinkColor = 0x0000FF;

    explicit HyperlinkLabel(QWidget *parent = nullptr);

    // The shell is not owned; without one a click does nothing.
    void setDesktopShell(DesktopShell *shell) { m_shell = shell; }

    // The address a click opens: the trimmed text with "http://" in front, unless it already
    // begins with a scheme ("http://", "https://", "ftp://", "mailto:", ...). Empty text gives
    // the empty address.
    static QString addressFor(const QString &text);
    QString address() const { return addressFor(text()); }

    // Colour behind the text; by default the button face of the desktop's scheme.
    void setBackgroundColor(const QColor &color);

public Q_SLOTS:
    // Opens the address as a click does.
    void open();

Q_SIGNALS:
    void opened(const QString &address);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyLinkLook();

    DesktopShell *m_shell = nullptr;
    bool m_pressed = false;
    bool m_applying = false;
};

} // namespace pensilio::widgets
