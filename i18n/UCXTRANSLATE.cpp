// The Italian texts installed over the grid pack's stock English texts at start-up.

#include "i18n/UCXTRANSLATE.h"

#include "platform/grid/StockTexts.h"

namespace pensilio::UCXTRANSLATE {

namespace {
// Rows whose installed text is the English wording are installed all the same, so the table stays
// the complete list of the texts of these four groups.
constexpr std::array<TextPair, kTextCount> kTexts{{
    // Filter builder dialog and custom filter dialog.
    {"AND", "AND"},
    {"OR", "OR"},
    {"NOT AND", "NOT AND"},
    {"NOT OR", "NOT OR"},
    {"Filter", "Filtra"},
    {"Add &Condition", "Aggiungi una &Condizione"},
    {"Add &Group", "Aggiungi &Gruppo"},
    {"&Remove Row", "&Rimuovi Riga"},
    {"Clear &All", "Azzera tutto"},
    {"press the button to add a new condition", "premi qui per aggiungere una nuova condizione"},
    {"applies to the following conditions", "<Sottogruppo>"},
    {"<root>", "<Gruppo principale>"},
    {"<empty>", "<vuoto>"},
    {"Can't build filter from source", "Can't build filter from source"},
    {"Custom Filter", "Custom Filter"},
    {"Invalid value", "Valore non valido"},
    {"Use", "Usa"},
    {"to represent any single character", "per rappresentare ogni singolo carattere"},
    {"to represent any series of characters", "per rappresentare qualsiasi serie di caratteri"},
    {"AND", "AND"},
    {"OR", "OR"},
    {"Show rows where:", "Mostra le righe dove:"},
    {"Filter builder", "Generazione filtro"},
    {"untitled.flt", "untitled.flt"},
    {"Open an existing filter", "Apri un filtro esistente"},
    {"Save the active filter to file", "Salva in un file il filtro attivo"},
    {"&Save As...", "&Salva come..."},
    {"&Open...", "A&pri..."},
    {"&Apply", "&Applica"},
    {"OK", "OK"},
    {"Cancel", "Annulla"},
    {"flt", "flt"},
    {"Filters (*.flt)|*.flt", "Filters ( *.flt )|*.flt"},
    // Filter operators and the entries of a column's filter drop-down.
    {"equals", "e' uguale a"},
    {"does not equal", "e' diverso da"},
    {"is less than", "e' minore di"},
    {"is less than or equal to", "e' minore o uguale a"},
    {"is greater than", "e' maggiore di"},
    {"is greater than or equal to", "e' maggiore o uguale a"},
    {"like", "like"},
    {"not like", "not like"},
    {"between", "nel range tra"},
    {"not between", "fuori dal range tra"},
    {"in", "incluso"},
    {"not in", "non incluso"},
    {"is yesterday", "e' ieri"},
    {"is today", "e' oggi"},
    {"is tomorrow", "e' domani"},
    {"is last week", "is last week"},
    {"is last month", "is last month"},
    {"is last year", "is last year"},
    {"is this week", "is this week"},
    {"is this month", "is this month"},
    {"is this year", "is this year"},
    {"is next week", "is next week"},
    {"is next month", "is next month"},
    {"is next year", "is next year"},
    {"and", "AND"},
    {"or", "OR"},
    {"not", "not"},
    {"blank", "blank"},
    {"is blank", "e' vuoto"},
    {"is not blank", "non e' vuoto"},
    {"begins with", "comincia con"},
    {"does not begin with", "non comincia con"},
    {"ends with", "finisce con"},
    {"does not end with", "non finisce con"},
    {"contains", "contiene"},
    {"does not contain", "non contiene"},
    {"(All)", "(Tutti)"},
    {"(Custom...)", "(Personalizza...)"},
    {"(Blanks)", "(Vuoti)"},
    {"(NonBlanks)", "(NonVuoti)"},
    // The grid and its export errors.
    {"You cannot create recursive levels", "You cannot create recursive levels"},
    {"Confirm", "Confirm"},
    {"Delete record?", "Delete record?"},
    {"Delete all selected records?", "Delete all selected records?"},
    {"<No data to display>", "<Nessuna riga da mostrare>"},
    {"Click here to add a new row", "Click here to add a new row"},
    {"<Filter is Empty>", "<Nessun filtro>"},
    {"Customization", "Customization"},
    {"Columns", "Columns"},
    {"Drag a column header here to group by that column",
     "Per raggruppare per una colonna trascinarla qui.."},
    {"Customize...", "Filtra..."},
    {"Click here to select visible columns", "Click here to select visible columns"},
    {"Bands", "Bands"},
    {"Click here to select visible bands", "Click here to select visible bands"},
    {"Rows", "Rows"},
    {"Missing an intermediary component!\r\nPlease add a %s component to the form.",
     "Missing an intermediary component!\r\nPlease add a %s component to the form."},
    {"cxGrid does not exist", "cxGrid does not exist"},
    {"Component does not exist", "Component does not exist"},
    {"Import error", "Import error"},
    {"Grid view does not exist", "Grid view does not exist"},
    {"Active grid level does not exist", "Active grid level does not exist"},
    {"Can't create the export output file", "Can't create the export output file"},
    // The column-header menu.
    {"None", "Nessuno"},
    {"Sort Ascending", "In ordine ascendente"},
    {"Sort Descending", "In ordine discendente"},
    {"Clear Sorting", "Nessun ordinamento"},
    {"Group By This Field", "Raggruppa per questo campo"},
    {"Remove from grouping", "Togli questo ragguppamento"},
    {"Group By Box", "Visualizza/nascondi il box di raggrupp."},
    {"Alignment", "Allineamento"},
    {"Align Left", "Allinea a sinistra"},
    {"Align Right", "Allinea a destra"},
    {"Align Center", "Allinea al centro"},
    {"Remove This Column", "Togli questa colonna"},
    {"Field Chooser", "Aggiungi una colonna"},
    {"Best Fit", "Miglior allineamento"},
    {"Best Fit (all columns)", "Miglior allineamento delle colonne"},
    {"Footer", "Riga di chiusura a fine griglia (on/off)"},
    {"Group Footers", "Riga di chiusura a fine gruppi (on/off)"},
    {"Sum", "Somma"},
    {"Min", "Minimo"},
    {"Max", "Massimo"},
    {"Count", "Conteggio"},
    {"Average", "Media"},
    {"None", "Nessuno"},
}};

bool s_installed = false;
} // namespace

std::span<const TextPair, kTextCount> texts()
{
    return kTexts;
}

void initialize()
{
    if (s_installed)
        return;
    s_installed = true;
    for (const TextPair &pair : kTexts)
        grid::setStockText(QString::fromLatin1(pair.stock), QString::fromLatin1(pair.installed));
}

} // namespace pensilio::UCXTRANSLATE
