// The units dialog: what it shows for the units it is given, what OK sends, and that Cancel and
// repeated Configuration commands leave nothing behind. Its effect on the window is tst_units'.
#include "measurementunits.h"
#include "veltora.h"
#include "windowtest.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

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
    void typedGComesBackAndIsSent();
    void repeatedConfigurationKeepsOneDialog();
};

void tst_MeasurementUnits::typedGComesBackAndIsSent()
{
    // g is read like the file's numbers, with a decimal point, whatever the system locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MeasurementUnits dialog(nullptr, Pounds, Meters, 9.80665f);
    QLocale::setDefault(previous);
    QSignalSpy spy(&dialog, &MeasurementUnits::sendUnits);
    auto *g = dialog.findChild<QLineEdit *>("lineEditG");
    // The units given are checked; g belongs to tonnes only.
    QVERIFY(dialog.findChild<QRadioButton *>("radioButtonPounds")->isChecked());
    QVERIFY(!g->isEnabled() && g->text().isEmpty());
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
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
