// Subclass selection and management through the panel, as a user gets there: a configuration
// opened or made with File -> New, then subclasses selected, created, copied and deleted.
#include "veltora.h"
#include "windowtest.h"

#include <QComboBox>
#include <QGraphicsView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTest;

namespace {

// Subclass 3 is incomplete (no category), 5 has 3 axles, 7 has 25 and 8 a single axle;
// 5 reclassifies up to 3 (2 axles: invalid) and down to 0 (no target).
const QString configuration = fixture("subclasses.conf");

} // namespace

class tst_Subclasses : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { window.reset(); }

    void newSubclassAfterNewUntilValid();
    void selectByNumber_data();
    void selectByNumber();
    void namingTheShownSubclassAgainShowsTheModel();
    void newSubclassAmongValidOnesIsListedAtOnce();
    void loadsWithoutRowsForInvalidCounts_data();
    void loadsWithoutRowsForInvalidCounts();
    void reclassifyTargets();
    void copyKeepsInvalidMarkAndNeverReplaces();
    void deleteLoadsNeighbourAndLastLeavesNothing();

private:
    QLineEdit *edit(const char *name) { return field(*window, name); }
    QComboBox *combo(const char *name) { return window->findChild<QComboBox *>(name); }
    QPushButton *button(const char *name) { return window->findChild<QPushButton *>(name); }
    QString invalidList() { return WindowTest::invalidList(*window); }

    QTemporaryDir dir;
    QScopedPointer<Veltora> window;
};

void tst_Subclasses::init()
{
    window.reset(new Veltora);
    QCOMPARE(open(*window, configuration), QStringList {"Open file"});
}

void tst_Subclasses::newSubclassAfterNewUntilValid()
{
    window.reset(new Veltora);
    typeFields(*window,
        {"lineEditCountry=si", "lineEditGroupMaxDist=2", "lineEditMaxAxleDist=10",
            "lineEditUnclassified=99", "lineEditUncategorised=9"});
    QCOMPARE(answerModals(action(*window, "actionNew"), {choose(dir.filePath("new"))}),
        QStringList {"Save as"});
    QVERIFY(window->findChild<QFrame *>("frameSubclassBottom")->isHidden());
    typeInto(edit("lineEditSubclass"), "12");
    QCOMPARE(colours({edit("lineEditSubclass")}), QString("r"));
    QCOMPARE(button("buttonSubclass")->text(), QString("New"));
    button("buttonSubclass")->click();

    QCOMPARE(entries(combo("comboBoxSubclasses")), QStringList {"subclass_12"});
    QCOMPARE(invalidList(), QString("Invalid subclasses: shown subclass_12"));
    QCOMPARE(button("buttonSubclass")->text(), QString("Delete"));
    // A new subclass belongs in the uncategorised category.
    QCOMPARE(edit("lineEditCategory")->text(), QString("9"));
    // Axle 1 can be typed into at once, also when no file was ever opened.
    const QList<QLineEdit *> axleOne
        = {field(*window, "MaxAxleWeightEdit1"), field(*window, "TyreType1")};
    QCOMPARE(colours(axleOne), QString("rr"));
    QVERIFY(!axleOne.at(0)->isHidden() && !axleOne.at(1)->isHidden());

    typeInto(edit("lineEditNumOfAxles"), "2");
    typeFields(*window,
        {"lineEditCategory=3", "lineEditConfString=h2", "lineEditMaxGrossWeight=20",
            "MaxAxleDist1=3", "MinAxleDist1=2", "MaxAxleWeightEdit1=5", "MaxAxleWeightEdit2=5",
            "TyreType1=1"});
    QCOMPARE(invalidList(), QString("Invalid subclasses: shown subclass_12"));
    typeInto(edit("TyreType2"), "2");
    QCOMPARE(invalidList(), QString("Subclasses are valid. hidden "));
    const Subclass &made = window->configuration().get_subclass(12);
    QCOMPARE(
        made.get_axle_configuration() + made.get_max_axle_weight_at_index(1), QString("H249.0332"));
    QVERIFY(!window->findChild<QGraphicsView *>("graphicsViewMin")->scene()->items().isEmpty());
}

void tst_Subclasses::selectByNumber_data()
{
    // Typed in turn into the number field; then what is selected, the field's colour and the
    // button's text.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("state");
    QTest::newRow("existing") << QStringList {"5"} << "5"
                              << "l Delete";
    QTest::newRow("read by value") << QStringList {"05"} << "5"
                                   << "l Delete";
    QTest::newRow("one digit more names none") << QStringList {"5", "51"} << "5"
                                               << "r New";
    QTest::newRow("above 65535") << QStringList {"70000"} << "7"
                                 << "r New";
    QTest::newRow("negative") << QStringList {"-3"} << "3"
                              << "r New";
}

void tst_Subclasses::selectByNumber()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, selected);
    QFETCH(QString, state);
    for (const QString &text : typed) {
        typeInto(edit("lineEditSubclass"), text);
    }
    QCOMPARE(combo("comboBoxSubclasses")->currentText(), "subclass_" + selected);
    QCOMPARE(colours({edit("lineEditSubclass")}) + ' ' + button("buttonSubclass")->text(), state);
    // New does nothing for a number it cannot create.
    if (state.endsWith("New")) {
        button("buttonSubclass")->click();
        QCOMPARE(combo("comboBoxSubclasses")->count(), 4 + (typed.last() == "51"));
    }
}

void tst_Subclasses::namingTheShownSubclassAgainShowsTheModel()
{
    typeInto(edit("lineEditSubclass"), "5");
    typeInto(edit("lineEditSubclass"), "51");
    typeFields(*window, {"lineEditCategory=77", "MaxAxleDist1=9"}); // go nowhere
    typeInto(edit("lineEditSubclass"), "5");
    QCOMPARE(edit("lineEditCategory")->text() + ' ' + field(*window, "MaxAxleDist1")->text(),
        QString("1 4.00"));
    QCOMPARE(window->configuration().get_subclass(5).get_category(), QString("1"));
}

void tst_Subclasses::newSubclassAmongValidOnesIsListedAtOnce()
{
    const QByteArray text = fileBytes(configuration);
    const int from = text.indexOf("[subclass_5]");
    open(*window,
        writeFile(dir.filePath("valid.conf"),
            text.left(text.indexOf("[subclass_3]"))
                + text.mid(from, text.indexOf("[subclass_7]") - from)));
    QCOMPARE(invalidList(), QString("Subclasses are valid. hidden "));
    typeInto(edit("lineEditSubclass"), "6");
    button("buttonSubclass")->click();
    QCOMPARE(invalidList(), QString("Invalid subclasses: shown subclass_6"));
    // Nothing of the panel is cut off at the window's size, whatever the fonts' widths.
    QVERIFY(window->width() >= window->minimumSizeHint().width());
}

void tst_Subclasses::loadsWithoutRowsForInvalidCounts_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("reclassDownGvw");
    QTest::newRow("25 axles") << "7" << QString();
    QTest::newRow("one axle") << "8" << QString("1.00");
}

void tst_Subclasses::loadsWithoutRowsForInvalidCounts()
{
    QFETCH(QString, number);
    QFETCH(QString, reclassDownGvw);
    typeInto(edit("lineEditSubclass"), "5");
    QCOMPARE(shownEdits(*window, "frameMaxAxleDists").size(), 2);
    typeInto(edit("lineEditSubclass"), number);
    // Nothing of subclass 5 stays on screen: no rows, no pictures, its own reclassify values.
    QCOMPARE(colours({edit("lineEditNumOfAxles")}), QString("r"));
    QCOMPARE(edit("lineEditNumOfAxles")->toolTip(), QString("Value must be between 2 and 20"));
    QCOMPARE(shownEdits(*window, "frameMaxAxleDists").size(), 0);
    QCOMPARE(shownEdits(*window, "frameCombinedWeightConstraints").size(), 0);
    QCOMPARE(edit("lineEditReclassUpTo")->text(), QString());
    QCOMPARE(edit("lineEditReclassDownGvw")->text(), reclassDownGvw);
    QVERIFY(window->findChild<QGraphicsView *>("graphicsViewMax")->scene()->items().isEmpty());
}

void tst_Subclasses::reclassifyTargets()
{
    typeInto(edit("lineEditSubclass"), "5");
    // Up to 3 (2 axles) is red, a stored 0 down is no target.
    QCOMPARE(colours({edit("lineEditReclassUpTo"), edit("lineEditReclassDownTo")}), QString("rl"));
    QCOMPARE(edit("lineEditReclassUpTo")->toolTip(),
        QString("Subclass must exist and have the same number of axles as current."));
    const QList<QPair<QString, QString>> typed
        = {{"0", "r"}, {"", "l"}, {"5", "l"}, {"9", "r"}, {"7", "r"}};
    for (const auto &target : typed) {
        typeInto(edit("lineEditReclassDownTo"), target.first);
        QCOMPARE(colours({edit("lineEditReclassDownTo")}), target.second);
    }
    QCOMPARE(
        window->configuration().get_subclass(5).get_reclassify_down_to_subclass(), QString("7"));
}

void tst_Subclasses::copyKeepsInvalidMarkAndNeverReplaces()
{
    typeInto(edit("lineEditSubclass"), "3");
    QCOMPARE(entries(combo("comboBoxInvalid")),
        (QStringList {"subclass_3", "subclass_7", "subclass_8"}));
    typeInto(edit("lineEditCopy"), "5");
    QCOMPARE(colours({edit("lineEditCopy")}), QString("r"));
    QVERIFY(!button("buttonCopy")->isEnabled());
    typeInto(edit("lineEditCopy"), "");
    QCOMPARE(colours({edit("lineEditCopy")}), QString("w"));
    QVERIFY(!button("buttonCopy")->isEnabled());
    typeInto(edit("lineEditCopy"), "4");
    QVERIFY(button("buttonCopy")->isEnabled());
    button("buttonCopy")->click();
    QCOMPARE(combo("comboBoxSubclasses")->currentText(), QString("subclass_4"));
    // Both lists stay in ascending order: the copy stands in its place.
    QCOMPARE(entries(combo("comboBoxInvalid")),
        (QStringList {"subclass_3", "subclass_4", "subclass_7", "subclass_8"}));
    QCOMPARE(entries(combo("comboBoxSubclasses")).mid(0, 3),
        (QStringList {"subclass_3", "subclass_4", "subclass_5"}));
    QCOMPARE(colours({edit("lineEditCopy")}), QString("r"));
    QVERIFY(!button("buttonCopy")->isEnabled());
    QCOMPARE(window->configuration().get_subclass(4).get_subclass_number(), quint16(4));
    QCOMPARE(window->configuration().find_duplicates(), QString("3 = 4"));

    // A stale button (the target made since) copies nothing.
    typeInto(edit("lineEditCopy"), "6");
    typeInto(edit("lineEditSubclass"), "6");
    button("buttonSubclass")->click();
    typeInto(edit("lineEditSubclass"), "5");
    button("buttonCopy")->click();
    QCOMPARE(window->configuration().get_subclass(6).get_number_of_axles(), QString());
    QCOMPARE(colours({edit("lineEditCopy")}), QString("r"));
    QCOMPARE(
        edit("lineEditCopy")->toolTip().left(33), QString("The subclass you wish to copy to "));
}

void tst_Subclasses::deleteLoadsNeighbourAndLastLeavesNothing()
{
    typeInto(edit("lineEditSubclass"), "3");
    button("buttonSubclass")->click();
    QCOMPARE(combo("comboBoxSubclasses")->currentText(), QString("subclass_5"));
    QCOMPARE(edit("lineEditSubclass")->text(), QString("5"));
    QVERIFY(!entries(combo("comboBoxInvalid")).contains("subclass_3"));
    for (const char *number : {"5", "7", "8"}) {
        typeInto(edit("lineEditSubclass"), number);
        button("buttonSubclass")->click();
    }
    QVERIFY(window->configuration().get_subclass_numbers().isEmpty());
    // As right after File -> New: nothing of the deleted subclass left to edit.
    QCOMPARE(edit("lineEditSubclass")->text() + edit("lineEditCategory")->text()
            + edit("lineEditReclassUpTo")->text(),
        QString());
    QCOMPARE(
        colours({edit("lineEditSubclass")}) + button("buttonSubclass")->text(), QString("rNew"));
    QVERIFY(window->findChild<QFrame *>("frameSubclassBottom")->isHidden());
    QVERIFY(window->findChild<QFrame *>("frameMiddle")->isHidden());
    QVERIFY(window->findChild<QLabel *>("labelSelected")->isHidden());
    QCOMPARE(invalidList(), QString("Subclasses are valid. hidden "));

    typeInto(edit("lineEditSubclass"), "9");
    button("buttonSubclass")->click();
    QCOMPARE(entries(combo("comboBoxSubclasses")), QStringList {"subclass_9"});
    // The file names no uncategorised category: the new subclass has none either.
    QCOMPARE(edit("lineEditCategory")->text(), QString());
    QVERIFY(!window->findChild<QFrame *>("frameSubclassBottom")->isHidden());
    QCOMPARE(invalidList(), QString("Invalid subclasses: shown subclass_9"));
}

QTEST_MAIN(tst_Subclasses)
#include "tst_subclasses.moc"
