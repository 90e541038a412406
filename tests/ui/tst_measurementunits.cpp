// The units dialog: what it shows for the units it is given, what OK sends, and that Cancel and
// repeated Configuration commands leave nothing behind.
#include "measurementunits.h"
#include "veltora.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

class tst_MeasurementUnits : public QObject
{
    Q_OBJECT

private slots:
    void showsGivenUnits_data();
    void showsGivenUnits();
    void gFieldFollowsWeightUnit();
    void okSendsCheckedUnits_data();
    void okSendsCheckedUnits();
    void cancelSendsNothing();
    void gFieldRefusesDecimalComma();
    void repeatedConfigurationKeepsOneDialog();
};

static QRadioButton *radio(QDialog &dialog, const QString &name)
{
    return dialog.findChild<QRadioButton *>(name);
}

static QLineEdit *gField(QDialog &dialog)
{
    return dialog.findChild<QLineEdit *>("lineEditG");
}

void tst_MeasurementUnits::showsGivenUnits_data()
{
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("length");
    QTest::addColumn<float>("g");
    QTest::addColumn<QString>("weightButton");
    QTest::addColumn<QString>("lengthButton");
    QTest::addColumn<QString>("gText");
    QTest::newRow("start-up units") << 0 << 0 << 9.80665f << "radioButtonTons"
                                    << "radioButtonMeters" << "9.806650";
    QTest::newRow("tons with own g") << 0 << 1 << 9.81f << "radioButtonTons" << "radioButtonFeet"
                                     << "9.810000";
    QTest::newRow("pounds: g empty") << 1 << 0 << 9.80665f << "radioButtonPounds"
                                     << "radioButtonMeters" << "";
    QTest::newRow("kilonewtons, inches") << 2 << 2 << 9.80665f << "radioButtonKN"
                                         << "radioButtonInches" << "";
}

void tst_MeasurementUnits::showsGivenUnits()
{
    QFETCH(int, weight);
    QFETCH(int, length);
    QFETCH(float, g);
    QFETCH(QString, weightButton);
    QFETCH(QString, lengthButton);
    QFETCH(QString, gText);
    MeasurementUnits dialog(nullptr, quint8(weight), quint8(length), g);
    QVERIFY(radio(dialog, weightButton)->isChecked());
    QVERIFY(radio(dialog, lengthButton)->isChecked());
    QCOMPARE(gField(dialog)->text(), gText);
    QCOMPARE(gField(dialog)->isEnabled(), weight == Tons);
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
}

void tst_MeasurementUnits::gFieldFollowsWeightUnit()
{
    MeasurementUnits dialog(nullptr, Pounds, Meters, 9.80665f);
    radio(dialog, "radioButtonTons")->click();
    QVERIFY(gField(dialog)->isEnabled());
    QCOMPARE(gField(dialog)->text(), QStringLiteral("9.806650"));

    gField(dialog)->selectAll();
    QTest::keyClicks(gField(dialog), "9.81");
    radio(dialog, "radioButtonKN")->click();
    QVERIFY(!gField(dialog)->isEnabled());
    QVERIFY(gField(dialog)->text().isEmpty());
    // The typed value is what comes back, not the one the dialog was opened with.
    radio(dialog, "radioButtonTons")->click();
    QCOMPARE(gField(dialog)->text(), QStringLiteral("9.810000"));
}

void tst_MeasurementUnits::okSendsCheckedUnits_data()
{
    QTest::addColumn<QString>("weightButton");
    QTest::addColumn<QString>("lengthButton");
    QTest::addColumn<QString>("typedG");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("length");
    QTest::addColumn<float>("g");
    QTest::newRow("unchanged") << "" << "" << "" << 0 << 0 << 9.80665f;
    QTest::newRow("tons with typed g") << "" << "radioButtonFeet" << "9.81" << 0 << 1 << 9.81f;
    QTest::newRow("tons with empty g") << "" << "" << "-" << 0 << 0 << 0.0f;
    QTest::newRow("pounds, feet") << "radioButtonPounds" << "radioButtonFeet" << "" << 1 << 1
                                  << 0.0f;
    QTest::newRow("kilonewtons, inches") << "radioButtonKN" << "radioButtonInches" << "" << 2 << 2
                                         << 0.0f;
}

void tst_MeasurementUnits::okSendsCheckedUnits()
{
    QFETCH(QString, weightButton);
    QFETCH(QString, lengthButton);
    QFETCH(QString, typedG);
    QFETCH(int, weight);
    QFETCH(int, length);
    QFETCH(float, g);
    MeasurementUnits dialog(nullptr, Tons, Meters, 9.80665f);
    QSignalSpy spy(&dialog, &MeasurementUnits::sendUnits);
    if (!weightButton.isEmpty()) {
        radio(dialog, weightButton)->click();
    }
    if (!lengthButton.isEmpty()) {
        radio(dialog, lengthButton)->click();
    }
    if (!typedG.isEmpty()) {
        gField(dialog)->selectAll();
        QTest::keyClick(gField(dialog), Qt::Key_Backspace);
        if (typedG != QLatin1String("-")) {
            QTest::keyClicks(gField(dialog), typedG);
        }
    }
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(spy.count(), 1);
    const QList<QVariant> sent = spy.takeFirst();
    QCOMPARE(sent.at(0).value<quint8>(), quint8(weight));
    QCOMPARE(sent.at(1).value<quint8>(), quint8(length));
    QCOMPARE(sent.at(2).toFloat(), g);
}

void tst_MeasurementUnits::cancelSendsNothing()
{
    MeasurementUnits dialog(nullptr, Tons, Meters, 9.80665f);
    QSignalSpy spy(&dialog, &MeasurementUnits::sendUnits);
    radio(dialog, "radioButtonPounds")->click();
    radio(dialog, "radioButtonInches")->click();
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(spy.count(), 0);
}

void tst_MeasurementUnits::gFieldRefusesDecimalComma()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MeasurementUnits dialog(nullptr, Tons, Meters, 9.80665f);
    QLocale::setDefault(previous);
    gField(dialog)->clear();
    QTest::keyClicks(gField(dialog), "9,81");
    QCOMPARE(gField(dialog)->text(), QStringLiteral("981"));
}

// Runs the Configuration command; while its dialog is modal, `act` gets to look at it and close
// it. The polling is bounded: a command that shows no dialog returns a null pointer.
static QPointer<MeasurementUnits>
runConfiguration(Veltora &window, const std::function<void(MeasurementUnits *)> &act)
{
    QPointer<MeasurementUnits> seen;
    int attempts = 0;
    std::function<void()> look = [&] {
        auto *dialog = qobject_cast<MeasurementUnits *>(QApplication::activeModalWidget());
        if (dialog) {
            seen = dialog;
            act(dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        } else if (++attempts < 200) {
            QTimer::singleShot(10, look);
        }
    };
    QTimer::singleShot(0, look);
    window.findChild<QAction *>("actionConfiguration")->trigger();
    return seen;
}

void tst_MeasurementUnits::repeatedConfigurationKeepsOneDialog()
{
    Veltora window;
    QString gText;
    const QPointer<MeasurementUnits> first = runConfiguration(window, [&](MeasurementUnits *d) {
        gText = gField(*d)->text();
        d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    QVERIFY(first);
    QCOMPARE(first->parent(), &window);
    QCOMPARE(gText, QStringLiteral("9.806650"));
    const QPointer<MeasurementUnits> second = runConfiguration(window, [](MeasurementUnits *d) {
        d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    QVERIFY(second);
    QVERIFY(!first);
    const QPointer<MeasurementUnits> third = runConfiguration(window, [](MeasurementUnits *) {});
    QVERIFY(third);
    QVERIFY(!second);
    QCOMPARE(window.findChildren<MeasurementUnits *>().size(), 1);
}

QTEST_MAIN(tst_MeasurementUnits)
#include "tst_measurementunits.moc"
