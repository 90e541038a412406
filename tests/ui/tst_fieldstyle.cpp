// Field colouring and value conversion of the main window: colours, tool tips and the texts
// that go to the model and come back into the fields.
#include "veltora.h"
#include "windowtest.h"

#include <QLineEdit>
#include <QtTest>

namespace {

const QString lime = QStringLiteral("QLineEdit {background-color: lime}");
const QString red = QStringLiteral("QLineEdit {background-color: red}");

} // namespace

class tst_FieldStyle : public QObject
{
    Q_OBJECT

private slots:
    void colourAndTip();
    void conversionRoundTrips_data();
    void conversionRoundTrips();
    void shownConstraint();
    void nullEditsAreLogged();
};

void tst_FieldStyle::colourAndTip()
{
    Veltora window;
    QLineEdit edit(&window);
    // The field is never shown, so isMarkedInvalid must see a style sheet never polished.
    window.validateEdit(&edit, false, "some tip");
    QCOMPARE(edit.styleSheet(), red);
    QCOMPARE(edit.toolTip(), QString("some tip"));
    QVERIFY(window.isMarkedInvalid(&edit));
    window.validateEdit(&edit, true, "some tip");
    QCOMPARE(edit.styleSheet(), lime);
    QVERIFY(edit.toolTip().isEmpty());
    QVERIFY(!window.isMarkedInvalid(&edit));
    QVERIFY(!window.isMarkedInvalid(nullptr));
    // Three-way values show with two decimals; one not greater than 0 as an empty field.
    window.showConvertedValueThreeWay(&edit, "12.345", false, 0);
    QCOMPARE(edit.text(), QString("12.35"));
    window.showConvertedValueThreeWay(&edit, "-1", false, 0);
    QVERIFY(edit.text().isEmpty());
}

void tst_FieldStyle::conversionRoundTrips_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("isWeight");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("5 t") << "5" << true << 9.80665f << "49.0332" << QString("5.00");
    QTest::newRow("10 ft") << "10" << false << 0.3048f << "3.048" << QString("10.00");
    QTest::newRow("6 digits stored")
        << "1234.5678" << false << 1.0f << "1234.57" << QString("1234.57");
    QTest::newRow("0 stores nothing") << "0" << true << 9.80665f << QString() << QString();
}

void tst_FieldStyle::conversionRoundTrips()
{
    QFETCH(QString, typed);
    QFETCH(bool, isWeight);
    QFETCH(float, factor);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    Veltora window;
    window.weightFactor = isWeight ? factor : 1.0f;
    window.lengthFactor = isWeight ? 1.0f : factor;
    QLineEdit edit(&window);
    QTest::keyClicks(&edit, typed);
    QCOMPARE(window.toStoredText(typed, isWeight), stored);
    QCOMPARE(window.editToStoredText(&edit, isWeight), stored);
    window.showConvertedValue(&edit, stored, isWeight, !shown.isEmpty());
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.styleSheet(), shown.isEmpty() ? red : lime);
    QVERIFY(edit.toolTip().isEmpty());
}

void tst_FieldStyle::shownConstraint()
{
    Veltora window;
    QLineEdit edit(&window);
    // Stored constraint -> shown: the weight in tonnes, a text without one shown as stored.
    const QList<QPair<QString, QString>> constraints = {
        {"1+2,180", "1+2,18.35"}, {"1+2,abc", "1+2,0.00"}, {"1+2", "1+2"}, {QString(), QString()}};
    for (const auto &constraint : constraints) {
        const bool valid = !constraint.first.isEmpty();
        window.showConvertedConstraint(&edit, constraint.first, valid);
        QCOMPARE(edit.text(), constraint.second);
        QCOMPARE(edit.styleSheet(), valid ? lime : red);
        QVERIFY(edit.toolTip().isEmpty());
    }
}

void tst_FieldStyle::nullEditsAreLogged()
{
    Veltora window;
    WindowTest::MessageLog log;
    window.validateEdit(nullptr, true, QString());
    window.validateEditThreeWay(nullptr, 0);
    window.showConvertedValue(nullptr, "1", false, true);
    window.showConvertedValueThreeWay(nullptr, "1", false, 0);
    window.showConvertedConstraint(nullptr, "1+2,180", true);
    QVERIFY(window.editToStoredText(nullptr, true).isNull());
    const QString validate = "W Edit passed to validate is a nullptr!";
    const QString converted = "W Could not set converted text to edit";
    QCOMPARE(log.lines(), QStringList({validate, validate, converted, converted, converted}));
}

QTEST_MAIN(tst_FieldStyle)
#include "tst_fieldstyle.moc"
