// Header panel editing, driven through the fields as a user types: what reaches the model,
// how fields and distance rows are coloured, and the list of invalid subclasses.
#include "veltora.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QtTest>

#include <tuple>

namespace {

const QString tipMinDistance = QStringLiteral("Value must be lower than corresponding max distance "
                                              "and between min and max distances in header.");
const QString tipMaxDistance = QStringLiteral("Value must be higher than corresponding min "
                                              "distance and between min and max distances in "
                                              "header.");

QStringList capturedWarnings;

void captureWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg) {
        capturedWarnings << message;
    }
}

QLineEdit *field(Veltora &window, const QString &name)
{
    return window.findChild<QLineEdit *>(name);
}

// Replaces the field's text the way a user does: select everything and type over it.
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(edit, text);
    }
}

// The nine header values, by the field that edits them.
QMap<QString, QString> headerValues(const Conf &conf)
{
    return {{"lineEditVersion", conf.get_classification_version()},
        {"lineEditCountry", conf.get_country_code()},
        {"lineEditGroupMaxDist", conf.get_group_max_distance()},
        {"lineEditMinAxleSpacing", conf.get_min_2axle_truck_spacing()},
        {"lineEditMinAvgAxleWeight", conf.get_min_avg_axle_weight()},
        {"lineEditMaxAxleDist", conf.get_max_axle_distance()},
        {"lineEditMinAxleDist", conf.get_min_axle_distance()},
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
    // A section holding only the number has no weights line; the reader says so.
    QTest::ignoreMessage(QtWarningMsg,
        qPrintable("Received empty weights string for class  " + QString::number(number)));
    Subclass subclass(QMap<QString, QString> {{"subclass", QString::number(number)}});
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
    void setTextDoesNotStore();
    void eitherBoundRecoloursBoth();
    void boundsRecolourRowsByFullChecks();
    void rowsNeedAnExistingSubclass();
    void nonLineEditAtRowPositionIsLogged();
    void invalidListRebuiltOnlyByAxleDistances_data();
    void invalidListRebuiltOnlyByAxleDistances();
    void invalidListCaptionAndVisibility();
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
    row("country emptied", "lineEditCountry", "", "", "r", tipCountry);
    row("category 6", "lineEditUncategorised", "6", "6", "l");
    row("category 5", "lineEditUncategorised", "5", "5", "r");
    row("category emptied", "lineEditUncategorised", "", "", "l");
    row("unclassified 7 exists", "lineEditUnclassified", "7", "7", "r");
    row("unclassified 8 free", "lineEditUnclassified", "8", "8", "l");
    row("group max in metres", "lineEditGroupMaxDist", "3.5", "3.5", "l");
    row("group max 0 stores nothing", "lineEditGroupMaxDist", "0", "", "r");
    row("max axle distance below a subclass", "lineEditMaxAxleDist", "5", "5", "y",
        "Value is lower than some subclasses.");
    row("max axle distance emptied", "lineEditMaxAxleDist", "", "", "r",
        "Value must be higher than min axle distance.");
    row("max axle distance above all", "lineEditMaxAxleDist", "6", "6", "l");
    // Store-only fields keep whatever colour and tip they had.
    row("version as typed", "lineEditVersion", "v 1.0-x", "v 1.0-x", "?", "stale");
    row("spacing in metres", "lineEditMinAxleSpacing", "2.5", "2.5", "?", "stale");
    row("spacing 0 stores nothing", "lineEditMinAxleSpacing", "0", "", "?", "stale");
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
}

void tst_HeaderPanel::setTextDoesNotStore()
{
    Veltora window;
    const QMap<QString, QString> before = headerValues(window.configuration());
    for (const QString &name : before.keys()) {
        QLineEdit *edit = field(window, name);
        const QString style = edit->styleSheet();
        edit->setText("7");
        QCOMPARE(edit->styleSheet(), style);
    }
    QCOMPARE(headerValues(window.configuration()), before);
}

void tst_HeaderPanel::eitherBoundRecoloursBoth()
{
    Veltora window;
    const QList<QLineEdit *> bounds
        = {field(window, "lineEditMinAxleDist"), field(window, "lineEditMaxAxleDist")};
    // Each step: the bound typed into (0 min, 1 max), the text, the colours of min and max.
    const QList<std::tuple<int, QString, QString>> steps
        = {{0, "12", "rr"}, {1, "10", "rr"}, {0, "5", "ll"}, {1, "4", "rr"}, {1, "8", "ll"}};
    for (const auto &[bound, typed, expected] : steps) {
        typeInto(bounds.at(bound), typed);
        QCOMPARE(colours(bounds), expected);
    }
    QVERIFY(bounds.at(1)->toolTip().isEmpty());
}

void tst_HeaderPanel::boundsRecolourRowsByFullChecks()
{
    Veltora window;
    window.configuration().set_subclass(3, makeSubclass(3, {"2", "1"}, {"5", "3"}));
    const QList<QLineEdit *> rows
        = addRows(window, "frameMinAxleDists", 2) + addRows(window, "frameMaxAxleDists", 2);
    // The axle count names more rows than were built: those are skipped without a word.
    select(window, "3", "20");
    capturedWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
    QLineEdit *min = field(window, "lineEditMinAxleDist");
    QLineEdit *max = field(window, "lineEditMaxAxleDist");
    // Rows: minimum of gap 1 and 2, then maximum of gap 1 and 2.
    typeInto(max, "10");
    QCOMPARE(colours(rows), QString("llll"));
    typeInto(min, "1.5");
    QCOMPARE(colours(rows), QString("lrll"));
    QCOMPARE(rows.at(1)->toolTip(), tipMinDistance);
    // A maximum edit must not forget the minimum: gap 2's minimum stays below it.
    typeInto(max, "4");
    QCOMPARE(colours(QList<QLineEdit *> {max} + rows), QString("ylrrl"));
    QCOMPARE(rows.at(2)->toolTip(), tipMaxDistance);
    typeInto(min, "1");
    typeInto(max, "5");
    QCOMPARE(colours(rows), QString("llll"));
    for (QLineEdit *row : rows) {
        QVERIFY(row->toolTip().isEmpty());
    }
    QCOMPARE(invalidList(window), valid);
    qInstallMessageHandler(previous);
    QCOMPARE(capturedWarnings, QStringList());
}

void tst_HeaderPanel::rowsNeedAnExistingSubclass()
{
    Veltora window;
    window.configuration().set_subclass(3, makeSubclass(3, {"2"}, {"5"}));
    const QList<QLineEdit *> rows
        = addRows(window, "frameMinAxleDists", 1) + addRows(window, "frameMaxAxleDists", 1);
    for (const QString &number : {QString(), QString("9")}) {
        select(window, number, "2");
        typeInto(field(window, "lineEditMaxAxleDist"), "10");
        typeInto(field(window, "lineEditMinAxleDist"), "3");
        QCOMPARE(colours(rows), QString("--"));
    }
    // One axle names no gap: no row is coloured, yet the list is rebuilt.
    select(window, "3", "1");
    typeInto(field(window, "lineEditMinAxleDist"), "3");
    QCOMPARE(colours(rows), QString("--"));
    QCOMPARE(invalidList(window), QString("Invalid subclasses: shown subclass_3"));
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

void tst_HeaderPanel::invalidListRebuiltOnlyByAxleDistances_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("rebuilt");
    QTest::newRow("group max distance") << "lineEditGroupMaxDist" << QString("4") << false;
    QTest::newRow("country") << "lineEditCountry" << QString("si") << false;
    QTest::newRow("min axle distance") << "lineEditMinAxleDist" << QString("1") << true;
    QTest::newRow("max axle distance") << "lineEditMaxAxleDist" << QString("20") << true;
}

void tst_HeaderPanel::invalidListRebuiltOnlyByAxleDistances()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, rebuilt);
    Veltora window;
    Conf &conf = window.configuration();
    conf.set_subclass(12, makeSubclass(12, {"1"}, {"30"}));
    conf.set_subclass(3, makeSubclass(3, {"0.5"}, {"2"}));
    conf.set_subclass(5, makeSubclass(5, {"2"}, {"3"}));
    conf.set_subclass(7, makeSubclass(7, {"2"}, {"1"}));
    conf.set_max_axle_distance("20");
    conf.set_min_axle_distance("1");
    const QString before = invalidList(window);
    typeInto(field(window, name), typed);
    QCOMPARE(invalidList(window),
        rebuilt ? "Invalid subclasses: shown subclass_3 subclass_7 subclass_12" : before);
}

void tst_HeaderPanel::invalidListCaptionAndVisibility()
{
    Veltora window;
    Conf &conf = window.configuration();
    window.fillInvalidList();
    QCOMPARE(invalidList(window), valid);
    conf.set_max_axle_distance("10");
    conf.set_subclass(3, makeSubclass(3, {"1"}, {"20"}));
    conf.set_subclass(7, makeSubclass(7, {"1"}, {"20"}));
    conf.set_subclass(5, makeSubclass(5, {"1"}, {"2"}));
    window.fillInvalidList();
    QCOMPARE(invalidList(window), QString("Invalid subclasses: shown subclass_3 subclass_7"));

    // A single update appends at the end, once.
    conf.get_subclass(5).set_category(QString());
    window.updateInvalidListEntry(conf.get_subclass(5));
    window.updateInvalidListEntry(conf.get_subclass(5));
    QCOMPARE(
        invalidList(window), QString("Invalid subclasses: shown subclass_3 subclass_7 subclass_5"));
    for (const quint16 number : {3, 7, 5}) {
        conf.get_subclass(number) = makeSubclass(number, {"1"}, {"2"});
        window.updateInvalidListEntry(conf.get_subclass(number));
    }
    QCOMPARE(invalidList(window), valid);
    conf.get_subclass(7).set_category(QString());
    window.updateInvalidListEntry(conf.get_subclass(7));
    QCOMPARE(invalidList(window), QString("Invalid subclasses: shown subclass_7"));
    window.clearInvalidList();
    QCOMPARE(invalidList(window), valid);
}

QTEST_MAIN(tst_HeaderPanel)
#include "tst_headerpanel.moc"
