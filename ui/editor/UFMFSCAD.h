#pragma once
// The memo edit dialog: inserts memos one after another, or modifies the current memo, working
// directly on the memo table.

#include "platform/memdata/Table.h"
#include "store/Services.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace pensilio {

class TDM1;

namespace widgets {
class BevelPanel;
class DateTimeEditor;
class MemoEditor;
class UpperCaseLineEdit;
} // namespace widgets

class TFMFSCAD : public QDialog, private memdata::TableObserver
{
    Q_OBJECT
public:
    enum Mode
    {
        Inserimento = 1,
        Modifica = 2
    };

    TFMFSCAD(TDM1 &dm1, const Services &services, QWidget *parent = nullptr);
    ~TFMFSCAD() override;

    // Each shows the dialog modally and returns when it has closed, the table in browse state.
    void ApriInserimento();
    void ApriModifica();
    Mode mode() const { return m_mode; }

    // How the dialog is shown modally; tests put a scripted run in place of the event loop.
    void setModalRunner(std::function<int(QDialog &)> runner) { m_runner = std::move(runner); }

    widgets::BevelPanel *Panel2 = nullptr;
    QLabel *LCognome = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label17 = nullptr;
    widgets::DateTimeEditor *cxDateEdit1 = nullptr;
    widgets::UpperCaseLineEdit *EDITOggetto = nullptr;
    widgets::MemoEditor *MENote = nullptr;
    widgets::BevelPanel *Panel4 = nullptr;
    QPushButton *BBInserisci = nullptr;
    QPushButton *BBEsci = nullptr;

public Q_SLOTS:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void FormClose();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void open(Mode mode);
    void showRecordSubject();
    // The subject edit is bound to the record: it shows each record the table starts.
    void stateChanged(memdata::TableState state) override;

    TDM1 &m_dm1;
    Services m_services;
    Mode m_mode = Inserimento;
    std::function<int(QDialog &)> m_runner;
};

} // namespace pensilio
