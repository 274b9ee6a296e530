#include "ui/main/UFFMAIN.h"

#include "platform/core/MessageBoxes.h"
#include "platform/grid/BandedGridView.h"
#include "platform/grid/GridFilterController.h"
#include "platform/grid/GridFilterUi.h"
#include "platform/grid/GridViewModel.h"
#include "platform/widgets/BevelPanel.h"
#include "platform/widgets/HyperlinkLabel.h"
#include "platform/widgets/PixelFont.h"
#include "platform/widgets/SplitDropDownButton.h"
#include "store/UDM1.h"
#include "ui/editor/UFMFSCAD.h"
#include "ui/main/MemoGrid.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

static void initMainWindowResources()
{
    Q_INIT_RESOURCE(UFFMAIN);
}

namespace pensilio {

using widgets::BevelPanel;

namespace {

using widgets::pixelFont;

BevelPanel *makePanel(QWidget *parent, const char *name, BevelPanel::Bevel outer, int outerWidth,
                      BevelPanel::Bevel inner, int innerWidth, QPalette::ColorRole color)
{
    auto *panel = new BevelPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setOuterBevel(outer, outerWidth);
    panel->setInnerBevel(inner, innerWidth);
    panel->setColorRole(color);
    return panel;
}

QBoxLayout *fill(QWidget *panel, QBoxLayout::Direction direction)
{
    // The panel's contents margins already keep the layout inside its bevels.
    auto *layout = new QBoxLayout(direction, panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption,
                        const QRect &geometry, int pixels, bool bold = false)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setFont(pixelFont(QStringLiteral("Tahoma"), pixels, bold));
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(p);
    return button;
}

} // namespace

TFFMAIN::TFFMAIN(TDM1 &dm1, const Services &services, QWidget *parent)
    : QWidget(parent), m_dm1(dm1), m_services(services)
{
    initMainWindowResources();
    setObjectName(QStringLiteral("FFMAIN"));
    setWindowIcon(QIcon(QStringLiteral(":/pensilio/icon.png")));
    setWindowTitle(QStringLiteral("  PENSILIO - Memo (Versione freeware 1.0)   "));
    setAccessibleName(QStringLiteral("PENSILIO - Memo"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(950, 548);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildBanner();
    buildCentre();
    buildBottomBar();
    layout->addWidget(Panel1);
    layout->addWidget(Panel3, 1);
    layout->addWidget(Panel2);

    // Tab goes from the grid through the five buttons; labels and the link take no focus.
    setTabOrder(cxGrid1, BBInserisci);
    setTabOrder(BBInserisci, BBModifica);
    setTabOrder(BBModifica, BBCancella);
    setTabOrder(BBCancella, BBStampa);
    setTabOrder(BBStampa, BBEsci);

    connect(BBInserisci, &QPushButton::clicked, this, &TFFMAIN::BBInserisciClick);
    connect(BBModifica, &QPushButton::clicked, this, &TFFMAIN::BBModificaClick);
    connect(BBCancella, &QPushButton::clicked, this, &TFFMAIN::BBCancellaClick);
    connect(BBEsci, &QPushButton::clicked, this, &TFFMAIN::BBEsciClick);
    connect(StampaTOTALE1, &QAction::triggered, this, &TFFMAIN::StampaTOTALE1Click);
    connect(StampaHTMLselezione1, &QAction::triggered, this, &TFFMAIN::StampaHTMLselezione1Click);
    connect(BBHelp, &QPushButton::clicked, this, &TFFMAIN::BBHelpClick);
    connect(BBInforma, &QPushButton::clicked, this, &TFFMAIN::BBInformaClick);
}

TFFMAIN::~TFFMAIN()
{
    // The filter goes first, then the grid's view stops listening to the table, which outlives
    // the window and is written after it.
    delete cxGrid1FilterUi;
    delete cxGrid1Filter;
    cxGrid1DBTableView1->setTable(nullptr);
}

void TFFMAIN::buildBanner()
{
    Panel1 = makePanel(this, "Panel1", BevelPanel::Bevel::Raised, 3, BevelPanel::Bevel::Lowered, 3,
                       QPalette::Light);
    Panel1->setFixedHeight(89);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pensilio/banner.jpg")));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAccessibleName(QStringLiteral("PENSILIO Memo"));

    Panel8 = makePanel(Panel1, "Panel8", BevelPanel::Bevel::Raised, 1, BevelPanel::Bevel::Lowered,
                       1, QPalette::Light);
    Panel8->setFixedWidth(168);
    auto makeCaptionPanel = [this](const char *name, const QString &caption, int pixels,
                                   bool bold) {
        BevelPanel *panel = makePanel(Panel8, name, BevelPanel::Bevel::Raised, 2,
                                      BevelPanel::Bevel::Lowered, 2, QPalette::Button);
        panel->setSingleBorder(true);
        panel->setCaption(caption);
        panel->setCaptionFont(pixelFont(QStringLiteral("Tahoma"), pixels, bold));
        panel->setCaptionColorRole(QPalette::Highlight);
        panel->setAccessibleName(caption);
        return panel;
    };
    Panel9 = makeCaptionPanel("Panel9", QStringLiteral("MEMO"), 16, true);
    Panel9->setFixedHeight(39);
    Panel10 = makeCaptionPanel("Panel10", QStringLiteral("Versione free 1.0"), 15, false);

    QBoxLayout *product = fill(Panel8, QBoxLayout::TopToBottom);
    product->addWidget(Panel9);
    product->addWidget(Panel10, 1);
    QBoxLayout *bar = fill(Panel1, QBoxLayout::LeftToRight);
    bar->addWidget(Image1, 1);
    bar->addWidget(Panel8);
}

void TFFMAIN::buildCentre()
{
    Panel3 = makePanel(this, "Panel3", BevelPanel::Bevel::Raised, 3, BevelPanel::Bevel::Lowered, 3,
                       QPalette::Light);
    Panel3->setBorderWidth(1);
    Panel6 = makePanel(Panel3, "Panel6", BevelPanel::Bevel::Lowered, 1, BevelPanel::Bevel::Lowered,
                       1, QPalette::Light);
    fill(Panel3, QBoxLayout::LeftToRight)->addWidget(Panel6);

    cxGrid1DBTableView1 = new grid::GridViewModel(this);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    configureMemoGrid(*cxGrid1DBTableView1);
    cxGrid1DBTableView1->setTable(m_dm1.DSScad.DataSet);
    cxGrid1 = new grid::BandedGridView(Panel6);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1->setAccessibleName(QStringLiteral("Memo"));
    cxGrid1->setModel(cxGrid1DBTableView1);
    cxGrid1Filter = new grid::GridFilterController(cxGrid1DBTableView1, this);
    cxGrid1FilterUi = new grid::GridFilterUi(cxGrid1Filter, this, this);
    cxGrid1FilterUi->setMessageBoxes(m_services.boxes, m_services.title);
    cxGrid1FilterUi->attachTo(cxGrid1);

    Panel5 = makePanel(Panel6, "Panel5", BevelPanel::Bevel::Raised, 2, BevelPanel::Bevel::Lowered,
                       2, QPalette::Light);
    Panel5->setSingleBorder(true);
    Panel5->setFixedWidth(142);
    // The first four overlap by a pixel; "Esci" stands apart.
    BBInserisci =
        makeButton(Panel5, "BBInserisci", QStringLiteral("Inserisci"), {8, 8, 121, 33}, 15);
    BBModifica = makeButton(Panel5, "BBModifica", QStringLiteral("Modifica"), {8, 40, 121, 33}, 15);
    BBCancella = makeButton(Panel5, "BBCancella", QStringLiteral("Cancella"), {8, 72, 121, 33}, 15);
    BBStampa = new widgets::SplitDropDownButton(QStringLiteral("Stampa"), Panel5);
    BBStampa->setObjectName(QStringLiteral("BBStampa"));
    BBStampa->setGeometry(8, 104, 121, 33);
    BBStampa->setFont(pixelFont(QStringLiteral("Tahoma"), 15));
    BBEsci = makeButton(Panel5, "BBEsci", QStringLiteral("Esci"), {8, 160, 121, 33}, 15);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    StampaTOTALE1 = PopupMenu1->addAction(QStringLiteral("Stampa TOTALE"));
    StampaTOTALE1->setObjectName(QStringLiteral("StampaTOTALE1"));
    StampaHTMLselezione1 = PopupMenu1->addAction(QStringLiteral("Stampa HTML (selezione)"));
    StampaHTMLselezione1->setObjectName(QStringLiteral("StampaHTMLselezione1"));
    BBStampa->setDropDownMenu(PopupMenu1);

    QBoxLayout *centre = fill(Panel6, QBoxLayout::LeftToRight);
    centre->addWidget(cxGrid1, 1);
    centre->addWidget(Panel5);
}

void TFFMAIN::buildBottomBar()
{
    Panel2 = makePanel(this, "Panel2", BevelPanel::Bevel::Raised, 3, BevelPanel::Bevel::Lowered, 3,
                       QPalette::Light);
    Panel2->setFixedHeight(49);

    StaticText1 =
        new QLabel(QStringLiteral("  \u00a9 2026 PENSILIO - Tutti i diritti riservati"), Panel2);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Panel4 = makePanel(Panel2, "Panel4", BevelPanel::Bevel::Space, 1, BevelPanel::Bevel::Lowered, 1,
                       QPalette::Button);
    Panel4->setFixedWidth(226);
    cxHyperLinkEdit3 = new widgets::HyperlinkLabel(Panel4);
    cxHyperLinkEdit3->setObjectName(QStringLiteral("cxHyperLinkEdit3"));
    cxHyperLinkEdit3->setText(QStringLiteral("pensilio.example"));
    cxHyperLinkEdit3->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 16));
    cxHyperLinkEdit3->setGeometry(33, 4, 176, 28);
    cxHyperLinkEdit3->setDesktopShell(m_services.shell);

    StaticText2 = new QWidget(Panel2);
    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setFixedWidth(4);
    StaticText2->setBackgroundRole(QPalette::Button);
    StaticText2->setAutoFillBackground(true);

    Panel7 = makePanel(Panel2, "Panel7", BevelPanel::Bevel::Space, 1, BevelPanel::Bevel::Lowered, 1,
                       QPalette::Button);
    Panel7->setFixedWidth(170);
    BBHelp = makeButton(Panel7, "BBHelp", QStringLiteral("?"), {8, 8, 73, 21}, 15, true);
    BBInforma = makeButton(Panel7, "BBInforma", QStringLiteral("i"), {96, 8, 65, 21}, 16, true);
    BBHelp->setAccessibleName(QStringLiteral("Guida"));
    BBInforma->setAccessibleName(QStringLiteral("Informazioni"));
    // Created hidden, and nothing shows them.
    BBHelp->setVisible(false);
    BBInforma->setVisible(false);

    QBoxLayout *bar = fill(Panel2, QBoxLayout::LeftToRight);
    bar->addWidget(StaticText1, 1);
    bar->addWidget(Panel4);
    bar->addWidget(StaticText2);
    bar->addWidget(Panel7);
}

void TFFMAIN::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFFMAIN::FormShow()
{
    BBInserisci->setFocus();
}

bool TFFMAIN::hasVisibleMemo() const
{
    // The memo the commands act on is the table's current record; when a filter hides it, the
    // user cannot see what would change, so nothing is done.
    const memdata::Table &table = m_dm1.ScadData;
    return table.recordCount() > 0 && table.currentRow() != memdata::kNoRow &&
           cxGrid1DBTableView1->indexOfRow(table.currentRow()) >= 0;
}

void TFFMAIN::BBInserisciClick()
{
    memdata::Table &table = m_dm1.ScadData;
    const std::optional<memdata::Bookmark> mark = table.bookmark();
    m_editDialog->ApriInserimento();
    table.gotoBookmark(mark);
}

void TFFMAIN::BBModificaClick()
{
    if (!hasVisibleMemo())
        return;
    memdata::Table &table = m_dm1.ScadData;
    const std::optional<memdata::Bookmark> mark = table.bookmark();
    m_editDialog->ApriModifica();
    table.gotoBookmark(mark);
}

void TFFMAIN::BBCancellaClick()
{
    if (!hasVisibleMemo())
        return;
    if (m_services.boxes->askYesNo(QStringLiteral("Confirm"),
                                   QStringLiteral("Confermi cancellazione nominativo ?")))
        m_dm1.ScadData.deleteCurrent();
}

void TFFMAIN::BBEsciClick()
{
    close();
}

void TFFMAIN::StampaTOTALE1Click()
{
    if (m_dm1.ScadData.recordCount() == 0)
        return;
    if (m_printAll)
        m_printAll();
}

void TFFMAIN::StampaHTMLselezione1Click()
{
    if (m_dm1.ScadData.recordCount() == 0)
        return;
    if (m_printHtml)
        m_printHtml();
}

void TFFMAIN::BBHelpClick()
{
    if (m_help)
        m_help();
}

void TFFMAIN::BBInformaClick()
{
    if (m_info)
        m_info();
}

} // namespace pensilio
