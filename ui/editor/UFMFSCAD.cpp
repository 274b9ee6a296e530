#include "ui/editor/UFMFSCAD.h"

#include "platform/core/Clock.h"
#include "platform/core/Error.h"
#include "platform/core/MessageBoxes.h"
#include "platform/widgets/BevelPanel.h"
#include "platform/widgets/DateTimeEditor.h"
#include "platform/widgets/MemoEditor.h"
#include "platform/widgets/PixelFont.h"
#include "platform/widgets/UpperCaseLineEdit.h"
#include "store/UDM1.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace pensilio {

using widgets::BevelPanel;

namespace {

using widgets::pixelFont;

void setColors(QWidget *w, const QColor &text, const QColor &background = QColor())
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    if (background.isValid()) {
        p.setColor(QPalette::Window, background);
        w->setAutoFillBackground(true);
    }
    w->setPalette(p);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(pixelFont(QStringLiteral("HE_TERMINAL"), 12));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Opaque: the box shows behind the text on the panel.
    setColors(label, QColor(0x00, 0x80, 0x00), QColor(0xF4, 0xF3, 0xEA));
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption,
                        const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setFont(pixelFont(QStringLiteral("Tahoma"), 15));
    setColors(button, Qt::black);
    // Neither button is default or cancel: Enter and Escape press neither.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TFMFSCAD::TFMFSCAD(TDM1 &dm1, const Services &services, QWidget *parent)
    : QDialog(parent), m_dm1(dm1), m_services(services),
      m_runner([](QDialog &dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("FMFSCAD"));
    setWindowTitle(QStringLiteral("INSERIMENTO/MODIFICA MEMO"));
    setModal(true);
    resize(659, 322);
    setBackgroundRole(QPalette::Button);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));

    Panel2 = new BevelPanel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setOuterBevel(BevelPanel::Bevel::Raised, 1);
    Panel2->setInnerBevel(BevelPanel::Bevel::Lowered, 1);
    Panel2->setBorderWidth(2);
    Panel2->setColorRole(QPalette::Light);
    Panel2->setGeometry(0, 0, 659, 322);

    LCognome = makeLabel(Panel2, "LCognome", QStringLiteral("Data/Ora"), QRect(8, 20, 56, 15));
    Label4 = makeLabel(Panel2, "Label4", QStringLiteral("Oggetto"), QRect(8, 54, 49, 15));
    Label17 = makeLabel(Panel2, "Label17", QStringLiteral("Note"), QRect(8, 84, 28, 15));
    Label17->setWordWrap(true);

    cxDateEdit1 = new widgets::DateTimeEditor(Panel2);
    cxDateEdit1->setObjectName(QStringLiteral("cxDateEdit1"));
    cxDateEdit1->setGeometry(128, 16, 169, 23);
    cxDateEdit1->setFont(pixelFont(QStringLiteral("HE_TERMINAL"), 12));
    setColors(cxDateEdit1, QColor(0x00, 0x00, 0x80));
    cxDateEdit1->setClock(m_services.clock);
    cxDateEdit1->setRegionalSettings(m_services.settings);
    cxDateEdit1->setValue(WallDateTime::fromParts(1899, 12, 30));
    LCognome->setBuddy(cxDateEdit1);
    cxDateEdit1->setAccessibleName(QStringLiteral("Data/Ora"));

    EDITOggetto = new widgets::UpperCaseLineEdit(Panel2);
    EDITOggetto->setObjectName(QStringLiteral("EDITOggetto"));
    EDITOggetto->setGeometry(128, 48, 521, 23);
    EDITOggetto->setFont(pixelFont(QStringLiteral("HE_TERMINAL"), 12));
    setColors(EDITOggetto, QColor(0x00, 0x00, 0x8A));
    EDITOggetto->setMaxLength(m_dm1.ScadData.field(m_dm1.ScadDataOggetto).size);
    Label4->setBuddy(EDITOggetto);
    EDITOggetto->setAccessibleName(QStringLiteral("Oggetto"));

    MENote = new widgets::MemoEditor(Panel2);
    MENote->setObjectName(QStringLiteral("MENote"));
    MENote->setGeometry(8, 104, 641, 153);
    MENote->setFont(pixelFont(QStringLiteral("HE_TERMINAL"), 12));
    setColors(MENote, QColor(0x00, 0x00, 0x80));
    MENote->setMaxLength(2000);
    MENote->setValue(QByteArray("MENote"));
    Label17->setBuddy(MENote);
    MENote->setAccessibleName(QStringLiteral("Note"));

    Panel4 = new BevelPanel(Panel2);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setOuterBevel(BevelPanel::Bevel::Lowered, 1);
    Panel4->setInnerBevel(BevelPanel::Bevel::Lowered, 1);
    Panel4->setColorRole(QPalette::Highlight);
    Panel4->setGeometry(-8, 264, 681, 9);

    BBInserisci =
        makeButton(Panel2, "BBInserisci", QStringLiteral("Conferma"), QRect(392, 280, 121, 33));
    BBEsci = makeButton(Panel2, "BBEsci", QStringLiteral("Esci"), QRect(528, 280, 121, 33));
    connect(BBInserisci, &QPushButton::clicked, this, &TFMFSCAD::Button1Click);
    connect(BBEsci, &QPushButton::clicked, this, &TFMFSCAD::Button2Click);

    setTabOrder(cxDateEdit1, EDITOggetto);
    setTabOrder(EDITOggetto, MENote);
    setTabOrder(MENote, BBInserisci);
    setTabOrder(BBInserisci, BBEsci);
    MENote->setTabChangesFocus(true);

    m_dm1.ScadData.addObserver(this);
}

TFMFSCAD::~TFMFSCAD()
{
    m_dm1.ScadData.removeObserver(this);
}

void TFMFSCAD::ApriInserimento()
{
    open(Inserimento);
}

void TFMFSCAD::ApriModifica()
{
    open(Modifica);
}

void TFMFSCAD::open(Mode mode)
{
    m_mode = mode;
    m_runner(*this);
    // Whatever ended the run, nothing may stay pending.
    FormClose();
}

void TFMFSCAD::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFMFSCAD::FormShow()
{
    memdata::Table &table = m_dm1.ScadData;
    if (m_mode == Inserimento) {
        table.refresh();
        table.append();
        cxDateEdit1->setValue(table.fieldDateTime(m_dm1.ScadDataDataOra));
        MENote->setValue(table.fieldText(m_dm1.ScadDatanote));
        cxDateEdit1->setFocus();
        return;
    }
    try {
        table.edit();
        cxDateEdit1->setValue(table.fieldDateTime(m_dm1.ScadDataDataOra));
        MENote->setValue(table.fieldText(m_dm1.ScadDatanote));
        cxDateEdit1->setFocus();
    } catch (const Error &) {
        m_services.boxes->showMessage(m_services.title, QStringLiteral("Riga non disponibile !"));
    }
}

void TFMFSCAD::Button1Click()
{
    memdata::Table &table = m_dm1.ScadData;
    try {
        table.setFieldText(m_dm1.ScadDatanote, MENote->value());
        const WallDateTime when = cxDateEdit1->value();
        // An emptied or unreadable date is a value the date field cannot store.
        if (when.isNull())
            throw Error(
                QStringLiteral("'%1' is not a valid date and time").arg(cxDateEdit1->text()));
        table.setFieldDateTime(m_dm1.ScadDataDataOra, when);
        if (EDITOggetto->isModified())
            table.setFieldText(m_dm1.ScadDataOggetto, EDITOggetto->value());
        table.post();
    } catch (const Error &) {
        m_services.boxes->showMessage(m_services.title, QStringLiteral("errore post"));
        return;
    }
    if (m_mode == Inserimento) {
        table.append();
        table.setFieldDateTime(m_dm1.ScadDataDataOra, m_services.clock->now());
        cxDateEdit1->setFocus();
    } else {
        accept();
    }
}

void TFMFSCAD::Button2Click()
{
    try {
        m_dm1.ScadData.cancel();
    } catch (const Error &) {
    }
    reject();
}

void TFMFSCAD::FormClose()
{
    memdata::Table &table = m_dm1.ScadData;
    if (table.state() == memdata::TableState::Insert || table.state() == memdata::TableState::Edit)
        table.cancel();
}

void TFMFSCAD::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFMFSCAD::keyPressEvent(QKeyEvent *event)
{
    // Escape closes nothing here, and Enter presses no button.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFMFSCAD::showRecordSubject()
{
    EDITOggetto->setValue(m_dm1.ScadData.fieldText(m_dm1.ScadDataOggetto));
}

void TFMFSCAD::stateChanged(memdata::TableState state)
{
    if (state == memdata::TableState::Insert || state == memdata::TableState::Edit)
        showRecordSubject();
}

} // namespace pensilio
