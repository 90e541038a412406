// Per-axle rows and combined constraints, driven through the widgets of an opened file: rows
// following the number of axles, edits reaching the model, constraints added and removed.
#include "veltora.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTest;

namespace {

const QString configuration = fixture("rows.conf");

// The model's lists of a subclass: weights, minimum and maximum distances, tyres, constraints.
QString modelLists(const Subclass &s)
{
    QStringList all;
    const auto list = [&](int count, QString (Subclass::*at)(int) const) {
        QStringList items;
        for (int i = 0; i < count; ++i) {
            items << (s.*at)(i);
        }
        all << items.join(',');
    };
    list(s.get_max_axle_weight_count(), &Subclass::get_max_axle_weight_at_index);
    list(s.get_min_distance_count(), &Subclass::get_min_distance_at_index);
    list(s.get_max_distance_count(), &Subclass::get_max_distance_at_index);
    list(s.get_tyre_type_count(), &Subclass::get_tyre_type_at_index);
    list(s.get_combined_constraint_count(), &Subclass::get_combined_constraint_at_index);
    return all.join(" | ");
}

} // namespace

class tst_AxleRows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { window.reset(); }

    void rowsFollowTheNumberOfAxles();
    void editsStoreAndColourTheirGap();
    void addConstraintFromCheckBoxes();
    void emptiedConstraintIsRemovedAndTextsMoveUp();

private:
    QString shown(const char *frame) { return texts(shownEdits(*window, frame)).join(','); }
    QCheckBox *box(int axle)
    {
        return window->findChild<QCheckBox *>(QString("MaxAxleWeightBox%1").arg(axle));
    }

    QTemporaryDir dir;
    QScopedPointer<Veltora> window;
};

void tst_AxleRows::init()
{
    window.reset(new Veltora);
    QCOMPARE(open(*window, configuration), QStringList {"Open file"});
}

void tst_AxleRows::rowsFollowTheNumberOfAxles()
{
    const Subclass &s = window->configuration().get_subclass(1);
    QComboBox *invalid = window->findChild<QComboBox *>("comboBoxInvalid");
    QCOMPARE(shown("frameMaxAxleDists"), QString("4.00,5.00"));
    typeInto(field(*window, "lineEditNumOfAxles"), "5");
    QCOMPARE(invalid->currentText(), QString("subclass_1"));
    // Gaps 3 and 4 and axles 4 and 5 appear empty and red; the configuration no longer fits.
    QCOMPARE(shown("frameMinAxleDists"), QString("2.00,3.00,,"));
    QCOMPARE(shown("frameTyreTypes"), QString("1,2,3,,"));
    QCOMPARE(colours(shownEdits(*window, "frameMaxAxleWeightsEdits")), QString("lllrr"));
    QVERIFY(!box(5)->isHidden());
    QCOMPARE(colours({field(*window, "lineEditConfString")}), QString("r"));
    QCOMPARE(field(*window, "lineEditConfString")->toolTip().left(28),
        QString("Proper format is XaYb where "));
    typeFields(*window, {"MaxAxleDist4=6", "MinAxleDist4=5", "TyreType5=4"});
    QVERIFY(modelLists(s).startsWith("50,60,70,,"));

    typeInto(field(*window, "lineEditNumOfAxles"), "3");
    QCOMPARE(shown("frameMaxAxleDists"), QString("4.00,5.00"));
    QVERIFY(box(4)->isHidden());
    QCOMPARE(colours({field(*window, "lineEditConfString")}), QString("l"));
    QCOMPARE(modelLists(s), QString("50,60,70 | 2,3 | 4,5 | 1,2,3 | 1+2,100,2+3,110,1+3,120"));
    QCOMPARE(invalid->count(), 0);

    // A hidden row's values went with it: shown again, the row is empty, as the model holds it.
    typeInto(field(*window, "lineEditNumOfAxles"), "5");
    QCOMPARE(shown("frameMaxAxleDists") + ' ' + shown("frameMinAxleDists"),
        QString("4.00,5.00,, 2.00,3.00,,"));
    QCOMPARE(shown("frameTyreTypes"), QString("1,2,3,,"));
    QCOMPARE(modelLists(s).section(" | ", 0, 3), QString("50,60,70,, | 2,3,, | 4,5,, | 1,2,3,,"));

    // "1" on the way to a number is refused and leaves the rows alone.
    typeInto(field(*window, "lineEditNumOfAxles"), "1");
    QCOMPARE(colours({field(*window, "lineEditNumOfAxles")}), QString("r"));
    QCOMPARE(shownEdits(*window, "frameMaxAxleDists").size(), 4);
}

void tst_AxleRows::editsStoreAndColourTheirGap()
{
    const Subclass &s = window->configuration().get_subclass(1);
    // A maximum below its minimum turns both red; feet are stored in metres.
    typeInto(field(*window, "MaxAxleDist1"), "1.5");
    QCOMPARE(
        colours({field(*window, "MinAxleDist1"), field(*window, "MaxAxleDist1")}), QString("rr"));
    QCOMPARE(field(*window, "MaxAxleDist1")->toolTip().left(31),
        QString("Value must be higher than corre"));
    typeInto(field(*window, "MaxAxleDist1"), "4");
    QCOMPARE(
        colours({field(*window, "MinAxleDist1"), field(*window, "MaxAxleDist1")}), QString("ll"));
    typeFields(*window, {"TyreType2=5", "MaxAxleWeightEdit3=0"});
    QCOMPARE(colours({field(*window, "TyreType2"), field(*window, "MaxAxleWeightEdit3")}),
        QString("rr"));
    QCOMPARE(field(*window, "TyreType2")->toolTip(), QString("Valid types are between 1 and 4"));
    QCOMPARE(s.get_tyre_type_at_index(1) + '|' + s.get_max_axle_weight_at_index(2), QString("5|"));

    // Selecting a subclass with fewer constraints hides the surplus edits; back, they return.
    window->findChild<QComboBox *>("comboBoxSubclasses")->setCurrentIndex(1);
    QCOMPARE(shown("frameCombinedWeightConstraints"), QString());
    window->findChild<QComboBox *>("comboBoxSubclasses")->setCurrentIndex(0);
    QCOMPARE(shown("frameCombinedWeightConstraints"), QString("1+2,10.20,2+3,11.22,1+3,12.24"));
}

void tst_AxleRows::addConstraintFromCheckBoxes()
{
    auto *add = window->findChild<QPushButton *>("buttonAddConstraint");
    const auto click = [add] { add->click(); };
    typeFields(*window, {"lineEditNumOfAxles=5", "lineEditAddConstraint=30"});
    box(2)->setChecked(true);
    QCOMPARE(answerModals(click, {press(QMessageBox::Ok)}),
        QStringList {"Cannot add a new constraint: Make sure you have at least two checkboxes "
                     "selected and there is a viable value in the adjacent field."});
    box(4)->setChecked(true);
    QCOMPARE(answerModals(click, {}), QStringList());
    const Subclass &s = window->configuration().get_subclass(1);
    QCOMPARE(s.get_combined_constraint_at_index(3), QString("2+4,294.199"));
    QCOMPARE(shown("frameCombinedWeightConstraints").section(',', 6), QString("2+4,30.00"));
    QVERIFY(!box(2)->isChecked() && !box(4)->isChecked());
    QCOMPARE(field(*window, "lineEditAddConstraint")->text(), QString("30"));
}

void tst_AxleRows::emptiedConstraintIsRemovedAndTextsMoveUp()
{
    const Subclass &s = window->configuration().get_subclass(1);
    typeInto(field(*window, "Constraint1"), "");
    QCOMPARE(shown("frameCombinedWeightConstraints"), QString("2+3,11.22,1+3,12.24"));
    QVERIFY(field(*window, "Constraint3")->isHidden());
    QCOMPARE(modelLists(s).section(" | ", 4), QString("2+3,110,1+3,120"));
    // A typed weight is stored in kilonewtons; a text without one as typed, and red.
    typeInto(field(*window, "Constraint2"), "1+3,10");
    typeInto(field(*window, "Constraint1"), "2+3");
    QCOMPARE(modelLists(s).section(" | ", 4), QString("2+3,1+3,98.0665"));
    QCOMPARE(colours(shownEdits(*window, "frameCombinedWeightConstraints")), QString("rl"));
    QCOMPARE(field(*window, "Constraint1")->toolTip().left(17), QString("Proper format is "));
}

QTEST_MAIN(tst_AxleRows)
#include "tst_axlerows.moc"
