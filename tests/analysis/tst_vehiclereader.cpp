// Recorded vehicles from CSV: every kind of unusable row and header, units, and what is kept.
#include "tables.h"

#include <QtTest>

class tst_VehicleReader : public QObject
{
    Q_OBJECT

private slots:
    void unusableRowsAndHeaders_data();
    void unusableRowsAndHeaders();
    void units_data();
    void units();
};

void tst_VehicleReader::unusableRowsAndHeaders_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("read");
    // Each bad row is named by its line with its reason, and the next row is still read.
    const auto row = [](const char *name, const QByteArray &row, const QString &reason) {
        const QByteArray csv
            = "id,axles,gaps_m,axle_weights_kN,gross_t,expected\n" + row + "\n\nok,2,2.5,1;2,,7";
        QTest::newRow(name) << csv << QStringList {"line 2: " + reason, "line 4: ok"};
    };
    row("missing column", "v,3", "missing column \"gaps_m\"");
    row("empty axles", "v,,2", "axles: no value");
    row("axles not a number", "v,two,2", "axles: \"two\" is not a whole number");
    row("axles 2,000,000,000", "v,2000000000,2", "axles: 2000000000 not in 2-20");
    row("too many gaps", "v,2,2;3", "gaps_m: 2 values for 2 axles, 1 expected");
    row("ten million gaps", "v,3," + QByteArray(10000000, ';'),
        "gaps_m: 10000001 values for 3 axles, 2 expected");
    row("gap not a number", "v,3,2;x", "gaps_m: value 2, \"x\", is not a number");
    row("NaN gap", "v,2,nan", "gaps_m: value 1, \"nan\", is not a number");
    row("long value shortened, control character shown", "v,2,\x1b" + QByteArray(30, 'x'),
        "gaps_m: value 1, \"\xef\xbf\xbdxxxxxxxxxxxxxxxxxxx...\", is not a number");
    row("weight out of range", "v,2,2,10;1e39",
        "axle_weights_kN: value 2, \"1e39\", is not a number");
    row("gross not a number", "v,2,2,,heavy", "gross_t: \"heavy\" is not a number");
    row("negative gap", "v,3,2;-1.2", "gaps_m: value 2, \"-1.2\", is negative");
    row("negative weight", "v,2,2,5;-1", "axle_weights_kN: value 2, \"-1\", is negative");
    row("negative gross", "v,2,2,,-1", "gross_t: \"-1\" is negative");
    // As spreadsheets write them: quoted fields with commas, quotes and lists, CRLF.
    row("quoted fields", "\"v, \"\"one\"\"\" ,\"3\",\"2;x\"\r",
        "gaps_m: value 2, \"x\", is not a number");
    row("expected not a number", "v,2,2,,,70000", "expected: \"70000\" is not a subclass number");
    row("expected unknown", "v,2,2,,,8", "expected: no subclass 8 in the configuration");
    // A header that cannot be used is all there is to read.
    const auto header = [](const char *name, const QByteArray &csv, const QString &problem,
                            const QString &next = QString()) {
        QTest::newRow(name) << csv
                            << (next.isEmpty() ? QStringList(problem)
                                               : QStringList {problem, next});
    };
    header("empty file", "\n \n", "no header row");
    header("no id", "\n\nvehicle,axles,gaps_m", "line 3: no column \"id\"");
    header("no gaps", "id,axles,gaps", "line 1: no column \"gaps_m\" or \"gaps_ft\"");
    header("both gap units", "id,axles,gaps_m,gaps_ft",
        "line 1: columns \"gaps_m\" and \"gaps_ft\" both given");
    header("weights twice", "id,axles,gaps_m,axle_weights_t,axle_weights_t",
        "line 1: column \"axle_weights_t\" given twice");
    header("European CSV", "id;axles;gaps_m\nv;2;2,5",
        "the records use ';' between columns; save them with ',' between columns");
    // A quoted line break continues the row, which is named by the line it starts on.
    header("row over two lines", "\"id\",axles,gaps_m\n\"two\nlines\",2,x\nok,2,2.5",
        "line 2: gaps_m: value 1, \"x\", is not a number", "line 4: ok");
    header("names trimmed, byte order mark, unknown columns",
        "\xef\xbb\xbf id , axles,note,gaps_m \nv,2,nothing,2.5\n", "line 2: ok");
}

void tst_VehicleReader::unusableRowsAndHeaders()
{
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, read);
    QCOMPARE(read_all(csv, window_conf({"7:2:1-3"})), read);
}

void tst_VehicleReader::units_data()
{
    QTest::addColumn<QString>("g");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QVector<float>>("gaps");
    QTest::addColumn<QVector<float>>("weights");
    QTest::addColumn<float>("gross");
    // Kilonewtons, and the gross weight summed from the axles, are the analysis report's rows.
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
