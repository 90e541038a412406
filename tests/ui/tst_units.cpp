// Display units in the editor, set through the units dialog on an opened file: what the fields
// and labels show, the g that ties tonnes to the file, and the colours kept across a change.
#include "measurementunits.h"
#include "veltora.h"
#include "windowtest.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTest;

namespace {

// No g: tonnes are shown with 9.80665. The group maximum is empty (red) and the one gap's
// maximum 3.048 m lies above the header maximum 3 m (red).
const QString configuration = fixture("units.conf");

// Options -> Configuration with the given weight and length buttons, g typed when given, OK.
QStringList setUnits(Veltora &window, const QString &weight, const QString &length,
    const QString &g = QString(), QString *offeredG = nullptr)
{
    return answerModals(action(window, "actionConfiguration"), {[=](QWidget *dialog) {
        dialog->findChild<QRadioButton *>(weight)->click();
        dialog->findChild<QRadioButton *>(length)->click();
        QLineEdit *gEdit = dialog->findChild<QLineEdit *>("lineEditG");
        if (offeredG) {
            *offeredG = gEdit->text();
        }
        if (!g.isNull()) {
            typeInto(gEdit, g);
        }
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    }});
}

} // namespace

class tst_Units : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { window.reset(); }

    void fieldsAndLabelsFollowTheUnits_data();
    void fieldsAndLabelsFollowTheUnits();
    void gTiesTonnesToTheFile();
    void fileGOnlyWhileTonnesAreShown();

private:
    QString text(const char *name) { return field(*window, name)->text(); }

    QTemporaryDir dir;
    QScopedPointer<Veltora> window;
};

void tst_Units::init()
{
    window.reset(new Veltora);
    open(*window, configuration);
}

void tst_Units::fieldsAndLabelsFollowTheUnits_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("length");
    // Max. gvw, upper limit, a constraint, max distance of gap 1 and the two labels' units.
    QTest::addColumn<QString>("shown");
    // A gross weight of 2 and a header minimum of 1 typed, as stored.
    QTest::addColumn<QString>("stored");
    QTest::newRow("tonnes, metres") << "radioButtonTons"
                                    << "radioButtonMeters"
                                    << "40.00 40.00 1+2,20.00 3.05 (t): (m):"
                                    << "19.6133 1";
    QTest::newRow("pounds, feet") << "radioButtonPounds"
                                  << "radioButtonFeet"
                                  << "88184.91 88184.91 1+2,44092.45 10.00 (lb): (ft):"
                                  << "0.00889644 0.3048";
    QTest::newRow("kilonewtons, inches") << "radioButtonKN"
                                         << "radioButtonInches"
                                         << "392.27 392.27 1+2,196.13 120.00 (kN): (in):"
                                         << "2 0.0254";
}

void tst_Units::fieldsAndLabelsFollowTheUnits()
{
    QFETCH(QString, weight);
    QFETCH(QString, length);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    setUnits(*window, weight, length);
    const auto unitOf = [this](const char *label) {
        return window->findChild<QLabel *>(label)->text().section(' ', -1);
    };
    QCOMPARE(QStringList({text("lineEditMaxGrossWeight"), text("lineEditReclassUpGvw"),
                             text("Constraint1"), text("MaxAxleDist1"), unitOf("labelReclassUpGvw"),
                             unitOf("labelMaxAxleDists")})
                 .join(' '),
        shown);
    QCOMPARE(unitOf("labelCombinedWeightConstraints"), shown.section(' ', -2, -2));
    // Refilled fields keep the colour of their own check: an empty group maximum and a gap
    // above the header maximum stay red.
    QCOMPARE(colours({field(*window, "lineEditGroupMaxDist"), field(*window, "MaxAxleDist1"),
                 field(*window, "lineEditMaxGrossWeight")}),
        QString("rrl"));
    typeFields(*window, {"lineEditMaxGrossWeight=2", "lineEditMinAxleDist=1"});
    const Conf &conf = window->configuration();
    QCOMPARE(conf.get_subclass(1).get_max_GVW() + ' ' + conf.get_min_axle_distance(), stored);
}

void tst_Units::gTiesTonnesToTheFile()
{
    const Conf &conf = window->configuration();
    setUnits(*window, "radioButtonTons", "radioButtonMeters", "9.80665");
    QCOMPARE(conf.get_g_acceleration_constant(), QString());
    setUnits(*window, "radioButtonTons", "radioButtonMeters", "9.81");
    QCOMPARE(conf.get_g_acceleration_constant(), QString("9.81"));
    QCOMPARE(text("lineEditMaxGrossWeight"), QString("39.99"));
    // A g of 0 is refused: tonnes with 9.81 stay, the lengths still change.
    setUnits(*window, "radioButtonTons", "radioButtonFeet", "");
    QCOMPARE(text("lineEditMaxGrossWeight") + ' ' + text("MaxAxleDist1"), QString("39.99 10.00"));
    QCOMPARE(conf.get_g_acceleration_constant(), QString("9.81"));
    // While pounds are shown, the dialog offers the file's g for tonnes, not the standard one.
    QString offered;
    setUnits(*window, "radioButtonPounds", "radioButtonMeters");
    setUnits(*window, "radioButtonTons", "radioButtonMeters", QString(), &offered);
    QCOMPARE(offered, QString("9.810000"));
    QCOMPARE(text("lineEditMaxGrossWeight"), QString("39.99"));
}

void tst_Units::fileGOnlyWhileTonnesAreShown()
{
    const QString withG = writeFile(dir.filePath("g.conf"),
        fileBytes(configuration)
            .replace("[classes]\n", "[classes]\ng_acceleration_constant=9.81\n"));
    setUnits(*window, "radioButtonPounds", "radioButtonMeters");
    open(*window, withG);
    QCOMPARE(text("lineEditMaxGrossWeight"), QString("88184.91"));
    setUnits(*window, "radioButtonTons", "radioButtonMeters");
    open(*window, withG);
    QCOMPARE(text("lineEditMaxGrossWeight"), QString("39.99"));
    // With no subclass selected a change of units refills the header and relabels only.
    typeInto(field(*window, "lineEditSubclass"), "");
    setUnits(*window, "radioButtonKN", "radioButtonMeters");
    QCOMPARE(text("lineEditMaxGrossWeight"), QString("39.99"));
    QCOMPARE(window->findChild<QLabel *>("labelMaxGrossWeight")->text(), QString("Max. gvw (kN):"));
}

QTEST_MAIN(tst_Units)
#include "tst_units.moc"
