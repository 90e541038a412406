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

namespace {

const QString lime = QStringLiteral("QLineEdit {background-color: lime}");
const QString red = QStringLiteral("QLineEdit {background-color: red}");
const QString yellow = QStringLiteral("QLineEdit {background-color: yellow}");
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

QLineEdit *field(Veltora &window, const char *name)
{
    auto *edit = window.findChild<QLineEdit *>(name);
    if (!edit) {
        qFatal("No line edit %s", name);
    }
    return edit;
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
    QLayout *layout = window.findChild<QFrame *>(frame)->layout();
    for (int i = 0; i < count; ++i) {
        auto *edit = new QLineEdit(&window);
        layout->addWidget(edit);
        rows << edit;
    }
    return rows;
}

void select(Veltora &window, const QString &subclass, const QString &axles)
{
    QLineEdit *number = field(window, "lineEditSubclass");
    QLineEdit *count = field(window, "lineEditNumOfAxles");
    const QSignalBlocker blockNumber(number);
    const QSignalBlocker blockCount(count);
    number->setText(subclass);
    count->setText(axles);
}

QStringList entries(Veltora &window)
{
    auto *list = window.findChild<QComboBox *>("comboBoxInvalid");
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
}

} // namespace

class tst_HeaderPanel : public QObject
{
    Q_OBJECT

private slots:
    void countryCodeStoredUpperCaseAndChecked_data();
    void countryCodeStoredUpperCaseAndChecked();
    void wholeNumberFieldsColouredByCheck_data();
    void wholeNumberFieldsColouredByCheck();
    void storeOnlyFieldsNeverColour_data();
    void storeOnlyFieldsNeverColour();
    void setTextDoesNotStore();
    void groupMaxDistanceStoresMetres();
    void maxAxleDistanceThreeWay();
    void eitherBoundRecoloursBoth();
    void boundsRecolourRowsByFullChecks();
    void rowsNeedAnExistingSubclass();
    void rowCountBeyondBuiltRowsIsSkipped();
    void nonLineEditAtRowPositionIsLogged();
    void invalidListRebuiltOnlyByAxleDistances_data();
    void invalidListRebuiltOnlyByAxleDistances();
    void invalidListCaptionAndVisibility();
    void singleUpdateAppendsAtEnd();
    void clearInvalidListHidesIt();
};

void tst_HeaderPanel::countryCodeStoredUpperCaseAndChecked_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("valid");
    QTest::newRow("si") << "si"
                        << "SI" << true;
    QTest::newRow("GB") << "GB"
                        << "GB" << true;
    QTest::newRow("uk is no code") << "uk"
                                   << "UK" << false;
    QTest::newRow("one letter stored anyway") << "s"
                                              << "S" << false;
    QTest::newRow("emptied") << QString() << QString() << false;
}

void tst_HeaderPanel::countryCodeStoredUpperCaseAndChecked()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, valid);
    Veltora window;
    QLineEdit *country = field(window, "lineEditCountry");
    // Start from the opposite state, so both the colour and the tip must change.
    typeInto(country, valid ? "xk" : "si");
    typeInto(country, typed);
    QCOMPARE(window.configuration().get_country_code(), stored);
    QCOMPARE(country->styleSheet(), valid ? lime : red);
    QCOMPARE(country->toolTip(), valid ? QString() : QString("Enter a two letter ISO code."));
}

void tst_HeaderPanel::wholeNumberFieldsColouredByCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::newRow("category 6") << "lineEditUncategorised"
                                << "6" << true;
    QTest::newRow("category 5") << "lineEditUncategorised"
                                << "5" << false;
    QTest::newRow("category emptied") << "lineEditUncategorised" << QString() << true;
    QTest::newRow("unclassified 7 exists") << "lineEditUnclassified"
                                           << "7" << false;
    QTest::newRow("unclassified 8 free") << "lineEditUnclassified"
                                         << "8" << true;
}

void tst_HeaderPanel::wholeNumberFieldsColouredByCheck()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    Veltora window;
    window.configuration().set_subclass(7, makeSubclass(7, {"1"}, {"2"}));
    QLineEdit *edit = field(window, qPrintable(name));
    typeInto(edit, "77");
    typeInto(edit, typed);
    const Conf &conf = window.configuration();
    QCOMPARE(name == "lineEditUncategorised" ? conf.get_uncategorised_vehicle_category()
                                             : conf.get_unclassified_vehicles_subclass(),
        typed);
    QCOMPARE(edit->styleSheet(), valid ? lime : red);
    QVERIFY(edit->toolTip().isEmpty());
}

void tst_HeaderPanel::storeOnlyFieldsNeverColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("version as typed") << "lineEditVersion"
                                      << "v 1.0-x"
                                      << "v 1.0-x";
    QTest::newRow("spacing in metres") << "lineEditMinAxleSpacing"
                                       << "2.5"
                                       << "2.5";
    QTest::newRow("spacing 0 stores nothing") << "lineEditMinAxleSpacing"
                                              << "0" << QString();
    QTest::newRow("avg weight 10 t in kN") << "lineEditMinAvgAxleWeight"
                                           << "10"
                                           << "98.0665";
    QTest::newRow("avg weight 5 t in kN") << "lineEditMinAvgAxleWeight"
                                          << "5"
                                          << "49.0332";
}

void tst_HeaderPanel::storeOnlyFieldsNeverColour()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Veltora window;
    QLineEdit *edit = field(window, qPrintable(name));
    const QString style = edit->styleSheet();
    const QString tip = edit->toolTip();
    typeInto(edit, typed);
    const Conf &conf = window.configuration();
    const QString value = name == "lineEditVersion" ? conf.get_classification_version()
        : name == "lineEditMinAxleSpacing"          ? conf.get_min_2axle_truck_spacing()
                                                    : conf.get_min_avg_axle_weight();
    QCOMPARE(value, stored);
    QCOMPARE(edit->styleSheet(), style);
    QCOMPARE(edit->toolTip(), tip);
}

void tst_HeaderPanel::setTextDoesNotStore()
{
    Veltora window;
    const char *names[] = {"lineEditVersion", "lineEditCountry", "lineEditGroupMaxDist",
        "lineEditMinAxleSpacing", "lineEditMinAvgAxleWeight", "lineEditMaxAxleDist",
        "lineEditMinAxleDist", "lineEditUnclassified", "lineEditUncategorised"};
    for (const char *name : names) {
        QLineEdit *edit = field(window, name);
        const QString style = edit->styleSheet();
        edit->setText("7");
        QCOMPARE(edit->styleSheet(), style);
    }
    const Conf &conf = window.configuration();
    for (const QString &value :
        {conf.get_classification_version(), conf.get_country_code(), conf.get_group_max_distance(),
            conf.get_min_2axle_truck_spacing(), conf.get_min_avg_axle_weight(),
            conf.get_max_axle_distance(), conf.get_min_axle_distance(),
            conf.get_unclassified_vehicles_subclass(), conf.get_uncategorised_vehicle_category()}) {
        QVERIFY(value.isEmpty());
    }
}

void tst_HeaderPanel::groupMaxDistanceStoresMetres()
{
    Veltora window;
    QLineEdit *edit = field(window, "lineEditGroupMaxDist");
    typeInto(edit, "3.5");
    QCOMPARE(window.configuration().get_group_max_distance(), QString("3.5"));
    QCOMPARE(edit->styleSheet(), lime);
    typeInto(edit, "0");
    QCOMPARE(window.configuration().get_group_max_distance(), QString());
    QCOMPARE(edit->styleSheet(), red);
    QVERIFY(edit->toolTip().isEmpty());
}

void tst_HeaderPanel::maxAxleDistanceThreeWay()
{
    Veltora window;
    window.configuration().set_subclass(4, makeSubclass(4, {"1", "2"}, {"3", "6"}));
    QLineEdit *max = field(window, "lineEditMaxAxleDist");
    typeInto(max, "5");
    QCOMPARE(window.configuration().get_max_axle_distance(), QString("5"));
    QCOMPARE(max->styleSheet(), yellow);
    QCOMPARE(max->toolTip(), QString("Value is lower than some subclasses."));
    typeInto(max, QString());
    QCOMPARE(window.configuration().get_max_axle_distance(), QString());
    QCOMPARE(max->styleSheet(), red);
    QCOMPARE(max->toolTip(), QString("Value must be higher than min axle distance."));
    typeInto(max, "6");
    QCOMPARE(max->styleSheet(), lime);
    QVERIFY(max->toolTip().isEmpty());
}

void tst_HeaderPanel::eitherBoundRecoloursBoth()
{
    Veltora window;
    QLineEdit *min = field(window, "lineEditMinAxleDist");
    QLineEdit *max = field(window, "lineEditMaxAxleDist");
    typeInto(min, "12");
    QCOMPARE(min->styleSheet(), red);
    QCOMPARE(max->styleSheet(), red);
    typeInto(max, "10");
    QCOMPARE(max->styleSheet(), red);
    QCOMPARE(min->styleSheet(), red);
    typeInto(min, "5");
    QCOMPARE(min->styleSheet(), lime);
    QCOMPARE(max->styleSheet(), lime);
    QVERIFY(max->toolTip().isEmpty());
    typeInto(max, "4");
    QCOMPARE(max->styleSheet(), red);
    QCOMPARE(min->styleSheet(), red);
    typeInto(max, "8");
    QCOMPARE(min->styleSheet(), lime);
    QCOMPARE(max->styleSheet(), lime);
}

void tst_HeaderPanel::boundsRecolourRowsByFullChecks()
{
    Veltora window;
    window.configuration().set_subclass(3, makeSubclass(3, {"2", "1"}, {"5", "3"}));
    const QList<QLineEdit *> minRows = addRows(window, "frameMinAxleDists", 2);
    const QList<QLineEdit *> maxRows = addRows(window, "frameMaxAxleDists", 2);
    select(window, "3", "3");
    QLineEdit *min = field(window, "lineEditMinAxleDist");
    QLineEdit *max = field(window, "lineEditMaxAxleDist");

    typeInto(max, "10");
    for (QLineEdit *row : minRows + maxRows) {
        QCOMPARE(row->styleSheet(), lime);
    }

    typeInto(min, "1.5");
    QCOMPARE(minRows.at(0)->styleSheet(), lime);
    QCOMPARE(minRows.at(1)->styleSheet(), red);
    QCOMPARE(minRows.at(1)->toolTip(), tipMinDistance);
    QCOMPARE(maxRows.at(0)->styleSheet(), lime);
    QCOMPARE(maxRows.at(1)->styleSheet(), lime);

    // A maximum edit must not forget the minimum: row 2's minimum stays below it.
    typeInto(max, "4");
    QCOMPARE(max->styleSheet(), yellow);
    QCOMPARE(minRows.at(0)->styleSheet(), lime);
    QCOMPARE(minRows.at(1)->styleSheet(), red);
    QCOMPARE(maxRows.at(0)->styleSheet(), red);
    QCOMPARE(maxRows.at(0)->toolTip(), tipMaxDistance);
    QCOMPARE(maxRows.at(1)->styleSheet(), lime);

    typeInto(min, "1");
    typeInto(max, "5");
    for (QLineEdit *row : minRows + maxRows) {
        QCOMPARE(row->styleSheet(), lime);
        QVERIFY(row->toolTip().isEmpty());
    }
    QVERIFY(entries(window).isEmpty());
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
        for (QLineEdit *row : rows) {
            QVERIFY(row->styleSheet().isEmpty());
        }
    }
    // One axle names no gap: no row is coloured, yet the list is rebuilt.
    select(window, "3", "1");
    typeInto(field(window, "lineEditMinAxleDist"), "3");
    for (QLineEdit *row : rows) {
        QVERIFY(row->styleSheet().isEmpty());
    }
    QCOMPARE(entries(window), QStringList {"subclass_3"});
}

void tst_HeaderPanel::rowCountBeyondBuiltRowsIsSkipped()
{
    Veltora window;
    window.configuration().set_subclass(3, makeSubclass(3, {"2", "1"}, {"5", "3"}));
    const QList<QLineEdit *> minRows = addRows(window, "frameMinAxleDists", 2);
    const QList<QLineEdit *> maxRows = addRows(window, "frameMaxAxleDists", 2);
    select(window, "3", "20");
    capturedWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
    typeInto(field(window, "lineEditMaxAxleDist"), "10");
    typeInto(field(window, "lineEditMinAxleDist"), "1.5");
    qInstallMessageHandler(previous);
    QCOMPARE(capturedWarnings, QStringList());
    QCOMPARE(minRows.at(0)->styleSheet(), lime);
    QCOMPARE(minRows.at(1)->styleSheet(), red);
    QCOMPARE(maxRows.at(1)->styleSheet(), lime);
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
    QCOMPARE(maxRows.at(0)->styleSheet(), red);
    QCOMPARE(maxRows.at(1)->styleSheet(), lime);
}

void tst_HeaderPanel::invalidListRebuiltOnlyByAxleDistances_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("rebuilt");
    QTest::newRow("group max distance") << "lineEditGroupMaxDist"
                                        << "4" << false;
    QTest::newRow("country") << "lineEditCountry"
                             << "si" << false;
    QTest::newRow("min axle distance") << "lineEditMinAxleDist"
                                       << "1" << true;
    QTest::newRow("max axle distance") << "lineEditMaxAxleDist"
                                       << "20" << true;
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
    typeInto(field(window, qPrintable(name)), typed);
    const QStringList expected {"subclass_3", "subclass_7", "subclass_12"};
    QCOMPARE(entries(window), rebuilt ? expected : QStringList());
}

void tst_HeaderPanel::invalidListCaptionAndVisibility()
{
    Veltora window;
    auto *list = window.findChild<QComboBox *>("comboBoxInvalid");
    auto *caption = window.findChild<QLabel *>("labelInvalid");
    window.fillInvalidList();
    QVERIFY(list->isHidden());
    QCOMPARE(caption->text(), QString("Subclasses are valid."));

    window.configuration().set_subclass(2, makeSubclass(2, {"1"}, {"2"}));
    window.fillInvalidList();
    QVERIFY(!list->isHidden());
    QCOMPARE(caption->text(), QString("Invalid subclasses:"));
    QCOMPARE(entries(window), QStringList {"subclass_2"});

    // A fixed header makes the subclass valid: the last entry leaves.
    typeInto(field(window, "lineEditMaxAxleDist"), "3");
    QVERIFY(list->isHidden());
    QCOMPARE(caption->text(), QString("Subclasses are valid."));
}

void tst_HeaderPanel::singleUpdateAppendsAtEnd()
{
    Veltora window;
    Conf &conf = window.configuration();
    auto *list = window.findChild<QComboBox *>("comboBoxInvalid");
    auto *caption = window.findChild<QLabel *>("labelInvalid");
    conf.set_max_axle_distance("10");
    conf.set_subclass(3, makeSubclass(3, {"1"}, {"20"}));
    conf.set_subclass(7, makeSubclass(7, {"1"}, {"20"}));
    conf.set_subclass(5, makeSubclass(5, {"1"}, {"2"}));
    window.fillInvalidList();
    QCOMPARE(entries(window), (QStringList {"subclass_3", "subclass_7"}));

    conf.get_subclass(5).set_category(QString());
    window.updateInvalidListEntry(conf.get_subclass(5));
    QCOMPARE(entries(window), (QStringList {"subclass_3", "subclass_7", "subclass_5"}));
    window.updateInvalidListEntry(conf.get_subclass(5));
    QCOMPARE(entries(window).size(), 3);

    for (const quint16 number : {3, 7, 5}) {
        conf.get_subclass(number) = makeSubclass(number, {"1"}, {"2"});
        window.updateInvalidListEntry(conf.get_subclass(number));
    }
    QVERIFY(entries(window).isEmpty());
    QVERIFY(list->isHidden());
    QCOMPARE(caption->text(), QString("Subclasses are valid."));

    conf.get_subclass(7).set_category(QString());
    window.updateInvalidListEntry(conf.get_subclass(7));
    QCOMPARE(entries(window), QStringList {"subclass_7"});
    QVERIFY(!list->isHidden());
    QCOMPARE(caption->text(), QString("Invalid subclasses:"));
}

void tst_HeaderPanel::clearInvalidListHidesIt()
{
    Veltora window;
    window.configuration().set_subclass(2, makeSubclass(2, {"1"}, {"2"}));
    window.fillInvalidList();
    QCOMPARE(entries(window).size(), 1);
    window.clearInvalidList();
    QVERIFY(entries(window).isEmpty());
    QVERIFY(window.findChild<QComboBox *>("comboBoxInvalid")->isHidden());
    QCOMPARE(window.findChild<QLabel *>("labelInvalid")->text(), QString("Subclasses are valid."));
}

QTEST_MAIN(tst_HeaderPanel)
#include "tst_headerpanel.moc"
