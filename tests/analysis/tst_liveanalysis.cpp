// The analysis kept up to date while editing: runs after edits, only while active, the last
// edit's run kept, records read anew against the configuration, and changes marked against
// the baseline.
#include "liveanalysis.h"
#include "tables.h"

#include <QtTest>

namespace {

// Recorded vehicles for window_conf({"1:2:1-2", "2:3:3-4", "3:2:5-6"}): one per window, one
// between windows, and two that expect subclass 3.
const QByteArray csv = "id,axles,gaps_m,axle_weights_t,expected\n"
                       "a,2,1.5,1;1,1\nb,2,3.5,1;1,2\nc,2,5.5,1;1,3\nd,2,4.5,1;1,\ne,2,5.8,1;1,3\n";

bool settled(LiveAnalysis &live)
{
    QTest::qWait(5);
    return QTest::qWaitFor([&live] { return !live.busy(); }, 20000);
}

// The verdicts of the latest run's vehicles, and its skipped lines, in line order.
QString verdicts(const LiveAnalysis &live)
{
    QStringList all;
    const std::shared_ptr<const AnalysisRun> run = live.latest();
    for (const VehicleOutcome &v : run->vehicles) {
        all << QString::number(v.verdict) + (v.changed && live.shows_changes() ? "*" : "");
    }
    for (const SkippedRow &s : run->skipped) {
        all << QStringLiteral("skipped %1").arg(s.line)
                + (s.changed && live.shows_changes() ? "*" : "");
    }
    return all.join(' ');
}

} // namespace

class tst_LiveAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void changesAgainstBaseline_data();
    void changesAgainstBaseline();
    void lastEditWins();
    void runsOnlyWhileActive();
};

void tst_LiveAnalysis::changesAgainstBaseline_data()
{
    // Steps: "max N M" and "min N M" set subclass N's bound to M, "remove N", "add N" (back as it
    // was), "baseline", "g G", "header-max M". After them, the verdicts (0 once, 1 one category, 2
    // ambiguous, 3 unmatched; * changed) and the count of changed rows.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<int>("changed");
    QTest::newRow("as loaded") << QStringList() << "0 0 0 3 0" << 0;
    QTest::newRow("a widened window") << QStringList {"max 2 4.6"} << "0 0 0 0* 0" << 1;
    QTest::newRow("widened and back") << QStringList {"max 2 4.6", "max 2 4"} << "0 0 0 3 0" << 0;
    QTest::newRow("widened, then saved")
        << QStringList {"max 2 4.6", "baseline"} << "0 0 0 0 0" << 0;
    QTest::newRow("saved, then widened")
        << QStringList {"baseline", "max 2 4.6"} << "0 0 0 0* 0" << 1;
    QTest::newRow("two categories") << QStringList {"max 1 3.6"} << "0 2* 0 3 0" << 1;
    // Vehicle b stays ambiguous but gains a match: its outcome changed all the same.
    QTest::newRow("matches change, verdict does not")
        << QStringList {"max 1 3.6", "baseline", "min 3 3"} << "0 2* 0 0* 0" << 2;
    // An expected subclass that no longer exists makes its rows unreadable.
    QTest::newRow("expected subclass removed")
        << QStringList {"remove 3"} << "0 0 3 skipped 4* skipped 6*" << 2;
    QTest::newRow("removed and added back")
        << QStringList {"remove 3", "add 3"} << "0 0 0 3 0" << 0;
    QTest::newRow("a header maximum that takes windows out")
        << QStringList {"header-max 5.5"} << "0 0 3* 3 3*" << 2;
    QTest::newRow("a header maximum that is no number")
        << QStringList {"header-max abc"} << "3* 3* 3* 3 3*" << 4;
    QTest::newRow("g changes weights, not verdicts") << QStringList {"g 101"} << "0 0 0 3 0" << 0;
}

void tst_LiveAnalysis::changesAgainstBaseline()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, verdicts);
    QFETCH(int, changed);
    Conf conf = window_conf({"1:2:1-2", "2:3:3-4", "3:2:5-6"});
    const Subclass third = conf.get_subclass(3);
    LiveAnalysis live(conf);
    live.set_settle_time(0);
    live.set_active(true);
    live.set_records(csv, "vehicles.csv");
    QVERIFY(settled(live));
    for (const QString &step : steps) {
        const QStringList words = step.split(' ');
        const quint16 number = words.value(1).toUShort();
        if (words.first() == "max" || words.first() == "min") {
            Subclass &s = conf.get_subclass(number);
            words.first() == "max" ? s.set_max_distance_at_index(words.at(2), 0)
                                   : s.set_min_distance_at_index(words.at(2), 0);
            live.subclassChanged(number);
        } else if (words.first() == "remove") {
            conf.remove_subclass(number);
            live.subclassRemoved(number);
        } else if (words.first() == "add") {
            conf.set_subclass(number, third);
            live.subclassAdded(number);
        } else if (words.first() == "baseline") {
            live.set_baseline();
        } else if (words.first() == "g") {
            conf.set_g_acceleration_constant(words.at(1));
            live.headerChanged(FileFormat::Header::GAccelerationConstant);
        } else if (words.first() == "header-max") {
            conf.set_max_axle_distance(words.at(1));
            live.headerChanged(FileFormat::Header::MaxAxleDistance);
        }
    }
    QVERIFY(settled(live));
    QCOMPARE(::verdicts(live), verdicts);
    QCOMPARE(live.changed_count(), changed);
    if (steps.contains("g 101")) {
        QCOMPARE(live.latest()
                     ->flagged(live.latest()->vehicles.first())
                     .matches.first()
                     .axlesAbove.first()
                     .weight,
            101.0f);
    }
}

// Edits faster than runs: whatever ran in between, the result kept is that of the last edit.
void tst_LiveAnalysis::lastEditWins()
{
    std::mt19937 random(3);
    Conf conf = random_conf(random, 400);
    LiveAnalysis live(conf);
    live.set_settle_time(0);
    live.set_active(true);
    QByteArray many = "id,axles,gaps_m\n";
    for (int v = 0; v < 20000; ++v) {
        many += QByteArray("v,2,") + QByteArray::number(1 + 0.25 * (v % 12)) + '\n';
    }
    live.set_records(many, "many.csv");
    const QVector<quint16> numbers = conf.get_subclass_numbers();
    for (int edit = 0; edit < 30; ++edit) {
        const quint16 number = numbers.at(int(random() % numbers.size()));
        conf.get_subclass(number).set_min_distance_at_index(
            QString::number(1 + 0.5 * (random() % 4)), 0);
        live.subclassChanged(number);
        QTest::qWait(int(random() % 3));
    }
    QVERIFY(settled(live));
    AnalysisJob job;
    job.table = BoundsTable(conf);
    job.hasRecords = true;
    job.records = many;
    ReadingConf reading;
    const auto fresh = AnalysisRun::run(job, reading, [] { return false; });
    const auto kept = live.latest();
    QCOMPARE(kept->overlaps.pairTotal, fresh->overlaps.pairTotal);
    QCOMPARE(kept->overlaps.ambiguousTotal, fresh->overlaps.ambiguousTotal);
    for (const auto verdict :
        {VehicleMatch::Once, VehicleMatch::Ambiguous, VehicleMatch::Unmatched}) {
        QCOMPARE(kept->summary.count(verdict), fresh->summary.count(verdict));
    }
}

void tst_LiveAnalysis::runsOnlyWhileActive()
{
    Conf conf = window_conf({"1:2:1-2", "2:3:1.5-4"});
    LiveAnalysis live(conf);
    live.set_settle_time(0);
    QSignalSpy busy(&live, &LiveAnalysis::busyChanged);
    live.subclassChanged(1);
    QTest::qWait(30);
    QVERIFY(!live.latest());
    QCOMPARE(busy.count(), 0);
    live.set_active(true);
    QVERIFY(live.busy());
    QVERIFY(settled(live));
    QCOMPARE(live.latest()->overlaps.ambiguousTotal, 1);
    QCOMPARE(busy.count(), 2); // on, then off
    // Hidden in the middle of edits: nothing runs until shown again, then the newest.
    live.set_active(false);
    conf.get_subclass(2).set_min_distance_at_index("3", 0);
    live.subclassChanged(2);
    QTest::qWait(30);
    QCOMPARE(live.latest()->overlaps.ambiguousTotal, 1);
    live.set_active(true);
    QVERIFY(settled(live));
    QCOMPARE(live.latest()->overlaps.pairTotal, 0);
}

QTEST_GUILESS_MAIN(tst_LiveAnalysis)
#include "tst_liveanalysis.moc"
