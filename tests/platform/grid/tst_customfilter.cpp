// The custom filter dialog as "(Custom...)" opens it: when it opens rather than the filter
// builder, its texts and lists, where it starts, and what OK, Cancel and bad values do.

#include "RecordingMessageBoxes.h"
#include "support_gridmemos.h"

#include "platform/grid/CustomFilterDialog.h"
#include "platform/grid/FilterBuilderDialog.h"
#include "platform/grid/FilterDropDown.h"
#include "platform/grid/GridFilterUi.h"
#include "platform/grid/StockTexts.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::RecordingMessageBoxes;
using pensilio::testing::rowList;

Q_DECLARE_METATYPE(pensilio::grid::FilterNode)

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

FilterValue t(const char *bytes)
{
    return FilterValue::text(QByteArray(bytes));
}
FilterNode c(FilterOperator op, std::vector<FilterValue> values = {})
{
    return FilterNode::condition(kSubject, op, std::move(values));
}
FilterNode g(FilterGroupOperator op, std::vector<FilterNode> children)
{
    return FilterNode::group(op, std::move(children));
}

struct Fixture
{
    GridMemos memos;
    GridViewModel model;
    GridFilterController filter{nullptr};
    QWidget window;
    GridFilterUi ui{&filter, &window};
    RecordingMessageBoxes boxes;
    QStringList opened; // class names of the dialogs run
    std::function<void(QDialog &)> act = [](QDialog &) {};

    Fixture() : filter(initModel())
    {
        ui.setMessageBoxes(&boxes, QStringLiteral("Pensilio"));
        ui.setModalRunner([this](QDialog &dialog) {
            opened << QString::fromLatin1(dialog.metaObject()->className());
            dialog.show();
            act(dialog);
            return dialog.result();
        });
    }
    GridViewModel *initModel()
    {
        for (const char *s : {"ALFA", "BETA", "ALFIERE", "GAMMA"})
            memos.add(memos.table.recordCount() + 1, QByteArray(s));
        model.setTable(&memos.table);
        model.setColumns(subjectFilterColumns());
        return &model;
    }
    QString rows() const { return rowList(model, memos.oggetto).remove(QLatin1Char('*')); }
};

CustomFilterDialog &custom(QDialog &dialog)
{
    auto *d = qobject_cast<CustomFilterDialog *>(&dialog);
    if (!d)
        qFatal("the custom filter dialog was expected");
    return *d;
}

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void pick(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
}

void press(QDialog &dialog, const QString &text)
{
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no button ") + text));
}
} // namespace

class tst_CustomFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetStockTexts(); }

    void opensOnlyWhenTheFilterFits_data()
    {
        using O = FilterOperator;
        using G = FilterGroupOperator;
        QTest::addColumn<FilterNode>("root");
        QTest::addColumn<QString>("dialog");
        const QString customDialog = QStringLiteral("pensilio::grid::CustomFilterDialog");
        const QString builder = QStringLiteral("pensilio::grid::FilterBuilderDialog");
        QTest::newRow("no filter") << FilterNode() << customDialog;
        QTest::newRow("one condition") << g(G::And, {c(O::Like, {t("A%")})}) << customDialog;
        QTest::newRow("two conditions joined by OR")
            << g(G::And, {g(G::Or, {c(O::Equal, {t("A")}), c(O::Blank)})}) << customDialog;
        // The builder's own joins and operators are beyond the dialog.
        QTest::newRow("root joined by OR") << g(G::Or, {c(O::Equal, {t("A")})}) << builder;
        QTest::newRow("negated pair")
            << g(G::And, {g(G::NotAnd, {c(O::Equal, {t("A")}), c(O::Like, {t("B")})})}) << builder;
        QTest::newRow("three conditions")
            << g(G::And,
                 {g(G::Or, {c(O::Equal, {t("A")}), c(O::Equal, {t("B")}), c(O::Equal, {t("C")})})})
            << builder;
        QTest::newRow("range operator") << g(G::And, {c(O::Between, {t("A"), t("C")})}) << builder;
        QTest::newRow("column named twice")
            << g(G::And, {c(O::Equal, {t("A")}), c(O::Like, {t("%A")})}) << builder;
    }
    void opensOnlyWhenTheFilterFits()
    {
        QFETCH(FilterNode, root);
        QFETCH(QString, dialog);
        Fixture f;
        if (root.hasConditions())
            f.filter.apply(root);
        f.ui.openCustomFilter(kSubject);
        QCOMPARE(f.opened, QStringList{dialog});
    }

    void showsItsTextsAndLists()
    {
        const std::pair<const char *, const char *> italian[] = {
            {"Show rows where:", "Mostra le righe dove:"},
            {"Use", "Usa"},
            {"to represent any single character", "per rappresentare ogni singolo carattere"},
            {"to represent any series of characters",
             "per rappresentare qualsiasi serie di caratteri"},
            {"Cancel", "Annulla"},
            {"equals", "e' uguale a"},
            {"is blank", "e' vuoto"},
        };
        for (const auto &[stock, installed] : italian)
            setStockText(QString::fromLatin1(stock), QString::fromLatin1(installed));
        Fixture f;
        f.act = [](QDialog &dialog) {
            CustomFilterDialog &d = custom(dialog);
            QCOMPARE(d.windowTitle(), QStringLiteral("Custom Filter"));
            QStringList labels;
            for (const QLabel *label : d.findChildren<QLabel *>())
                labels << label->text();
            QCOMPARE(labels, QStringList({QStringLiteral("Mostra le righe dove:"),
                                          QStringLiteral("Oggetto"),
                                          QStringLiteral("Usa _ per rappresentare ogni singolo "
                                                         "carattere"),
                                          QStringLiteral("Usa % per rappresentare qualsiasi serie "
                                                         "di caratteri")}));
            const QStringList operators{QStringLiteral("e' uguale a"),
                                        QStringLiteral("does not equal"),
                                        QStringLiteral("is less than"),
                                        QStringLiteral("is less than or equal to"),
                                        QStringLiteral("is greater than"),
                                        QStringLiteral("is greater than or equal to"),
                                        QStringLiteral("like"),
                                        QStringLiteral("not like"),
                                        QStringLiteral("e' vuoto"),
                                        QStringLiteral("is not blank")};
            QCOMPARE(items(d.operatorBox(0)), operators);
            QCOMPARE(items(d.operatorBox(1)), QStringList{QString()} + operators);
            // With no condition on the column: "like" first, no second condition, AND.
            QCOMPARE(d.operatorBox(0)->currentText(), QStringLiteral("like"));
            QCOMPARE(d.operatorBox(1)->currentIndex(), 0);
            QVERIFY(d.andButton()->isChecked());
            QCOMPARE(d.andButton()->text(), QStringLiteral("AND"));
            QCOMPARE(d.orButton()->text(), QStringLiteral("OR"));
            auto *ok = qobject_cast<QPushButton *>(d.buttons()->buttons().front());
            QCOMPARE(ok->text(), QStringLiteral("OK"));
            QVERIFY(ok->isDefault());
            press(d, QStringLiteral("Annulla"));
        };
        f.ui.openCustomFilter(kSubject);
        QCOMPARE(f.opened.size(), 1);
        QVERIFY(f.filter.criteria().isEmpty());
    }

    void okReplacesTheColumnsConditions()
    {
        Fixture f;
        f.filter.apply(c(FilterOperator::Equal, {t("GAMMA")}));
        f.filter.setActive(false);
        f.act = [](QDialog &dialog) {
            CustomFilterDialog &d = custom(dialog);
            QCOMPARE(d.operatorBox(0)->currentText(), QStringLiteral("equals"));
            QCOMPARE(d.valueEdit(0)->text(), QStringLiteral("GAMMA"));
            pick(d.operatorBox(0), QStringLiteral("like"));
            d.valueEdit(0)->setText(QStringLiteral("ALF%"));
            pick(d.operatorBox(1), QStringLiteral("is blank"));
            // A condition without a value has nothing to type.
            QVERIFY(!d.valueEdit(1)->isEnabled());
            d.orButton()->click();
            press(d, QStringLiteral("OK"));
        };
        f.ui.openCustomFilter(kSubject);
        QCOMPARE(f.rows(), QStringLiteral("ALFA,ALFIERE"));
        QVERIFY(f.filter.criteria().isActive());
        QCOMPARE(f.filter.description(),
                 QStringLiteral("(Oggetto begins with 'ALF' or Oggetto is blank)"));
        QCOMPARE(f.filter.history().entries().front(), f.filter.criteria().root());

        // Opened again, it starts from the pair it made.
        f.act = [](QDialog &dialog) {
            CustomFilterDialog &d = custom(dialog);
            QCOMPARE(d.operatorBox(0)->currentText(), QStringLiteral("like"));
            QCOMPARE(d.valueEdit(0)->text(), QStringLiteral("ALF%"));
            QCOMPARE(d.operatorBox(1)->currentText(), QStringLiteral("is blank"));
            QVERIFY(d.orButton()->isChecked());
            pick(d.operatorBox(1), QString());
            press(d, QStringLiteral("OK"));
        };
        f.ui.openCustomFilter(kSubject);
        QCOMPARE(f.filter.description(), QStringLiteral("Oggetto begins with 'ALF'"));
    }

    void missingValueStaysMissing()
    {
        Fixture f;
        const FilterNode missing =
            FilterNode::condition(kSubject, FilterOperator::NotEqual, {FilterValue()});
        f.filter.apply(missing);
        f.act = [](QDialog &dialog) {
            CustomFilterDialog &d = custom(dialog);
            QCOMPARE(d.valueEdit(0)->placeholderText(), QStringLiteral("blank"));
            press(d, QStringLiteral("OK"));
        };
        f.ui.openCustomFilter(kSubject);
        QVERIFY(f.filter.criteria().root() == g(FilterGroupOperator::And, {missing}));
    }

    void invalidValueKeepsTheDialogOpenAndTheFilter()
    {
        setStockText(QStringLiteral("Invalid value"), QStringLiteral("Valore non valido"));
        Fixture f;
        f.filter.apply(c(FilterOperator::Equal, {t("BETA")}));
        const FilterCriteria before = f.filter.criteria();
        f.act = [](QDialog &dialog) {
            CustomFilterDialog &d = custom(dialog);
            pick(d.operatorBox(1), QStringLiteral("equals"));
            // A character the data file's code page cannot hold could never match.
            d.valueEdit(1)->setText(QStringLiteral(u"\u4E2D"));
            press(d, QStringLiteral("OK"));
            QVERIFY(d.isVisible());
            QVERIFY(d.valueEdit(1)->hasFocus() || !QApplication::focusWidget());
        };
        f.ui.openCustomFilter(kSubject);
        QCOMPARE(f.boxes.log, QStringList{QStringLiteral("error[Pensilio]: Valore non valido")});
        QVERIFY(f.filter.criteria().sameConditions(before));
        QCOMPARE(f.rows(), QStringLiteral("BETA"));
    }

    void cancelAndTheCloseBoxChangeNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void cancelAndTheCloseBoxChangeNothing()
    {
        QFETCH(bool, closeBox);
        Fixture f;
        f.filter.apply(c(FilterOperator::Equal, {t("BETA")}));
        f.filter.setActive(false);
        const size_t remembered = f.filter.history().entries().size();
        f.act = [closeBox](QDialog &dialog) {
            CustomFilterDialog &d = custom(dialog);
            pick(d.operatorBox(0), QStringLiteral("like"));
            d.valueEdit(0)->setText(QStringLiteral("%A"));
            if (closeBox)
                d.close();
            else
                press(d, QStringLiteral("Cancel"));
        };
        f.ui.openCustomFilter(kSubject);
        QCOMPARE(f.filter.description(), QStringLiteral("Oggetto equals 'BETA'"));
        QVERIFY(!f.filter.criteria().isActive());
        QCOMPARE(f.filter.history().entries().size(), remembered);
        QCOMPARE(f.rows(), QStringLiteral("ALFA,BETA,ALFIERE,GAMMA"));
    }

    void dropDownCustomEntryOpensTheDialog()
    {
        Fixture f;
        f.window.show();
        FilterDropDown *dropDown = f.ui.showDropDown(kSubject, QRect(10, 10, 100, 20));
        QVERIFY(dropDown);
        QCOMPARE(dropDown->entries().text(1), QStringLiteral("(Custom...)"));
        Q_EMIT dropDown->entryChosen(1);
        QCOMPARE(f.opened, QStringList{QStringLiteral("pensilio::grid::CustomFilterDialog")});
        // Columns without filtering have no drop-down.
        QCOMPARE(f.ui.showDropDown(0, QRect(10, 10, 100, 20)), nullptr);
    }
};

QTEST_MAIN(tst_CustomFilter)
#include "tst_customfilter.moc"
