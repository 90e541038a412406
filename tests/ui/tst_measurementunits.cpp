// The units dialog: what it shows for the units it is given, what OK sends, and that Cancel and
// repeated Configuration commands leave nothing behind.
#include "measurementunits.h"
#include "veltora.h"
#include "windowtest.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QStringList weightButtons = {"radioButtonTons", "radioButtonPounds", "radioButtonKN"};
const QStringList lengthButtons = {"radioButtonMeters", "radioButtonFeet", "radioButtonInches"};

// Clicks a radio button by name, or "OK" or "Cancel" of the button box.
void click(QDialog &dialog, const QString &name)
{
    const auto role = name == "OK" ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
    QAbstractButton *button = dialog.findChild<QAbstractButton *>(name);
    (button ? button : dialog.findChild<QDialogButtonBox *>()->button(role))->click();
}

} // namespace

class tst_MeasurementUnits : public QObject
{
    Q_OBJECT

private slots:
    void showsAndSendsGivenUnits_data();
    void showsAndSendsGivenUnits();
    void typedGComesBackAndIsSent();
    void repeatedConfigurationKeepsOneDialog();
};

void tst_MeasurementUnits::showsAndSendsGivenUnits_data()
{
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("gText");
    QTest::addColumn<float>("sentG");
    QTest::newRow("start-up units") << 0 << 0 << QString("9.806650") << 9.80665f;
    QTest::newRow("pounds: g empty") << 1 << 0 << QString() << 0.0f;
    QTest::newRow("kilonewtons, inches") << 2 << 2 << QString() << 0.0f;
}

void tst_MeasurementUnits::showsAndSendsGivenUnits()
{
    QFETCH(int, weight);
    QFETCH(int, length);
    QFETCH(QString, gText);
    QFETCH(float, sentG);
    MeasurementUnits dialog(nullptr, quint8(weight), quint8(length), 9.80665f);
    QVERIFY(dialog.findChild<QRadioButton *>(weightButtons.at(weight))->isChecked());
    QVERIFY(dialog.findChild<QRadioButton *>(lengthButtons.at(length))->isChecked());
    QCOMPARE(dialog.findChild<QLineEdit *>("lineEditG")->text(), gText);
    QCOMPARE(dialog.findChild<QLineEdit *>("lineEditG")->isEnabled(), weight == Tons);
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    QSignalSpy spy(&dialog, &MeasurementUnits::sendUnits);
    click(dialog, "OK");
    QCOMPARE(
        QList<QVariantList>(spy), (QList<QVariantList> {{quint8(weight), quint8(length), sentG}}));
}

void tst_MeasurementUnits::typedGComesBackAndIsSent()
{
    // g is read like the file's numbers, with a decimal point, whatever the system locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MeasurementUnits dialog(nullptr, Pounds, Meters, 9.80665f);
    QLocale::setDefault(previous);
    QSignalSpy spy(&dialog, &MeasurementUnits::sendUnits);
    auto *g = dialog.findChild<QLineEdit *>("lineEditG");
    click(dialog, "radioButtonTons");
    QCOMPARE(g->text(), QStringLiteral("9.806650"));
    g->clear();
    QTest::keyClicks(g, "9,.81");
    QCOMPARE(g->text(), QStringLiteral("9.81"));
    click(dialog, "radioButtonKN");
    QVERIFY(!g->isEnabled() && g->text().isEmpty());
    // The typed value is what comes back, not the one the dialog was opened with.
    click(dialog, "radioButtonTons");
    QCOMPARE(g->text(), QStringLiteral("9.810000"));
    click(dialog, "radioButtonInches");
    click(dialog, "Cancel");
    QCOMPARE(spy.count(), 0);
    // The same choices confirmed are sent.
    click(dialog, "OK");
    QCOMPARE(
        QList<QVariantList>(spy), (QList<QVariantList> {{quint8(Tons), quint8(Inches), 9.81f}}));
}

void tst_MeasurementUnits::repeatedConfigurationKeepsOneDialog()
{
    Veltora window;
    for (const char *button : {"OK", "Cancel", "Cancel"}) {
        WindowTest::answerModals(WindowTest::action(window, "actionConfiguration"),
            {[button](QWidget *dialog) { click(*static_cast<QDialog *>(dialog), button); }});
    }
    QCOMPARE(window.findChildren<MeasurementUnits *>().size(), 1);
}

QTEST_MAIN(tst_MeasurementUnits)
#include "tst_measurementunits.moc"
