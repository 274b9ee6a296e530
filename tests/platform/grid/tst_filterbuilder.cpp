// The filter builder dialog: its tree of rows, menus and lists, applying and cancelling, and
// filter files saved and opened through a file-dialog double.

#include "RecordingMessageBoxes.h"
#include "support_gridmemos.h"

#include "platform/grid/FilterBuilderDialog.h"
#include "platform/grid/FilterFileDialogs.h"
#include "platform/grid/FilterPanel.h"
#include "platform/grid/GridFilterUi.h"
#include "platform/grid/StockTexts.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::RecordingMessageBoxes;
using pensilio::testing::rowList;

namespace {
constexpr int kSubject = 1;

GridColumnSet subjectFilterColumns()
{
    GridColumnSet set;
    set.addBand({});
    int col = 0;
    for (const char *field : {"DataOra", "Oggetto", "Note"}) {
        GridColumn c;
        c.fieldName = QString::fromLatin1(field);
        c.colIndex = col++;
        c.options.filtering = c.fieldName == u"Oggetto";
        set.addColumn(c);
    }
    return set;
}

FilterNode c(FilterOperator op, std::vector<QByteArray> values = {})
{
    std::vector<FilterValue> v;
    for (const QByteArray &bytes : values)
        v.push_back(FilterValue::text(bytes));
    return FilterNode::condition(kSubject, op, std::move(v));
}

// Answers the file dialogs with names queued by the test and records what they were asked.
class ScriptedFileDialogs final : public FilterFileDialogs
{
public:
    QString openFileName(QWidget *, const FilterFileRequest &request) override
    {
        asked << QStringLiteral("open[%1|%2|%3]")
                     .arg(request.title, request.fileTypes, request.defaultSuffix);
        return next();
    }
    QString saveFileName(QWidget *, const FilterFileRequest &request) override
    {
        asked << QStringLiteral("save[%1|%2|%3|%4]")
                     .arg(request.title, request.fileTypes, request.defaultSuffix,
                          request.proposedName);
        return next();
    }
    QStringList answers;
    QStringList asked;

private:
    QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};

struct Fixture
{
    GridMemos memos;
    GridViewModel model;
    std::unique_ptr<GridFilterController> filter;
    QWidget window;
    std::unique_ptr<GridFilterUi> ui;
    RecordingMessageBoxes boxes;
    ScriptedFileDialogs files;
    std::function<void(FilterBuilderDialog &)> act = [](FilterBuilderDialog &) {};
    int runs = 0;

    Fixture()
    {
        for (const char *s : {"ALFA", "BETA", "GAMMA", "DELTA"})
            memos.add(memos.table.recordCount() + 1, QByteArray(s));
        model.setTable(&memos.table);
        model.setColumns(subjectFilterColumns());
        filter = std::make_unique<GridFilterController>(&model);
        ui = std::make_unique<GridFilterUi>(filter.get(), &window);
        ui->setMessageBoxes(&boxes, QStringLiteral("Pensilio"));
        ui->setFileDialogs(&files);
        ui->setModalRunner([this](QDialog &dialog) {
            ++runs;
            auto *builder = qobject_cast<FilterBuilderDialog *>(&dialog);
            if (!builder)
                qFatal("the filter builder was expected");
            dialog.show();
            act(*builder);
            dialog.close();
            return dialog.result();
        });
    }
    QString rows() const { return rowList(model, memos.oggetto).remove(QLatin1Char('*')); }
};

// The rows as they read on screen, one per line, indented by depth: "Filtra AND <root>".
QString treeText(const FilterBuilderDialog &d)
{
    QStringList lines;
    for (QTreeWidgetItemIterator it(d.tree()); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
            ++depth;
        QWidget *row = d.tree()->itemWidget(*it, 0);
        QStringList parts;
        const auto widgets = row->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *w : widgets.isEmpty() ? QList<QWidget *>{row} : widgets) {
            if (auto *b = qobject_cast<QAbstractButton *>(w))
                parts << b->text();
            else if (auto *box = qobject_cast<QComboBox *>(w))
                parts << box->currentText();
            else if (auto *label = qobject_cast<QLabel *>(w))
                parts << label->text();
            else if (auto *edit = qobject_cast<QLineEdit *>(w))
                parts << (edit->text().isEmpty() ? edit->placeholderText() : edit->text());
        }
        lines << QString(depth * 2, QLatin1Char(' ')) + parts.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

QTreeWidgetItem *itemAt(const FilterBuilderDialog &d, int index)
{
    QTreeWidgetItemIterator it(d.tree());
    for (int i = 0; i < index && *it; ++i)
        ++it;
    return *it;
}

QStringList visibleMenu(QToolButton *button)
{
    QStringList out;
    for (QAction *a : button->menu()->actions()) {
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

QAction *menuAction(QToolButton *button, const QString &text)
{
    for (QAction *a : button->menu()->actions()) {
        if (a->text() == text)
            return a;
    }
    qFatal("no menu item %s", qPrintable(text));
}

template <typename T> T *rowWidget(const FilterBuilderDialog &d, int index, const char *name)
{
    return d.tree()->itemWidget(itemAt(d, index), 0)->findChild<T *>(QString::fromLatin1(name));
}
} // namespace

class tst_FilterBuilder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetStockTexts(); }

    void showsTheFilterAsATree()
    {
        const std::pair<const char *, const char *> italian[] = {
            {"Filter", "Filtra"},
            {"Filter builder", "Generazione filtro"},
            {"<root>", "<Gruppo principale>"},
            {"applies to the following conditions", "<Sottogruppo>"},
            {"<empty>", "<vuoto>"},
            {"press the button to add a new condition",
             "premi qui per aggiungere una nuova condizione"},
            {"Add &Condition", "Aggiungi una &Condizione"},
            {"Add &Group", "Aggiungi &Gruppo"},
            {"&Remove Row", "&Rimuovi Riga"},
            {"Clear &All", "Azzera tutto"},
            {"between", "nel range tra"},
            {"and", "AND"},
        };
        for (const auto &[stock, installed] : italian)
            setStockText(QString::fromLatin1(stock), QString::fromLatin1(installed));
        using G = FilterGroupOperator;
        const FilterNode root = FilterNode::group(
            G::And, {c(FilterOperator::Between, {"A", "C"}),
                     FilterNode::group(G::NotOr, {c(FilterOperator::Equal, {""}),
                                                  c(FilterOperator::InList, {"X", "Y"})})});
        FilterBuilderDialog d(FilterColumns{{kSubject, QStringLiteral("Oggetto"),
                                             QStringLiteral("Oggetto"), FilterColumnType::Text}},
                              root);
        QCOMPARE(d.windowTitle(), QStringLiteral("Generazione filtro - [untitled.flt]"));
        QCOMPARE(treeText(d), QStringLiteral("Filtra AND <Gruppo principale>\n"
                                             "  ... Oggetto nel range tra A AND C\n"
                                             "  ... NOT OR <Sottogruppo>\n"
                                             "    ... Oggetto equals <vuoto>\n"
                                             "    ... Oggetto in X - Y - +\n"
                                             "premi qui per aggiungere una nuova condizione"));
        QCOMPARE(visibleMenu(d.rowButton(itemAt(d, 0))),
                 QStringList({QStringLiteral("Aggiungi una &Condizione"),
                              QStringLiteral("Aggiungi &Gruppo"), QStringLiteral("-"),
                              QStringLiteral("Azzera tutto")}));
        QCOMPARE(visibleMenu(d.rowButton(itemAt(d, 1))).last(), QStringLiteral("&Rimuovi Riga"));

        // The subject offers the ten operators of the custom dialog and the four of ranges
        // and lists.
        auto *op = rowWidget<QComboBox>(d, 1, "operator");
        QStringList operators;
        for (int i = 0; i < op->count(); ++i)
            operators << op->itemText(i);
        QCOMPARE(operators.size(), 14);
        QCOMPARE(operators.mid(8, 4),
                 QStringList({QStringLiteral("nel range tra"), QStringLiteral("not between"),
                              QStringLiteral("in"), QStringLiteral("not in")}));
        QCOMPARE(operators.last(), QStringLiteral("is not blank"));

        // Clearing everything leaves the root, whose menu then has nothing to clear.
        menuAction(d.rowButton(itemAt(d, 0)), QStringLiteral("Azzera tutto"))->trigger();
        QCOMPARE(treeText(d), QStringLiteral("Filtra AND <Gruppo principale>\n"
                                             "premi qui per aggiungere una nuova condizione"));
        QCOMPARE(visibleMenu(d.rowButton(itemAt(d, 0))),
                 QStringList({QStringLiteral("Aggiungi una &Condizione"),
                              QStringLiteral("Aggiungi &Gruppo")}));
    }

    void editingRowsBuildsTheFilter()
    {
        Fixture f;
        f.act = [](FilterBuilderDialog &d) {
            // The line under the rows adds a condition to the root.
            QTest::mouseClick(qobject_cast<QPushButton *>(d.tree()->itemWidget(itemAt(d, 1), 0)),
                              Qt::LeftButton);
            rowWidget<QLineEdit>(d, 1, "value")->setText(QStringLiteral("ALFA"));
            Q_EMIT rowWidget<QLineEdit>(d, 1, "value")->textEdited(QStringLiteral("ALFA"));
            menuAction(d.rowButton(itemAt(d, 0)), QStringLiteral("Add &Group"))->trigger();
            auto *group = rowWidget<QComboBox>(d, 2, "groupOperator");
            group->setCurrentIndex(group->findText(QStringLiteral("OR")));
            auto *op = rowWidget<QComboBox>(d, 3, "operator");
            op->setCurrentIndex(op->findText(QStringLiteral("like")));
            Q_EMIT rowWidget<QLineEdit>(d, 3, "value")->textEdited(QStringLiteral("%TA"));
            menuAction(d.rowButton(itemAt(d, 3)), QStringLiteral("Add &Condition"))->trigger();
            Q_EMIT rowWidget<QLineEdit>(d, 4, "value")->textEdited(QStringLiteral("ALFA"));
            // The root changes to OR, and the first condition goes again.
            auto *root = rowWidget<QComboBox>(d, 0, "groupOperator");
            root->setCurrentIndex(root->findText(QStringLiteral("OR")));
            menuAction(d.rowButton(itemAt(d, 1)), QStringLiteral("&Remove Row"))->trigger();
            QTest::mouseClick(d.applyButton(), Qt::LeftButton);
        };
        f.ui->openFilterBuilder();
        QCOMPARE(f.filter->description(),
                 QStringLiteral("(Oggetto ends with 'TA' or Oggetto equals 'ALFA')"));
        QCOMPARE(f.rows(), QStringLiteral("ALFA,BETA,DELTA"));
        QVERIFY(f.filter->criteria().isActive());
        QCOMPARE(f.filter->history().entries().size(), size_t(1));
    }

    void cancelKeepsWhatWasAppliedOnly()
    {
        Fixture f;
        f.filter->apply(c(FilterOperator::Equal, {"BETA"}));
        f.act = [](FilterBuilderDialog &d) {
            auto *op = rowWidget<QComboBox>(d, 1, "operator");
            op->setCurrentIndex(op->findText(QStringLiteral("does not equal")));
            QTest::mouseClick(d.applyButton(), Qt::LeftButton);
            QVERIFY(d.isVisible());
            Q_EMIT rowWidget<QLineEdit>(d, 1, "value")->textEdited(QStringLiteral("GAMMA"));
            QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
        };
        f.ui->openFilterBuilder();
        QCOMPARE(f.filter->description(), QStringLiteral("Oggetto does not equal 'BETA'"));
        QCOMPARE(f.rows(), QStringLiteral("ALFA,GAMMA,DELTA"));
    }

    void missingValueStaysMissing()
    {
        Fixture f;
        FilterNode root = c(FilterOperator::InList, {"X"});
        root.condition().values.push_back(FilterValue());
        f.filter->apply(root);
        f.act = [](FilterBuilderDialog &d) {
            QCOMPARE(treeText(d), QStringLiteral("Filter AND <root>\n"
                                                 "  ... Oggetto in X - blank - +\n"
                                                 "press the button to add a new condition"));
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
        };
        f.ui->openFilterBuilder();
        QVERIFY(f.filter->criteria().root() == FilterNode::group(FilterGroupOperator::And, {root}));
    }

    void invalidValueKeepsTheDialogOpen()
    {
        Fixture f;
        f.filter->apply(c(FilterOperator::Equal, {"BETA"}));
        f.act = [](FilterBuilderDialog &d) {
            Q_EMIT rowWidget<QLineEdit>(d, 1, "value")->textEdited(QStringLiteral(u"\u4E2D"));
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
            QVERIFY(d.isVisible());
        };
        f.ui->openFilterBuilder();
        QCOMPARE(f.boxes.log, QStringList{QStringLiteral("error[Pensilio]: Invalid value")});
        QCOMPARE(f.rows(), QStringLiteral("BETA"));
    }

    void savedFilterOpensAgain()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Fixture f;
        const FilterNode saved =
            FilterNode::group(FilterGroupOperator::NotAnd, {c(FilterOperator::Like, {"%A"}),
                                                            c(FilterOperator::InList, {"X", ""})});
        f.filter->apply(saved);
        f.files.answers = {dir.filePath(QStringLiteral("mine"))};
        f.act = [](FilterBuilderDialog &d) { QTest::mouseClick(d.saveButton(), Qt::LeftButton); };
        f.ui->openFilterBuilder();
        QCOMPARE(f.files.asked,
                 QStringList{QStringLiteral("save[Save the active filter to file|Filters "
                                            "(*.flt)|*.flt|flt|untitled.flt]")});
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("mine.flt"))));

        // The next opening proposes the saved name, and asks before overwriting it.
        f.filter->clear();
        f.files.asked.clear();
        f.files.answers = {dir.filePath(QStringLiteral("mine.flt")),
                           dir.filePath(QStringLiteral("mine.flt"))};
        f.boxes.answers = {false};
        f.act = [&](FilterBuilderDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Filter builder - [mine.flt]"));
            QTest::mouseClick(d.saveButton(), Qt::LeftButton);
            // Declined: the file keeps the saved filter; open it into the empty builder.
            QTest::mouseClick(d.openButton(), Qt::LeftButton);
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
        };
        f.ui->openFilterBuilder();
        QCOMPARE(f.files.asked.size(), 2);
        QVERIFY(
            f.files.asked[0].endsWith(dir.filePath(QStringLiteral("mine.flt")) + QLatin1Char(']')));
        QCOMPARE(f.files.asked[1],
                 QStringLiteral("open[Open an existing filter|Filters (*.flt)|*.flt|flt]"));
        QCOMPARE(f.boxes.log.size(), 1);
        QVERIFY(f.boxes.log.front().startsWith(QStringLiteral("ask[Pensilio]: mine.flt already")));
        QVERIFY(f.filter->criteria().root() == saved);
    }

    void fileThatCannotBeShownLeavesTheTree()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.flt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("pensilio-filter 1\ngroup and\n  condition \"Nessuno\" equals \"A\"\nend\n");
        file.close();
        Fixture f;
        f.filter->apply(c(FilterOperator::Equal, {"BETA"}));
        f.files.answers = {path};
        QString before;
        f.act = [&](FilterBuilderDialog &d) {
            before = treeText(d);
            QTest::mouseClick(d.openButton(), Qt::LeftButton);
            QCOMPARE(treeText(d), before);
            QCOMPARE(d.windowTitle(), QStringLiteral("Filter builder - [untitled.flt]"));
        };
        f.ui->openFilterBuilder();
        QCOMPARE(f.boxes.log,
                 QStringList{QStringLiteral("error[Pensilio]: Can't build filter from source")});
    }

    void remembersWhereItWasClosed()
    {
        Fixture f;
        QRect first;
        f.act = [&](FilterBuilderDialog &d) {
            first = d.geometry();
            d.setGeometry(first.translated(30, 20).adjusted(0, 0, 50, 40));
        };
        f.ui->openFilterBuilder();
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QVERIFY2((first.center() - screen->availableGeometry().center()).manhattanLength() < 40,
                     "first opened in the middle of the screen");
        }
        QRect second;
        f.act = [&](FilterBuilderDialog &d) { second = d.geometry(); };
        f.ui->openFilterBuilder();
        QCOMPARE(second, first.translated(30, 20).adjusted(0, 0, 50, 40));
    }

    void panelCustomizeOpensTheBuilder()
    {
        Fixture f;
        f.filter->apply(c(FilterOperator::Equal, {"BETA"}));
        f.window.show();
        FilterPanel *panel = f.ui->panel(&f.window);
        QTest::mouseClick(panel->customizeButton(), Qt::LeftButton);
        QCOMPARE(f.runs, 1);
    }

    void windowsFileTypesBecomeQtNameFilters()
    {
        QCOMPARE(qtNameFilters(QStringLiteral("Filters ( *.flt )|*.flt")),
                 QStringList{QStringLiteral("Filters ( *.flt )")});
        QCOMPARE(qtNameFilters(QStringLiteral("Filters|*.flt|All|*.*")),
                 QStringList({QStringLiteral("Filters (*.flt)"), QStringLiteral("All (*.*)")}));
    }
};

QTEST_MAIN(tst_FilterBuilder)
#include "tst_filterbuilder.moc"
