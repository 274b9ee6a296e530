#include "platform/widgets/HyperlinkLabel.h"

#include "platform/core/DesktopShell.h"
#include "platform/widgets/WidgetsAccessibility.h"

#include <QMouseEvent>
#include <QRegularExpression>

namespace pensilio::widgets {

HyperlinkLabel::HyperlinkLabel(QWidget *parent) : QLabel(parent)
{
    installWidgetsAccessibility();
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // Else the button-face background would make the text the button-text colour.
    setForegroundRole(QPalette::WindowText);
    applyLinkLook();
}

QString HyperlinkLabel::addressFor(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // A scheme followed by "//" ("https://", "ftp://"), or one of the schemes that have none.
    static const QRegularExpression scheme(
        QStringLiteral("^(?:[a-z][a-z0-9+.-]*://|(?:mailto|news|tel|urn):)"),
        QRegularExpression::CaseInsensitiveOption);
    if (scheme.match(trimmed).hasMatch())
        return trimmed;
    return QStringLiteral("http://") + trimmed;
}

void HyperlinkLabel::setBackgroundColor(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(backgroundRole(), color);
    setPalette(pal);
}

void HyperlinkLabel::open()
{
    const QString target = address();
    if (target.isEmpty() || !m_shell)
        return;
    m_shell->execute(QStringLiteral("open"), target, QString(), QString(), DesktopShell::Maximized);
    Q_EMIT opened(target);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        open();
}

void HyperlinkLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    // A font or palette set by the form keeps the link's colour and underline.
    if (!m_applying &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange))
        applyLinkLook();
}

void HyperlinkLabel::applyLinkLook()
{
    m_applying = true;
    QFont f = font();
    if (!f.underline()) {
        f.setUnderline(true);
        setFont(f);
    }
    QPalette pal = palette();
    if (pal.color(QPalette::WindowText) != QColor(kLinkColor)) {
        pal.setColor(QPalette::WindowText, QColor(kLinkColor));
        setPalette(pal);
    }
    m_applying = false;
}

} // namespace pensilio::widgets
