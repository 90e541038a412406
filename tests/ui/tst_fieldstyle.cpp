// Field colouring and value conversion of the main window: colours, tool tips and the texts
// that go to the model and come back into the fields.
#include "veltora.h"

#include <QLineEdit>
#include <QtTest>

class tst_FieldStyle : public QObject
{
    Q_OBJECT

private slots:
    void validateEditColoursAndTips_data();
    void validateEditColoursAndTips();
    void threeWayStates_data();
    void threeWayStates();
    void markedInvalidOnlyWhenRed_data();
    void markedInvalidOnlyWhenRed();
    void markedInvalidBeforeFirstPolish();
    void storedText_data();
    void storedText();
    void storedTextOfNonNumbersIsNull();
    void shownValue_data();
    void shownValue();
    void shownValueThreeWay();
    void shownConstraint_data();
    void shownConstraint();
    void typedValueRoundTrips_data();
    void typedValueRoundTrips();
    void nullEditsAreLogged();

private:
    static void setFactors(Veltora &window, float weight, float length)
    {
        window.weightFactor = weight;
        window.lengthFactor = length;
    }
};

static const QString lime = QStringLiteral("QLineEdit {background-color: lime}");
static const QString red = QStringLiteral("QLineEdit {background-color: red}");
static const QString yellow = QStringLiteral("QLineEdit {background-color: yellow}");
static const QString white = QStringLiteral("QLineEdit {background-color: white}");

void tst_FieldStyle::validateEditColoursAndTips_data()
{
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("valid ignores the tip") << true << "some tip" << lime << QString();
    QTest::newRow("invalid shows the tip") << false << "some tip" << red << "some tip";
    QTest::newRow("invalid with empty tip") << false << QString() << red << QString();
}

void tst_FieldStyle::validateEditColoursAndTips()
{
    QFETCH(bool, valid);
    QFETCH(QString, tip);
    QFETCH(QString, style);
    QFETCH(QString, toolTip);
    Veltora window;
    QLineEdit edit(&window);
    // From the opposite state, so a tip or colour left behind would show.
    window.validateEdit(&edit, !valid, "stale");
    window.validateEdit(&edit, valid, tip);
    QCOMPARE(edit.styleSheet(), style);
    QCOMPARE(edit.toolTip(), toolTip);
}

void tst_FieldStyle::threeWayStates_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("0 valid") << 0 << lime << QString();
    QTest::newRow("1 below subclasses") << 1 << yellow << "Value is lower than some subclasses.";
    QTest::newRow("2 invalid") << 2 << red << "Value must be higher than min axle distance.";
    QTest::newRow("other values invalid")
        << -1 << red << "Value must be higher than min axle distance.";
}

void tst_FieldStyle::threeWayStates()
{
    QFETCH(int, state);
    QFETCH(QString, style);
    QFETCH(QString, toolTip);
    Veltora window;
    QLineEdit edit(&window);
    edit.setToolTip("stale");
    window.validateEditThreeWay(&edit, state);
    QCOMPARE(edit.styleSheet(), style);
    QCOMPARE(edit.toolTip(), toolTip);
}

void tst_FieldStyle::markedInvalidOnlyWhenRed_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("invalid");
    QTest::newRow("no style sheet") << QString() << false;
    QTest::newRow("lime") << lime << false;
    QTest::newRow("yellow") << yellow << false;
    QTest::newRow("white") << white << false;
    QTest::newRow("red") << red << true;
}

void tst_FieldStyle::markedInvalidOnlyWhenRed()
{
    QFETCH(QString, style);
    QFETCH(bool, invalid);
    Veltora window;
    auto *edit = new QLineEdit(&window);
    // From red to the state under test, so a colour left behind would show.
    edit->setStyleSheet(red);
    QVERIFY(window.isMarkedInvalid(edit));
    edit->setStyleSheet(style);
    QCOMPARE(window.isMarkedInvalid(edit), invalid);
}

void tst_FieldStyle::markedInvalidBeforeFirstPolish()
{
    Veltora window;
    auto *edit = new QLineEdit(&window);
    window.validateEdit(edit, false, QString());
    QVERIFY(window.isMarkedInvalid(edit));
    window.validateEdit(edit, true, QString());
    QVERIFY(!window.isMarkedInvalid(edit));
    QVERIFY(!window.isMarkedInvalid(nullptr));
}

void tst_FieldStyle::storedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("isWeight");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("stored");
    QTest::newRow("5 t") << "5" << true << 9.80665f << "49.0332";
    QTest::newRow("10 t") << "10" << true << 9.80665f << "98.0665";
    QTest::newRow("10 ft") << "10" << false << 0.3048f << "3.048";
    QTest::newRow("12.5 in") << "12.5" << false << 0.0254f << "0.3175";
    QTest::newRow("1000 lb") << "1000" << true << 0.0044482215f << "4.44822";
    QTest::newRow("metres unchanged") << "2.5" << false << 1.0f << "2.5";
    QTest::newRow("six significant digits") << "1234.5678" << false << 1.0f << "1234.57";
}

void tst_FieldStyle::storedText()
{
    QFETCH(QString, typed);
    QFETCH(bool, isWeight);
    QFETCH(float, factor);
    QFETCH(QString, stored);
    Veltora window;
    setFactors(window, isWeight ? factor : 1.0f, isWeight ? 1.0f : factor);
    QCOMPARE(window.toStoredText(typed, isWeight), stored);
    QLineEdit edit(&window);
    edit.setText(typed);
    QCOMPARE(window.editToStoredText(&edit, isWeight), stored);
}

void tst_FieldStyle::storedTextOfNonNumbersIsNull()
{
    Veltora window;
    for (const QString &typed :
        {QString(), QString("0"), QString("-1"), QString("abc"), QString("-"), QString("0.0")}) {
        QVERIFY2(window.toStoredText(typed, true).isNull(), qPrintable(typed));
        QVERIFY2(window.toStoredText(typed, false).isNull(), qPrintable(typed));
    }
    QVERIFY(window.editToStoredText(nullptr, true).isNull());
}

void tst_FieldStyle::shownValue_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("isWeight");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("shown");
    QTest::newRow("49.0332 kN in t") << "49.0332" << true << 9.80665f << "5.00";
    QTest::newRow("3.048 m in ft") << "3.048" << false << 0.3048f << "10.00";
    QTest::newRow("kN unchanged") << "180" << true << 1.0f << "180.00";
    QTest::newRow("rounded to 2 decimals") << "1.005" << false << 1.0f << "1.00";
    QTest::newRow("zero is empty") << "0" << false << 1.0f << QString();
    QTest::newRow("negative is empty") << "-1" << true << 9.80665f << QString();
    QTest::newRow("empty is empty") << QString() << false << 1.0f << QString();
    QTest::newRow("not a number is empty") << "abc" << true << 1.0f << QString();
}

void tst_FieldStyle::shownValue()
{
    QFETCH(QString, stored);
    QFETCH(bool, isWeight);
    QFETCH(float, factor);
    QFETCH(QString, shown);
    Veltora window;
    setFactors(window, isWeight ? factor : 1.0f, isWeight ? 1.0f : factor);
    QLineEdit edit(&window);
    edit.setText("old");
    window.showConvertedValue(&edit, stored, isWeight, false);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.styleSheet(), red);
    QVERIFY(edit.toolTip().isEmpty());
    window.showConvertedValue(&edit, stored, isWeight, true);
    QCOMPARE(edit.styleSheet(), lime);
}

void tst_FieldStyle::shownValueThreeWay()
{
    Veltora window;
    QLineEdit edit(&window);
    window.showConvertedValueThreeWay(&edit, "12.345", false, 1);
    QCOMPARE(edit.text(), QString("12.35"));
    QCOMPARE(edit.styleSheet(), yellow);
    QCOMPARE(edit.toolTip(), QString("Value is lower than some subclasses."));
    window.showConvertedValueThreeWay(&edit, "", false, 2);
    QVERIFY(edit.text().isEmpty());
    QCOMPARE(edit.styleSheet(), red);
    QCOMPARE(edit.toolTip(), QString("Value must be higher than min axle distance."));
}

void tst_FieldStyle::shownConstraint_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("weight in tonnes") << "1+2,180"
                                      << "1+2,18.35";
    QTest::newRow("no positive test") << "1+2,0"
                                      << "1+2,0.00";
    QTest::newRow("weight not a number") << "1+2,abc"
                                         << "1+2,0.00";
    QTest::newRow("empty weight") << "1+2,"
                                  << "1+2,0.00";
    QTest::newRow("no weight part shown as stored") << "1+2"
                                                    << "1+2";
    QTest::newRow("empty shown as stored") << QString() << QString();
}

void tst_FieldStyle::shownConstraint()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    Veltora window;
    QLineEdit edit(&window);
    window.showConvertedConstraint(&edit, stored, true);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.styleSheet(), lime);
    window.showConvertedConstraint(&edit, stored, false);
    QCOMPARE(edit.styleSheet(), red);
    QVERIFY(edit.toolTip().isEmpty());
}

void tst_FieldStyle::typedValueRoundTrips_data()
{
    QTest::addColumn<bool>("isWeight");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("5 t") << true << 9.80665f << "5"
                         << "49.0332"
                         << "5.00";
    QTest::newRow("10 ft") << false << 0.3048f << "10"
                           << "3.048"
                           << "10.00";
    QTest::newRow("7.25 in") << false << 0.0254f << "7.25"
                             << "0.18415"
                             << "7.25";
    QTest::newRow("0 stores nothing") << true << 9.80665f << "0" << QString() << QString();
}

void tst_FieldStyle::typedValueRoundTrips()
{
    QFETCH(bool, isWeight);
    QFETCH(float, factor);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    Veltora window;
    setFactors(window, isWeight ? factor : 1.0f, isWeight ? 1.0f : factor);
    QLineEdit edit(&window);
    QTest::keyClicks(&edit, typed);
    const QString text = window.editToStoredText(&edit, isWeight);
    QCOMPARE(text, stored);
    window.showConvertedValue(&edit, text, isWeight, true);
    QCOMPARE(edit.text(), shown);
}

void tst_FieldStyle::nullEditsAreLogged()
{
    Veltora window;
    QTest::ignoreMessage(QtWarningMsg, "Edit passed to validate is a nullptr!");
    window.validateEdit(nullptr, true, QString());
    QTest::ignoreMessage(QtWarningMsg, "Edit passed to validate is a nullptr!");
    window.validateEditThreeWay(nullptr, 0);
    QTest::ignoreMessage(QtWarningMsg, "Could not set converted text to edit");
    window.showConvertedValue(nullptr, "1", false, true);
    QTest::ignoreMessage(QtWarningMsg, "Could not set converted text to edit");
    window.showConvertedValueThreeWay(nullptr, "1", false, 0);
    QTest::ignoreMessage(QtWarningMsg, "Could not set converted text to edit");
    window.showConvertedConstraint(nullptr, "1+2,180", true);
}

QTEST_MAIN(tst_FieldStyle)
#include "tst_fieldstyle.moc"
