// Two configurations compared by meaning: each kind of field change, spellings of one value,
// renumbering, window changes, and recorded vehicles run through both.
#include "../testfiles.h"
#include "comparison.h"
#include "tables.h"
#include "windowtable.h"

#include <QtTest>

namespace {

// A two-axle subclass in the file's keys, with `changes` ("key=value|key=value") applied.
Subclass subclass(const QString &changes)
{
    QMap<QString, QString> section {{"subclass", "4"}, {"category", "5"}, {"number_of_axles", "2"},
        {"axle_configuration", "H2"}, {"max_GVW__kN", "30"}, {"tyre_type", "1,1"},
        {"max_axle_weight__kN", "1,10;2,10;1+2,18"}, {"max_axle_distance__m", "4.5"},
        {"min_axle_distance__m", "1.2"}};
    for (const QString &change : changes.split('|')) {
        if (!change.isEmpty()) {
            section.insert(change.section('=', 0, 0), change.section('=', 1));
        }
    }
    return Subclass(section);
}

// The differences in short: "removed 3", "added 5", "renumbered 7->17", "changed 4",
// "window 4 widened", "window 4 moved 2->3".
QStringList summary(const ConfDifferences &d)
{
    QStringList lines;
    for (const quint16 n : d.removed) {
        lines << QString("removed %1").arg(n);
    }
    for (const quint16 n : d.added) {
        lines << QString("added %1").arg(n);
    }
    for (const Renumbering &r : d.renumbered) {
        lines << QString("renumbered %1->%2").arg(r.old).arg(r.now);
    }
    for (const SubclassChange &c : d.changed) {
        lines << QString("changed %1").arg(c.subclass);
    }
    for (const WindowChange &w : d.windows) {
        lines << QString("window %1 %2").arg(w.subclass).arg(window_change_name(w.kind))
                + (w.oldAxles != w.axles ? QString(" %1->%2").arg(w.oldAxles).arg(w.axles) : "");
    }
    return lines;
}

VehicleDifferences run(const Conf &old, const Conf &now, QByteArray csv)
{
    QBuffer a(&csv);
    QBuffer b(&csv);
    a.open(QIODevice::ReadOnly);
    b.open(QIODevice::ReadOnly);
    return compare_vehicles(&a, &b, old, now, WindowTable(old), WindowTable(now));
}

} // namespace

class tst_Comparison : public QObject
{
    Q_OBJECT

private slots:
    void fieldChanges_data();
    void fieldChanges();
    void subclassSet_data();
    void subclassSet();
    void headerByLabel();
    void movedVehicles_data();
    void movedVehicles();
    void distributionAddsUp();

private:
    TestFiles files;
};

void tst_Comparison::fieldChanges_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("now");
    QTest::addColumn<QStringList>("changes");
    const auto row
        = [](const char *name, const QString &old, const QString &now, const QStringList &changes) {
              QTest::newRow(name) << old << now << changes;
          };
    row("category", "", "category=6", {"category 5 -> 6"});
    row("axle configuration", "", "axle_configuration=V2", {"axle configuration H2 -> V2"});
    row("max GVW", "", "max_GVW__kN=32.5", {"max GVW 30.00 -> 32.50 kN"});
    row("limit set", "", "upper_GVW_limit__kN=25", {"upper GVW limit (empty) -> 25.00 kN"});
    row("limit cleared", "lower_GVW_limit__kN=8", "", {"lower GVW limit 8.00 kN -> (empty)"});
    row("reclassify up", "reclassify_up_to_subclass=13", "reclassify_up_to_subclass=16",
        {"reclassify up 13 -> 16"});
    row("reclassify down", "", "reclassify_down_to_subclass=3", {"reclassify down (empty) -> 3"});
    row("prepend and append", "prepend__m=1", "prepend__m=1.2|append__m=0.5",
        {"prepend 1.00 -> 1.20 m", "append (empty) -> 0.50 m"});
    row("gap max", "", "max_axle_distance__m=4.8", {"gap 1: max 4.50 -> 4.80 m"});
    row("gap min", "", "min_axle_distance__m=1.25", {"gap 1: min 1.20 -> 1.25 m"});
    row("axle weight", "", "max_axle_weight__kN=1,10;2,12.5;1+2,18",
        {"axle 2: max weight 10.00 -> 12.50 kN"});
    row("tyre type", "", "tyre_type=1,2", {"axle 2: tyre type 1 -> 2"});
    row("constraint changed", "", "max_axle_weight__kN=1,10;2,10;1+2,19.6",
        {"constraint 1+2: 18.00 -> 19.60 kN"});
    row("constraint removed", "", "max_axle_weight__kN=1,10;2,10",
        {"constraint 1+2: 18.00 kN removed"});
    row("constraint added", "max_axle_weight__kN=1,10;2,10", "",
        {"constraint 1+2: 18.00 kN added"});
    row("number of axles", "",
        "number_of_axles=3|axle_configuration=H3|tyre_type=1,1,2|max_axle_distance__m=4.5,1.5|"
        "min_axle_distance__m=1.2,1.1|max_axle_weight__kN=1,10;2,10;3,9;1+2,18",
        {"number of axles 2 -> 3", "axle configuration H2 -> H3", "gap 2: min 1.10 m added",
            "gap 2: max 1.50 m added", "axle 3: max weight 9.00 kN added",
            "axle 3: tyre type 2 added"});
    row("empty is not 0", "max_GVW__kN=", "max_GVW__kN=0", {"max GVW (empty) -> 0.00 kN"});
    row("text that is no number", "max_GVW__kN=abc", "", {"max GVW \"abc\" -> 30.00 kN"});
    row("decimals that two would hide", "max_GVW__kN=30.004", "max_GVW__kN=30.001",
        {"max GVW 30.004 -> 30.001 kN"});
    // The same values, spelled otherwise.
    row("4.5 and 4.50", "", "max_axle_distance__m=4.50|max_GVW__kN=30.0|tyre_type=01,1", {});
    row("constraint axles in another order", "", "max_axle_weight__kN=1,10;2,10;2+1,18.0", {});
    row("no reclassify target, 0 or empty", "reclassify_down_to_subclass=0", "", {});
    row("entries beyond the number of axles",
        "max_axle_distance__m=4.5,9|min_axle_distance__m=1.2,7",
        "tyre_type=1,1,4|max_axle_weight__kN=1,10;2,10;3,5;1+2,18", {});
}

void tst_Comparison::fieldChanges()
{
    QFETCH(QString, old);
    QFETCH(QString, now);
    QFETCH(QStringList, changes);
    QStringList texts;
    for (const FieldChange &change : subclass_differences(subclass(old), subclass(now))) {
        texts << change.text;
    }
    QCOMPARE(texts, changes);
}

void tst_Comparison::subclassSet_data()
{
    QTest::addColumn<QStringList>("old");
    QTest::addColumn<QStringList>("now");
    QTest::addColumn<QStringList>("found");
    const auto row = [](const char *name, const QStringList &old, const QStringList &now,
                         const QStringList &found) { QTest::newRow(name) << old << now << found; };
    row("nothing", {"4:2:1-2"}, {"4:2:1.0-2.00"}, {});
    row("renumbered", {"7:2:1-2", "8:3:2-3"}, {"8:3:2-3", "17:2:1.00-2"}, {"renumbered 7->17"});
    row("two alike, one renumbered", {"7:2:1-2", "8:2:1-2"}, {"17:2:1-2"},
        {"removed 8", "renumbered 7->17"});
    row("renumbered and changed", {"7:2:1-2"}, {"17:3:1-2"}, {"removed 7", "added 17"});
    row("widened", {"4:2:1-2"}, {"4:2:0.9-2"}, {"changed 4", "window 4 widened"});
    row("narrowed", {"4:2:1-2;3-4"}, {"4:2:1-2;3.1-4"}, {"changed 4", "window 4 narrowed"});
    row("moved", {"4:2:1-2"}, {"4:2:1.5-2.5"}, {"changed 4", "window 4 moved"});
    row("wider in one gap, narrower in the other", {"4:2:1-2;3-4"}, {"4:2:0.5-2;3-3.5"},
        {"changed 4", "window 4 moved"});
    row("another number of axles", {"4:2:1-2"}, {"4:2:1-2;1-2"},
        {"changed 4", "window 4 moved 2->3"});
    row("category only", {"4:2:1-2"}, {"4:3:1-2"}, {"changed 4"});
    row("windows by number of axles", {"3:2:1-2;1-2", "4:2:1-2"}, {"3:2:1-3;1-2", "4:2:1-3"},
        {"changed 3", "changed 4", "window 4 widened", "window 3 widened"});
}

void tst_Comparison::subclassSet()
{
    QFETCH(QStringList, old);
    QFETCH(QStringList, now);
    QFETCH(QStringList, found);
    QCOMPARE(summary(compare_configurations(window_conf(old), window_conf(now))), found);
}

void tst_Comparison::headerByLabel()
{
    const QByteArray header = "[classes]\ncountry_code=DE\ng_acceleration_constant=9.81\n"
                              "max_axle_distance__m=12\nmin_axle_distance__m=0.8\n";
    const Conf old(files.write(header + "station=Ljubljana\n"), nullptr);
    const Conf now(files.write("[classes]\ncountry_code=AT\ng_acceleration_constant=9.810\n"
                               "max_axle_distance__m=12.5\nmin_axle_distance__m=0.80\n"
                               "lanes=2\n"),
        nullptr);
    QStringList texts;
    for (const FieldChange &change : compare_configurations(old, now).header) {
        texts << change.text;
    }
    QCOMPARE(texts,
        QStringList({"Country code: \"DE\" -> \"AT\"", "Max. axle distance (m): 12.00 -> 12.50 m",
            "lanes: \"2\" added", "station: \"Ljubljana\" removed"}));
}

void tst_Comparison::movedVehicles_data()
{
    QTest::addColumn<QStringList>("old");
    QTest::addColumn<QStringList>("now");
    QTest::addColumn<QByteArray>("rows"); // id,axles,gaps_m,expected
    QTest::addColumn<QStringList>("moved");
    QTest::addColumn<QString>("totals"); // newly matched, unmatched, ambiguous
    const auto row = [](const char *name, const QStringList &old, const QStringList &now,
                         const QByteArray &rows, const QStringList &moved, const QString &totals) {
        QTest::newRow(name) << old << now << rows << moved << totals;
    };
    row("widened to match", {"4:3:2.9-4.3"}, {"4:3:2.7-4.3"}, "a,2,2.8,\nb,2,3,\n",
        {"line 2: unmatched -> subclass 4"}, "1 0 0");
    row("widened into ambiguity", {"2:2:2.1-3.2", "4:3:2.9-4.3"}, {"2:2:2.1-3.2", "4:3:2.7-4.3"},
        "a,2,2.8,\n", {"line 2: subclass 2 -> ambiguous: subclasses 2, 4"}, "0 0 1");
    row("narrowed out", {"4:3:2.9-4.3"}, {"4:3:2.9-4.0"}, "a,2,4.1,\n",
        {"line 2: subclass 4 -> unmatched"}, "0 1 0");
    row("one category", {"4:3:2.9-4.3"}, {"4:3:2.9-4.3", "5:3:4-5"}, "a,2,4.1,\n",
        {"line 2: subclass 4 -> one category: subclasses 4, 5"}, "0 0 0");
    row("expected subclass removed", {"4:3:2.9-4.3", "5:3:4-5"}, {"4:3:2.9-4.3"},
        "a,2,4.1,5\nb,2,3,4\nc,2,9,4\n",
        {"line 2: skipped in new: expected: no subclass 5 in the configuration"}, "0 0 0");
    row("expected subclass added", {"4:3:2.9-4.3"}, {"4:3:2.9-4.3", "5:3:4-5"}, "a,2,3,5\n",
        {"line 2: skipped in old: expected: no subclass 5 in the configuration"}, "0 0 0");
}

void tst_Comparison::movedVehicles()
{
    QFETCH(QStringList, old);
    QFETCH(QStringList, now);
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, moved);
    QFETCH(QString, totals);
    const VehicleDifferences found
        = run(window_conf(old), window_conf(now), "id,axles,gaps_m,expected\n" + rows);
    QStringList lines;
    for (const MovedVehicle &v : found.moved) {
        lines << QString("line %1: %2 -> %3")
                     .arg(v.line)
                     .arg(outcome_text(v.old), outcome_text(v.now));
    }
    for (const SkippedComparedRow &s : found.skipped) {
        lines << QString("line %1: skipped in %2: %3")
                     .arg(s.line)
                     .arg(s.inOld ? "old" : "new", s.reason);
    }
    QCOMPARE(lines, moved);
    QCOMPARE(QString("%1 %2 %3")
                 .arg(found.newlyMatched)
                 .arg(found.newlyUnmatched)
                 .arg(found.newlyAmbiguous),
        totals);
}

// Over random configurations and vehicles, every row is compared, skipped in both or listed as
// skipped in one, each column of the distribution adds up to the vehicles compared, and a
// vehicle is listed as moved exactly when the two configurations match it differently.
void tst_Comparison::distributionAddsUp()
{
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        const Conf old = random_conf(random, 12);
        const Conf now = random_conf(random, 12);
        QByteArray csv = "id,axles,gaps_m,expected\n";
        for (int v = 0; v < 40; ++v) {
            QStringList gaps;
            for (int gap = 0, count = 1 + int(random() % 3); gap < count; ++gap) {
                gaps << QString::number(1 + 0.25 * (random() % 12));
            }
            csv += QString("v%1,%2,%3,%4\n")
                       .arg(v)
                       .arg(gaps.size() + 1)
                       .arg(gaps.join(';'))
                       .arg(random() % 3 ? QString() : QString::number(random() % 12))
                       .toUtf8();
        }
        const VehicleDifferences found = run(old, now, csv);
        QCOMPARE(found.compared + found.skippedInBoth + found.skipped.size(), found.rows);
        QCOMPARE(found.rows, qint64(40));
        qint64 before = 0;
        qint64 after = 0;
        for (const DistributionRow &row : found.distribution) {
            before += row.old;
            after += row.now;
        }
        QCOMPARE(before, found.compared);
        QCOMPARE(after, found.compared);

        // Read against each configuration on its own, matched on its own.
        QVector<VehicleRecord> a;
        QVector<VehicleRecord> b;
        read_all(csv, old, &a);
        read_all(csv, now, &b);
        const WindowTable oldTable(old);
        const WindowTable newTable(now);
        int moved = 0;
        for (const VehicleRecord &vehicle : qAsConst(a)) {
            const auto other = std::find_if(b.cbegin(), b.cend(),
                [&vehicle](const VehicleRecord &r) { return r.line == vehicle.line; });
            if (other != b.cend()) {
                const VehicleMatch x = match_vehicle(oldTable, vehicle);
                const VehicleMatch y = match_vehicle(newTable, *other);
                QVector<int> xs;
                QVector<int> ys;
                for (const SubclassMatch &m : x.matches) {
                    xs << oldTable.windows().at(m.window).number;
                }
                for (const SubclassMatch &m : y.matches) {
                    ys << newTable.windows().at(m.window).number;
                }
                moved += x.verdict != y.verdict || xs != ys ? 1 : 0;
            }
        }
        QCOMPARE(found.moved.size(), moved);
    }
}

QTEST_GUILESS_MAIN(tst_Comparison)
#include "tst_comparison.moc"
