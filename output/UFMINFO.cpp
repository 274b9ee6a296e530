#include "output/UFMINFO.h"
#include "platform/widgets/PixelFont.h"

#include "platform/widgets/BevelPanel.h"
#include "platform/widgets/HyperlinkLabel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextEdit>

namespace pensilio {

using widgets::BevelPanel;

namespace {

using widgets::pixelFont;

constexpr int kClientWidth = 391;
constexpr int kClientHeight = 150;
constexpr int kTopHeight = 9;
constexpr int kBottomHeight = 39;

} // namespace

TFFINFO::TFFINFO(DesktopShell *shell, QWidget *parent)
    : QDialog(parent), m_runner([](QDialog &dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("FFINFO"));
    setWindowTitle(QStringLiteral("DOCUMENTAZIONE - INFORMATIVE"));
    setModal(true);
    setSizeGripEnabled(false);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));

    Panel1 = new BevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setOuterBevel(BevelPanel::Bevel::Lowered, 1);
    Panel1->setInnerBevel(BevelPanel::Bevel::Raised, 1);
    Panel1->setColorRole(QPalette::Light);

    Panel3 = new BevelPanel(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setOuterBevel(BevelPanel::Bevel::Raised, 1);
    Panel3->setInnerBevel(BevelPanel::Bevel::Lowered, 1);
    Panel3->setColorRole(QPalette::Button);

    Memo1 = new QTextEdit(Panel3);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAcceptRichText(false);
    Memo1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Memo1->setLineWidth(2);
    Memo1->setLineWrapMode(QTextEdit::WidgetWidth);
    Memo1->setFont(pixelFont(QStringLiteral("Times New Roman"), 19));
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, QColor(0xF2, 0xF0, 0xE3));
    memoPalette.setColor(QPalette::Text, QColor(0x75, 0x75, 0x75));
    Memo1->setPalette(memoPalette);
    Memo1->setPlainText(QStringLiteral("La documentazione e le informative relative \n"
                                       "alle evoluzioni dell'pensilio sono residenti\n"
                                       "nel ns. sito web (causa frequenti\n"
                                       "evoluzioni del software)."));
    // Every line centred, including those the user types later.
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    Memo1->setAlignment(Qt::AlignHCenter);
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->setTabChangesFocus(true);
    Memo1->setAccessibleName(QStringLiteral("Informativa"));

    Panel2 = new BevelPanel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setOuterBevel(BevelPanel::Bevel::Lowered, 1);
    Panel2->setInnerBevel(BevelPanel::Bevel::Raised, 1);
    Panel2->setColorRole(QPalette::Light);

    cxHyperLinkEdit4 = new widgets::HyperlinkLabel(Panel2);
    cxHyperLinkEdit4->setObjectName(QStringLiteral("cxHyperLinkEdit4"));
    cxHyperLinkEdit4->setGeometry(57, 8, 272, 24);
    cxHyperLinkEdit4->setText(kDocumentationAddress);
    cxHyperLinkEdit4->setDesktopShell(shell);
    cxHyperLinkEdit4->setAccessibleName(QStringLiteral("Sito della documentazione"));

    resize(kClientWidth, kClientHeight);
    placePanels();
    Memo1->setFocus();
}

int TFFINFO::ShowModal()
{
    return m_runner(*this);
}

void TFFINFO::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placePanels();
}

void TFFINFO::placePanels()
{
    const int w = width(), h = height();
    Panel1->setGeometry(0, 0, w, kTopHeight);
    Panel2->setGeometry(0, h - kBottomHeight, w, kBottomHeight);
    Panel3->setGeometry(0, kTopHeight, w, std::max(0, h - kTopHeight - kBottomHeight));
    Memo1->setGeometry(Panel3->contentRect());
}

void TFFINFO::showEvent(QShowEvent *event)
{
    // Centred on the screen each time it opens, with the notice holding the keyboard focus.
    if (const QScreen *screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    Memo1->setFocus();
}

} // namespace pensilio
