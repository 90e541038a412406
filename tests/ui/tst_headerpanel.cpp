// Header panel editing, driven through the fields as a user types: what reaches the model,
// how fields and distance rows are coloured, and the list of invalid subclasses.
#include "veltora.h"
#include "windowtest.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <tuple>

using WindowTest::colours;
using WindowTest::field;
using WindowTest::invalidList;
using WindowTest::typeInto;

namespace {

const QString tipMinDistance = QStringLiteral("Value must be lower than corresponding max distance "
                                              "and between min and max distances in header.");
const QString tipMaxDistance = QStringLiteral("Value must be higher than corresponding min "
                                              "distance and between min and max distances in "
                                              "header.");

// The header values the rows check, by the field that edits them.
QMap<QString, QString> headerValues(const Conf &conf)
{
    return {{"lineEditVersion", conf.get_classification_version()},
        {"lineEditCountry", conf.get_country_code()},
        {"lineEditGroupMaxDist", conf.get_group_max_distance()},
        {"lineEditMinAvgAxleWeight", conf.get_min_avg_axle_weight()},
        {"lineEditMaxAxleDist", conf.get_max_axle_distance()},
        {"lineEditUnclassified", conf.get_unclassified_vehicles_subclass()},
        {"lineEditUncategorised", conf.get_uncategorised_vehicle_category()}};
}

// A complete subclass with one gap per entry of the distance lists.
Subclass makeSubclass(quint16 number, const QStringList &mins, const QStringList &maxs)
{
    Subclass subclass;
    subclass.set_subclass_number(number);
    const int axles = mins.size() + 1;
    subclass.set_number_of_axles(QString::number(axles));
    for (int i = 0; i < mins.size(); ++i) {
        subclass.set_min_distance_at_index(mins.at(i), i);
        subclass.set_max_distance_at_index(maxs.at(i), i);
    }
    for (int i = 0; i < axles; ++i) {
        subclass.set_max_axle_weight_at_index("50", i);
        subclass.set_tyre_type_at_index("1", i);
    }
    subclass.set_category("1");
    subclass.set_max_GVW("100");
    subclass.set_axle_configuration("H" + QString::number(axles));
    return subclass;
}

const QString valid = QStringLiteral("Subclasses are valid. hidden ");

} // namespace

class tst_HeaderPanel : public QObject
{
    Q_OBJECT

private slots:
    void typingStoresAndColours_data();
    void typingStoresAndColours();
    void boundsRecolourBothBoundsAndRows();
    void invalidListRebuiltOnlyByBoundsAndUpdated();
};

void tst_HeaderPanel::typingStoresAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("tip");
    const auto row = [](const char *name, const char *field, const QString &typed,
                         const QString &stored, const char *colour, const QString &tip = {}) {
        QTest::newRow(name) << QString(field) << typed << stored << QString(colour) << tip;
    };
    const QString tipCountry = "Enter a two letter ISO code.";
    row("country si stored upper case", "lineEditCountry", "si", "SI", "l");
    row("country uk is no code", "lineEditCountry", "uk", "UK", "r", tipCountry);
    row("category 5", "lineEditUncategorised", "5", "5", "r");
    row("unclassified 7 exists", "lineEditUnclassified", "7", "7", "r");
    row("group max 0 stores nothing", "lineEditGroupMaxDist", "0", "", "r");
    row("max axle distance below a subclass", "lineEditMaxAxleDist", "5", "5", "y",
        "Value is lower than some subclasses.");
    row("max axle distance emptied", "lineEditMaxAxleDist", "", "", "r",
        "Value must be higher than min axle distance.");
    row("max axle distance above all", "lineEditMaxAxleDist", "6", "6", "l");
    // Store-only fields keep whatever colour and tip they had.
    row("version as typed", "lineEditVersion", "v 1.0-x", "v 1.0-x", "b", "stale");
    row("avg weight 10 t in kN", "lineEditMinAvgAxleWeight", "10", "98.0665", "b", "stale");
}

void tst_HeaderPanel::typingStoresAndColours()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, colour);
    QFETCH(QString, tip);
    QTemporaryDir dir;
    Conf made;
    made.set_subclass(7, makeSubclass(7, {"1", "2"}, {"3", "6"}));
    Veltora window;
    QVERIFY(window.openConfiguration(
        WindowTest::writeFile(dir.filePath("7.conf"), made.to_string().toUtf8())));
    QLineEdit *edit = field(window, name);
    // Start from a text, colour and tip no check gives, so all must change.
    typeInto(edit, "9");
    edit->setStyleSheet("QLineEdit {background-color: blue}");
    edit->setToolTip("stale");
    typeInto(edit, typed);
    QCOMPARE(headerValues(window.configuration()).value(name), stored);
    QCOMPARE(colours({edit}), colour);
    QCOMPARE(edit->toolTip(), tip);
    // Only red marks a field invalid: yellow is a warning.
    QCOMPARE(window.isMarkedInvalid(edit), colour == "r");
    // Only user edits store and colour; text set by the program does neither.
    edit->setText("7");
    QCOMPARE(headerValues(window.configuration()).value(name), stored);
    QCOMPARE(colours({edit}), colour);
}

void tst_HeaderPanel::boundsRecolourBothBoundsAndRows()
{
    QTemporaryDir dir;
    Conf made;
    made.set_country_code("SI");
    made.set_subclass(3, makeSubclass(3, {"2", "1"}, {"5", "3"}));
    made.set_subclass(4, makeSubclass(4, {"2"}, {"5"}));
    Veltora window;
    WindowTest::open(
        window, WindowTest::writeFile(dir.filePath("rows.conf"), made.to_string().toUtf8()));
    const QList<QLineEdit *> rows = WindowTest::shownEdits(window, "frameMinAxleDists")
        + WindowTest::shownEdits(window, "frameMaxAxleDists");
    QCOMPARE(rows.size(), 4);
    WindowTest::MessageLog log;
    const QList<QLineEdit *> bounds
        = {field(window, "lineEditMinAxleDist"), field(window, "lineEditMaxAxleDist")};
    // Each step: the bound typed into (0 min, 1 max), the text, then the colours of both bounds
    // and of the rows (minimum of gap 1 and 2, maximum of gap 1 and 2). An edit of either bound
    // re-checks the other and every row against both.
    const QList<std::tuple<int, QString, QString>> steps
        = {{1, "10", "ll llll"}, {0, "1.5", "ll lrll"}, {1, "4", "ly lrrl"}, {0, "12", "rr rrrr"},
            {1, "20", "ll rrrr"}, {0, "1", "ll llll"}};
    for (const auto &[bound, typed, expected] : steps) {
        typeInto(bounds.at(bound), typed);
        QCOMPARE(colours(bounds) + ' ' + colours(rows), expected);
        for (int i = 0; i < rows.size(); ++i) {
            const QString tip = i < 2 ? tipMinDistance : tipMaxDistance;
            QCOMPARE(rows.at(i)->toolTip(), colours({rows.at(i)}) == "r" ? tip : QString());
        }
    }
    QCOMPARE(invalidList(window), valid);
    QCOMPARE(log.lines().filter(QRegExp("^W ")), QStringList());
    // While the number names no subclass, the rows on screen belong to none: left alone.
    typeInto(field(window, "lineEditSubclass"), "9");
    typeInto(bounds.at(0), "4");
    QCOMPARE(colours(rows), QString("llll"));
}

void tst_HeaderPanel::invalidListRebuiltOnlyByBoundsAndUpdated()
{
    QTemporaryDir dir;
    Conf made;
    made.set_max_axle_distance("10");
    made.set_subclass(12, makeSubclass(12, {"1"}, {"20"}));
    made.set_subclass(3, makeSubclass(3, {"1"}, {"20"}));
    made.set_subclass(5, makeSubclass(5, {"1"}, {"2"}));
    Veltora window;
    QVERIFY(window.openConfiguration(
        WindowTest::writeFile(dir.filePath("list.conf"), made.to_string().toUtf8())));
    const QString before = invalidList(window);
    typeInto(field(window, "lineEditGroupMaxDist"), "4");
    QCOMPARE(invalidList(window), before);
    const QString invalid = "Invalid subclasses: shown subclass_3 subclass_12";
    typeInto(field(window, "lineEditMinAxleDist"), "1");
    QCOMPARE(invalidList(window), invalid);
    window.clearInvalidList();
    QCOMPARE(invalidList(window), valid);
    typeInto(field(window, "lineEditMaxAxleDist"), "10");
    QCOMPARE(invalidList(window), invalid);

    // An edit updates its subclass's entry only, in its place in ascending order.
    typeInto(field(window, "lineEditSubclass"), "5");
    typeInto(field(window, "lineEditCategory"), "");
    QCOMPARE(invalidList(window), "Invalid subclasses: shown subclass_3 subclass_5 subclass_12");
    for (const char *number : {"3", "12"}) {
        typeInto(field(window, "lineEditSubclass"), number);
        typeInto(field(window, "MaxAxleDist1"), "2");
    }
    QCOMPARE(invalidList(window), QString("Invalid subclasses: shown subclass_5"));
    typeInto(field(window, "lineEditSubclass"), "5");
    typeInto(field(window, "lineEditCategory"), "1");
    QCOMPARE(invalidList(window), valid);
}

QTEST_MAIN(tst_HeaderPanel)
#include "tst_headerpanel.moc"
