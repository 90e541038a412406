// Header panel editing, driven through the fields as a user types: what reaches the model,
// how fields and distance rows are coloured, and the list of invalid subclasses.
#include "veltora.h"
#include "windowtest.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QtTest>

#include <tuple>

using WindowTest::field;
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

// One letter per field: l(ime), r(ed), y(ellow), - for none, ? for any other style.
QString colours(const QList<QLineEdit *> &edits)
{
    const QMap<QString, QChar> letters = {{QString(), '-'},
        {"QLineEdit {background-color: lime}", 'l'}, {"QLineEdit {background-color: red}", 'r'},
        {"QLineEdit {background-color: yellow}", 'y'}};
    QString text;
    for (const QLineEdit *edit : edits) {
        text += letters.value(edit->styleSheet(), '?');
    }
    return text;
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

// The per-axle rows are built by the subclass panel; here they are laid out by hand behind
// each frame's label, and the selection is set without running the panel's own handlers.
QList<QLineEdit *> addRows(Veltora &window, const char *frame, int count)
{
    QList<QLineEdit *> rows;
    for (int i = 0; i < count; ++i) {
        rows << new QLineEdit(&window);
        window.findChild<QFrame *>(frame)->layout()->addWidget(rows.last());
    }
    return rows;
}

void select(Veltora &window, const QString &subclass, const QString &axles)
{
    const QSignalBlocker blockNumber(field(window, "lineEditSubclass"));
    const QSignalBlocker blockCount(field(window, "lineEditNumOfAxles"));
    field(window, "lineEditSubclass")->setText(subclass);
    field(window, "lineEditNumOfAxles")->setText(axles);
}

// The caption, whether the list shows, and its entries.
QString invalidList(Veltora &window)
{
    auto *list = window.findChild<QComboBox *>("comboBoxInvalid");
    QStringList texts {
        window.findChild<QLabel *>("labelInvalid")->text(), list->isHidden() ? "hidden" : "shown"};
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts.join(' ');
}

const QString valid = QStringLiteral("Subclasses are valid. hidden");

} // namespace

class tst_HeaderPanel : public QObject
{
    Q_OBJECT

private slots:
    void typingStoresAndColours_data();
    void typingStoresAndColours();
    void boundsRecolourBothBoundsAndRows();
    void nonLineEditAtRowPositionIsLogged();
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
    row("version as typed", "lineEditVersion", "v 1.0-x", "v 1.0-x", "?", "stale");
    row("avg weight 10 t in kN", "lineEditMinAvgAxleWeight", "10", "98.0665", "?", "stale");
}

void tst_HeaderPanel::typingStoresAndColours()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, colour);
    QFETCH(QString, tip);
    Veltora window;
    window.configuration().set_subclass(7, makeSubclass(7, {"1", "2"}, {"3", "6"}));
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
    Veltora window;
    window.configuration().set_subclass(3, makeSubclass(3, {"2", "1"}, {"5", "3"}));
    const QList<QLineEdit *> rows
        = addRows(window, "frameMinAxleDists", 2) + addRows(window, "frameMaxAxleDists", 2);
    WindowTest::MessageLog log;
    const QList<QLineEdit *> bounds
        = {field(window, "lineEditMinAxleDist"), field(window, "lineEditMaxAxleDist")};
    // Without an existing subclass selected the rows are left alone.
    for (const QString &number : {QString(), QString("9")}) {
        select(window, number, "3");
        typeInto(bounds.at(1), "10");
        QCOMPARE(colours(rows), QString("----"));
    }
    // The axle count names more rows than were built: those are skipped without a word.
    select(window, "3", "20");
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
}

void tst_HeaderPanel::nonLineEditAtRowPositionIsLogged()
{
    Veltora window;
    window.configuration().set_subclass(3, makeSubclass(3, {"2", "1"}, {"5", "3"}));
    window.findChild<QFrame *>("frameMinAxleDists")->layout()->addWidget(new QLabel(&window));
    addRows(window, "frameMinAxleDists", 1);
    const QList<QLineEdit *> maxRows = addRows(window, "frameMaxAxleDists", 2);
    select(window, "3", "3");
    QTest::ignoreMessage(QtWarningMsg,
        "Failed to convert a widget to a lineEdit while trying to validate min "
        "axle distance at index  1  upon changing of max axle distance");
    typeInto(field(window, "lineEditMaxAxleDist"), "4");
    QCOMPARE(colours(maxRows), QString("rl"));
}

void tst_HeaderPanel::invalidListRebuiltOnlyByBoundsAndUpdated()
{
    Veltora window;
    Conf &conf = window.configuration();
    conf.set_max_axle_distance("10");
    conf.set_subclass(12, makeSubclass(12, {"1"}, {"20"}));
    conf.set_subclass(3, makeSubclass(3, {"1"}, {"20"}));
    conf.set_subclass(5, makeSubclass(5, {"1"}, {"2"}));
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

    // A single update appends at the end, once; the last entry leaving hides the list.
    conf.get_subclass(5).set_category(QString());
    window.updateInvalidListEntry(conf.get_subclass(5));
    window.updateInvalidListEntry(conf.get_subclass(5));
    QCOMPARE(invalidList(window), invalid + " subclass_5");
    for (const quint16 number : {3, 12, 5}) {
        conf.get_subclass(number) = makeSubclass(number, {"1"}, {"2"});
        window.updateInvalidListEntry(conf.get_subclass(number));
    }
    QCOMPARE(invalidList(window), valid);
    conf.get_subclass(12).set_category(QString());
    window.updateInvalidListEntry(conf.get_subclass(12));
    QCOMPARE(invalidList(window), QString("Invalid subclasses: shown subclass_12"));
}

QTEST_MAIN(tst_HeaderPanel)
#include "tst_headerpanel.moc"
