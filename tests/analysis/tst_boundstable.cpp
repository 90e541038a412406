// The bounds table kept current edit by edit against one read afresh, and who takes part.
#include "boundstable.h"
#include "tables.h"

#include <QtTest>

namespace {

// Everything a row holds, as text, so that two tables compare in one go.
QStringList described(const BoundsTable &table)
{
    QStringList rows {
        QStringLiteral("header %1 %2 %3 %4")
            .arg(table.exclusion(), table.g_acceleration_constant(), table.unclassified_subclass())
            .arg(table.header_unusable())};
    for (const SubclassBounds &r : table.rows()) {
        QStringList groups;
        for (const GroupLimit &g : r.groups) {
            groups << QString::number(g.limit) + ':';
            for (const int axle : g.axles) {
                groups.last() += QString::number(axle);
            }
        }
        QStringList mins;
        QStringList maxs;
        for (int i = 0; i < r.mins.size(); ++i) {
            mins << QString::number(r.mins.at(i));
            maxs << QString::number(r.maxs.at(i));
        }
        QStringList limits;
        for (const float limit : r.axleLimits) {
            limits << QString::number(limit);
        }
        rows << QStringLiteral("%1 %2 %3 %4 %5/%6 %7-%8 %9")
                    .arg(r.number)
                    .arg(r.takesPart)
                    .arg(r.category)
                    .arg(r.axles)
                    .arg(r.up)
                    .arg(r.down)
                    .arg(mins.join(';'), maxs.join(';'), limits.join(';') + groups.join(' '))
                + QStringLiteral(" %1 %2%3 %4%5")
                      .arg(r.maxGVW)
                      .arg(r.hasUpperGVW)
                      .arg(r.upperGVW)
                      .arg(r.hasLowerGVW)
                      .arg(r.lowerGVW);
    }
    return rows;
}

} // namespace

class tst_BoundsTable : public QObject
{
    Q_OBJECT

private slots:
    void editsKeepItCurrent();
    void takingPart_data();
    void takingPart();
};

// Random edits of every kind, each told to the table as the editor tells it: after each the
// table must be the one read afresh.
void tst_BoundsTable::editsKeepItCurrent()
{
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        Conf conf = random_conf(random, 30);
        BoundsTable table(conf);
        for (int edit = 0; edit < 60; ++edit) {
            const QVector<quint16> numbers = conf.get_subclass_numbers();
            const quint16 number
                = numbers.isEmpty() ? 0 : numbers.at(int(random() % numbers.size()));
            switch (random() % 6) {
            case 0: { // a distance typed, sometimes above the header's maximum
                Subclass &s = conf.get_subclass(number);
                s.set_max_distance_at_index(QString::number(1 + random() % 20), 0);
                table.subclass_changed(conf, number);
                break;
            }
            case 1: { // a copy to a free number
                Subclass copy = conf.get_subclass(number);
                const quint16 target = quint16(100 + random() % 50);
                copy.set_subclass_number(target);
                copy.set_combined_constraint(QStringLiteral("1+2,%1").arg(random() % 300), -1);
                copy.set_upper_GVW_limit(QStringLiteral("250"));
                conf.set_subclass(target, copy);
                table.subclass_changed(conf, target);
                break;
            }
            case 2:
                conf.remove_subclass(number);
                table.subclass_changed(conf, number);
                break;
            case 3: {
                static const char *const bounds[] = {"0.5", "15", "3", "", "abc", "2.5"};
                const bool min = random() % 2;
                const QString text = QLatin1String(bounds[random() % 6]);
                min ? conf.set_min_axle_distance(text) : conf.set_max_axle_distance(text);
                QVERIFY(table.header_changed(conf,
                    min ? FileFormat::Header::MinAxleDistance
                        : FileFormat::Header::MaxAxleDistance));
                break;
            }
            case 4:
                conf.set_g_acceleration_constant(QString::number(9 + random() % 2));
                QVERIFY(table.header_changed(conf, FileFormat::Header::GAccelerationConstant));
                break;
            case 5:
                conf.set_country_code(QStringLiteral("DE"));
                QVERIFY(!table.header_changed(conf, FileFormat::Header::CountryCode));
                break;
            }
            QCOMPARE(described(table), described(BoundsTable(conf)));
        }
    }
}

void tst_BoundsTable::takingPart_data()
{
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<int>("takingPart");
    QTest::addColumn<QString>("exclusion");
    QTest::newRow("inside") << "0.5"
                            << "15" << 2 << "";
    QTest::newRow("one above the maximum") << "0.5"
                                           << "5" << 1 << "";
    QTest::newRow("both above") << "0.5"
                                << "2" << 0 << "all 2 are in the invalid list";
    QTest::newRow("maximum empty") << "0.5"
                                   << "" << 0 << "the header's Max. axle distance (m) is empty";
    QTest::newRow("minimum no number")
        << "nan"
        << "15" << 0 << "the header's Min. axle distance (m) \"nan\" is not a number";
    QTest::newRow("maximum infinite")
        << "0.5"
        << "inf" << 0 << "the header's Max. axle distance (m) \"inf\" is not a number";
}

void tst_BoundsTable::takingPart()
{
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(int, takingPart);
    QFETCH(QString, exclusion);
    Conf conf = window_conf({"1:2:1-3", "2:2:1-7"});
    conf.set_min_axle_distance(min);
    conf.set_max_axle_distance(max);
    const BoundsTable table(conf);
    QCOMPARE(table.taking_part(), takingPart);
    QCOMPARE(table.exclusion(), exclusion);
    QCOMPARE(table.header_unusable(), exclusion.contains("not a number"));
}

QTEST_GUILESS_MAIN(tst_BoundsTable)
#include "tst_boundstable.moc"
