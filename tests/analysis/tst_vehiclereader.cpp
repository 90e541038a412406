// Recorded vehicles from CSV: every kind of unusable row and header, units, and what is kept.
#include "tables.h"
#include "vehiclereader.h"

#include <QBuffer>
#include <QtTest>

namespace {

// Reads the whole text: one entry per row, "line N: ok" or "line N: REASON", or the header's
// problem alone.
QStringList read_all(QByteArray csv, const Conf &conf, QVector<VehicleRecord> *vehicles = nullptr)
{
    QBuffer buffer(&csv);
    buffer.open(QIODevice::ReadOnly);
    VehicleReader reader(&buffer, conf);
    if (!reader.header_problem().isEmpty()) {
        return {reader.header_problem()};
    }
    QStringList rows;
    VehicleRecord vehicle;
    QString reason;
    for (VehicleReader::Outcome outcome;
         (outcome = reader.next(&vehicle, &reason)) != VehicleReader::End;) {
        rows << QStringLiteral("line %1: %2")
                    .arg(vehicle.line)
                    .arg(outcome == VehicleReader::Vehicle ? QStringLiteral("ok") : reason);
        if (vehicles && outcome == VehicleReader::Vehicle) {
            vehicles->append(vehicle);
        }
    }
    return rows;
}

} // namespace

class tst_VehicleReader : public QObject
{
    Q_OBJECT

private slots:
    void unusableRows_data();
    void unusableRows();
    void header_data();
    void header();
    void units_data();
    void units();
};

void tst_VehicleReader::unusableRows_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing column") << QByteArray("v,3") << "missing column \"gaps_m\"";
    QTest::newRow("empty axles") << QByteArray("v,,2") << "axles: no value";
    QTest::newRow("axles not a number")
        << QByteArray("v,two,2") << "axles: \"two\" is not a whole number";
    QTest::newRow("axles 2,000,000,000")
        << QByteArray("v,2000000000,2") << "axles: 2000000000 not in 2-20";
    QTest::newRow("too many gaps")
        << QByteArray("v,2,2;3") << "gaps_m: 2 values for 2 axles, 1 expected";
    QTest::newRow("ten million gaps")
        << "v,3," + QByteArray(10000000, ';') << "gaps_m: 10000001 values for 3 axles, 2 expected";
    QTest::newRow("gap not a number")
        << QByteArray("v,3,2;x") << "gaps_m: value 2, \"x\", is not a number";
    QTest::newRow("NaN gap") << QByteArray("v,2,nan")
                             << "gaps_m: value 1, \"nan\", is not a number";
    QTest::newRow("long value shortened, control character shown")
        << "v,2,\x1b" + QByteArray(30, 'x')
        << "gaps_m: value 1, \"\xef\xbf\xbdxxxxxxxxxxxxxxxxxxx...\", is not a number";
    QTest::newRow("weight out of range")
        << QByteArray("v,2,2,10;1e39") << "axle_weights_kN: value 2, \"1e39\", is not a number";
    QTest::newRow("gross not a number")
        << QByteArray("v,2,2,,heavy") << "gross_t: \"heavy\" is not a number";
    QTest::newRow("expected not a number")
        << QByteArray("v,2,2,,,70000") << "expected: \"70000\" is not a subclass number";
    QTest::newRow("expected unknown")
        << QByteArray("v,2,2,,,8") << "expected: no subclass 8 in the configuration";
}

// Each bad row is named by its line with its reason, and the next row is still read.
void tst_VehicleReader::unusableRows()
{
    QFETCH(QByteArray, row);
    QFETCH(QString, reason);
    const Conf conf = window_conf({"7:2:1-3"});
    const QByteArray csv
        = "id,axles,gaps_m,axle_weights_kN,gross_t,expected\n" + row + "\n\nok,2,2.5,1;2,,7";
    QCOMPARE(read_all(csv, conf), QStringList({"line 2: " + reason, "line 4: ok"}));
}

void tst_VehicleReader::header_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("problem");
    QTest::newRow("empty file") << QByteArray("\n \n") << "no header row";
    QTest::newRow("no id") << QByteArray("\n\nvehicle,axles,gaps_m") << "line 3: no column \"id\"";
    QTest::newRow("no gaps") << QByteArray("id,axles,gaps")
                             << "line 1: no column \"gaps_m\" or \"gaps_ft\"";
    QTest::newRow("both gap units") << QByteArray("id,axles,gaps_m,gaps_ft")
                                    << "line 1: columns \"gaps_m\" and \"gaps_ft\" both given";
    QTest::newRow("weights twice") << QByteArray("id,axles,gaps_m,axle_weights_t,axle_weights_t")
                                   << "line 1: column \"axle_weights_t\" given twice";
    QTest::newRow("names trimmed, byte order mark, unknown columns")
        << QByteArray("\xef\xbb\xbf id , axles,note,gaps_m \nv,2,nothing,2.5\n") << "line 2: ok";
}

void tst_VehicleReader::header()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, problem);
    QCOMPARE(read_all(csv, window_conf({})), QStringList(problem));
}

void tst_VehicleReader::units_data()
{
    QTest::addColumn<QString>("g");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QVector<float>>("gaps");
    QTest::addColumn<QVector<float>>("weights");
    QTest::addColumn<float>("gross");
    QTest::newRow("metres and kilonewtons, gross summed")
        << "" << QByteArray("id,axles,gaps_m,axle_weights_kN\nv,3,2.5;1.25,10;20;30")
        << QVector<float> {2.5f, 1.25f} << QVector<float> {10, 20, 30} << 60.0f;
    QTest::newRow("tonnes with the file's g")
        << "9.81" << QByteArray("id,axles,gaps_m,axle_weights_t,gross_t\nv,2,3,1;2,4")
        << QVector<float> {3} << QVector<float> {9.81f, 2 * 9.81f} << 4 * 9.81f;
    QTest::newRow("tonnes with g 0") << "0" << QByteArray("id,axles,gaps_m,gross_t\nv,2,3,4")
                                     << QVector<float> {3} << QVector<float>() << 4 * 9.80665f;
    QTest::newRow("pounds") << "" << QByteArray("id,axles,gaps_m,gross_lb\r\nv,2,3,1000\r\n")
                            << QVector<float> {3} << QVector<float>() << 1000 * 0.0044482215f;
}

void tst_VehicleReader::units()
{
    QFETCH(QString, g);
    QFETCH(QByteArray, csv);
    QFETCH(QVector<float>, gaps);
    QFETCH(QVector<float>, weights);
    QFETCH(float, gross);
    Conf conf = window_conf({});
    conf.set_g_acceleration_constant(g);
    QVector<VehicleRecord> vehicles;
    QCOMPARE(read_all(csv, conf, &vehicles), QStringList {"line 2: ok"});
    QCOMPARE(vehicles.first().gaps, gaps);
    QCOMPARE(vehicles.first().axleWeights, weights);
    QVERIFY(vehicles.first().hasGross);
    QCOMPARE(vehicles.first().gross, gross);
}

QTEST_GUILESS_MAIN(tst_VehicleReader)
#include "tst_vehiclereader.moc"
