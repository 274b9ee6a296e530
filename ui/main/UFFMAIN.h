#pragma once
// The main window: the banner bar, the memo grid with its column of command buttons, and the
// bottom bar; the commands behind the buttons hand over to the edit dialog and the outputs.

#include "store/Services.h"

#include <QWidget>
#include <functional>

class QLabel;
class QMenu;
class QAction;
class QPushButton;

namespace pensilio {

class TDM1;
class TFMFSCAD;

namespace grid {
class BandedGridView;
class GridFilterController;
class GridFilterUi;
class GridViewModel;
} // namespace grid

namespace widgets {
class BevelPanel;
class HyperlinkLabel;
class SplitDropDownButton;
} // namespace widgets

class TFFMAIN : public QWidget
{
    Q_OBJECT
public:
    TFFMAIN(TDM1 &dm1, const Services &services, QWidget *parent = nullptr);
    ~TFFMAIN() override;

    // The forms created after this one, which the commands hand over to.
    void setEditDialog(TFMFSCAD *dialog) { m_editDialog = dialog; }
    // What the print menu's items and the two documentation buttons run; each is set by the
    // output it belongs to.
    void setPrintAll(std::function<void()> handler) { m_printAll = std::move(handler); }
    void setPrintHtml(std::function<void()> handler) { m_printHtml = std::move(handler); }
    void setHelp(std::function<void()> handler) { m_help = std::move(handler); }
    void setInfo(std::function<void()> handler) { m_info = std::move(handler); }

    widgets::BevelPanel *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    widgets::BevelPanel *Panel8 = nullptr;
    widgets::BevelPanel *Panel9 = nullptr;
    widgets::BevelPanel *Panel10 = nullptr;
    widgets::BevelPanel *Panel3 = nullptr;
    widgets::BevelPanel *Panel6 = nullptr;
    grid::BandedGridView *cxGrid1 = nullptr;
    grid::GridViewModel *cxGrid1DBTableView1 = nullptr;
    // The view's filter: the header's drop-down, the dialogs and the panel under the rows.
    grid::GridFilterController *cxGrid1Filter = nullptr;
    grid::GridFilterUi *cxGrid1FilterUi = nullptr;
    widgets::BevelPanel *Panel5 = nullptr;
    QPushButton *BBInserisci = nullptr;
    QPushButton *BBModifica = nullptr;
    QPushButton *BBCancella = nullptr;
    widgets::SplitDropDownButton *BBStampa = nullptr;
    QPushButton *BBEsci = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *StampaTOTALE1 = nullptr;
    QAction *StampaHTMLselezione1 = nullptr;
    widgets::BevelPanel *Panel2 = nullptr;
    QLabel *StaticText1 = nullptr; // the copyright line
    widgets::BevelPanel *Panel4 = nullptr;
    widgets::HyperlinkLabel *cxHyperLinkEdit3 = nullptr;
    QWidget *StaticText2 = nullptr;
    widgets::BevelPanel *Panel7 = nullptr;
    QPushButton *BBHelp = nullptr;
    QPushButton *BBInforma = nullptr;

public Q_SLOTS:
    void FormShow();
    void BBInserisciClick();
    void BBModificaClick();
    void BBCancellaClick();
    void BBEsciClick();
    void StampaTOTALE1Click();
    void StampaHTMLselezione1Click();
    void BBHelpClick();
    void BBInformaClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildBanner();
    void buildCentre();
    void buildBottomBar();
    // Nothing to modify or delete unless the grid shows the current memo.
    bool hasVisibleMemo() const;

    TDM1 &m_dm1;
    Services m_services;
    TFMFSCAD *m_editDialog = nullptr;
    std::function<void()> m_printAll, m_printHtml, m_help, m_info;
};

} // namespace pensilio
