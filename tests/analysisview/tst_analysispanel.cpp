// The analysis panel through its widgets, driven as the window drives it: the configuration is
// edited and each change told to the panel, as the window's editing object tells it.
#include "../analysis/tables.h"
#include "../ui/windowtest.h"
#include "analysispanel.h"
#include "checkcommand.h"
#include "liveanalysis.h"
#include "windowmap.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>
#include <QtTest>

using namespace WindowTest;

namespace {

const QString european = sourceFile("examples/european.conf");
const QString records = sourceFile("examples/european-vehicles.csv");

// A panel shown on `conf`, as the window shows it once View -> Analysis is chosen.
struct Shown
{
    explicit Shown(const Conf &conf)
        : panel(conf, nullptr)
    {
        panel.analysis()->set_settle_time(10);
        panel.resize(800, 700);
        panel.show();
    }

    // Waits for the run the last change asked for.
    bool analysed()
    {
        QTest::qWait(20);
        return QTest::qWaitFor([this] { return !panel.analysis()->busy(); }, 20000);
    }

    QTableView *table(const char *name) { return panel.findChild<QTableView *>(name); }
    WindowMap *map() { return panel.findChild<WindowMap *>("windowMap"); }
    QString label(const char *name) { return panel.findChild<QLabel *>(name)->text(); }

    // The text of a table as shown, a row per line, cells joined by "|".
    QStringList rows(const char *name, int column = -1)
    {
        const QAbstractItemModel *model = table(name)->model();
        QStringList all;
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c) {
                if (column < 0 || c == column) {
                    cells << model->index(r, c).data().toString();
                }
            }
            all << cells.join('|');
        }
        return all;
    }

    // The bar of a subclass in a gap.
    WindowMap::Bar bar(quint16 number, int gap = 0)
    {
        for (const WindowMap::Bar &b : map()->bars()) {
            if (b.number == number && b.gap == gap) {
                return b;
            }
        }
        return {};
    }

    AnalysisPanel panel;
};

void setMax(Conf &conf, quint16 number, const QString &metres, int gap = 0)
{
    conf.get_subclass(number).set_max_distance_at_index(metres, gap);
}

} // namespace

class tst_AnalysisPanel : public QObject
{
    Q_OBJECT

private slots:
    void mapFollowsEditedDistance();
    void ambiguityShowsOnMapAndInOverlaps();
    void vehiclesGiveCheckerSummary();
    void wideningMarksChangedVehicles();
    void agreesWithCheckerJson_data();
    void agreesWithCheckerJson();
    void runsOnlyWhileShown();
    void tablesKeepArrowKeys();
};

void tst_AnalysisPanel::mapFollowsEditedDistance()
{
    Conf conf(european, nullptr);
    Shown shown(conf);
    shown.panel.setSelectedSubclass(4);
    const WindowMap::Bar before = shown.bar(4);
    QVERIFY(before.selected);
    QCOMPARE(shown.bar(5).tone, WindowMap::Tone::Overlapping); // same category 3
    QCOMPARE(shown.bar(2).tone, WindowMap::Tone::Ambiguous); // the car, category 2
    QCOMPARE(shown.bar(1).tone, WindowMap::Tone::Plain);
    // 2.9-4.3 m becomes 2.9-5.7 m: twice as wide, from the same left edge.
    setMax(conf, 4, "5.7");
    shown.panel.subclassChanged(4);
    const WindowMap::Bar after = shown.bar(4);
    QCOMPARE(after.rect.left(), before.rect.left());
    QVERIFY(qAbs(after.rect.width() - 2 * before.rect.width()) < 1.5);
    QCOMPARE(shown.bar(7).tone, WindowMap::Tone::Ambiguous); // the light truck now overlaps

    // A click on a bar selects its subclass; hovering names it.
    QSignalSpy activated(&shown.panel, &AnalysisPanel::subclassActivated);
    const QPoint centre = shown.bar(7).rect.center().toPoint();
    QTest::mouseClick(shown.map(), Qt::LeftButton, {}, centre);
    QCOMPARE(activated.value(0).value(0).value<quint16>(), quint16(7));
    QHelpEvent tip(QEvent::ToolTip, centre, shown.map()->mapToGlobal(centre));
    QApplication::sendEvent(shown.map(), &tip);
    QVERIFY(QToolTip::text().startsWith("Subclass 7 (category 4)\nGap 1: 4.5 to 7.5 m\n"));

    // In feet; a subclass that leaves the taking part is listed beneath.
    shown.panel.setDisplayUnits(0.3048f, "ft", 1, "kN");
    setMax(conf, 5, "20");
    shown.panel.subclassChanged(5);
    QCOMPARE(shown.label("labelNotTakingPart"), QString("Not taking part (in the invalid list):"));
    QVERIFY(shown.label("labelNotTakingPartList").contains(">5</a>"));
    QVERIFY(shown.bar(5).rect.isNull());
}

void tst_AnalysisPanel::ambiguityShowsOnMapAndInOverlaps()
{
    Conf conf = window_conf({"1:2:1-2", "2:3:3-4", "3:2:1.5-1.8"});
    Shown shown(conf);
    shown.panel.setSelectedSubclass(1);
    QVERIFY(shown.analysed());
    auto *tabs = shown.panel.findChild<QTabWidget *>("tabWidgetAnalysis");
    QCOMPARE(tabs->tabText(1), QString("Overlaps (1)"));
    QCOMPARE(shown.bar(2).tone, WindowMap::Tone::Plain);

    conf.get_subclass(2).set_min_distance_at_index("1.5", 0);
    shown.panel.subclassChanged(2);
    QCOMPARE(shown.bar(2).tone, WindowMap::Tone::Ambiguous); // at once, before any run
    QCOMPARE(shown.bar(3).tone, WindowMap::Tone::Overlapping);
    QVERIFY(!tabs->tabIcon(1).isNull()); // busy
    QVERIFY(shown.analysed());
    QVERIFY(tabs->tabIcon(1).isNull());
    QCOMPARE(tabs->tabText(1), QString("Overlaps (3)"));
    QCOMPARE(shown.rows("tableOverlaps"),
        QStringList({"1|2|2|3|yes|1.75", "1|2|3|2|no|1.65", "2|3|3|2|yes|1.65"}));
    QCOMPARE(shown.table("tableOverlaps")->model()->index(0, 4).data(Qt::ForegroundRole),
        QVariant(QColor(190, 20, 20)));
    shown.panel.findChild<QCheckBox *>("checkBoxAmbiguousOnly")->setChecked(true);
    QCOMPARE(shown.rows("tableOverlaps", 0), QStringList({"1", "2"}));

    tabs->setCurrentIndex(1);
    QTableView *view = shown.table("tableOverlaps");
    view->setCurrentIndex(view->model()->index(0, 0));
    shown.panel.findChild<QPushButton *>("buttonCopyWitness")->click();
    QCOMPARE(QApplication::clipboard()->text(), QString("id,axles,gaps_m\nwitness-1-2,2,1.75\n"));
    QSignalSpy activated(&shown.panel, &AnalysisPanel::subclassActivated);
    const QRect cell = view->visualRect(view->model()->index(0, 2));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(activated.value(0).value(0).value<quint16>(), quint16(1));
}

void tst_AnalysisPanel::vehiclesGiveCheckerSummary()
{
    Conf conf(european, nullptr);
    Shown shown(conf);
    const QStringList seen
        = answerModals([&] { shown.panel.findChild<QPushButton *>("buttonLoadVehicles")->click(); },
            {choose(records)});
    QCOMPARE(seen, QStringList {"Load recorded vehicles"});
    QVERIFY(shown.analysed());
    QString text;
    QTextStream out(&text);
    QTextStream err(stderr);
    run_check({"veltora-check", "--vehicles", records, european}, out, err);
    out.flush();
    // The checker's summary lines, from "summary:" to the confusion table's caption.
    QStringList summary;
    for (const QString &line : text.split('\n')) {
        if (line.startsWith("  summary:") || !summary.isEmpty()) {
            summary << line.trimmed();
        }
        if (line.startsWith("  confusion:")) {
            break;
        }
    }
    QCOMPARE(shown.label("labelSummary").split('\n'), summary);
    QCOMPARE(shown.rows("tableSkipped"),
        QStringList({"21|gaps_m: 1 value for 3 axles, 2 expected",
            "31|axle_weights_t: value 2, \"x\", is not a number"}));
    QCOMPARE(shown.rows("tableConfusion").at(4), QString("5|0|0|0|0|3|0|0|0|2|1"));
    QVERIFY(text.contains("line 24 (truck4-02): unmatched"));
    QCOMPARE(shown.rows("tableVehicles").at(21),
        QString("|24|truck4-02|4|2.6; 3; 1.4|unmatched|unmatched (the WIM system puts it in the "
                "unclassified subclass 99)|subclass 11 (category 5)"));

    // A double-click selects the first matching subclass and marks the gaps on the map.
    QSignalSpy activated(&shown.panel, &AnalysisPanel::subclassActivated);
    shown.panel.findChild<QTabWidget *>("tabWidgetAnalysis")->setCurrentIndex(3);
    QTableView *view = shown.table("tableVehicles");
    const QRect cell = view->visualRect(view->model()->index(7, 2)); // van-01, line 9
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(activated.value(0).value(0).value<quint16>(), quint16(4));
    shown.panel.setSelectedSubclass(4);
    QCOMPARE(shown.map()->vehiclePoints().size(), 1);
}

void tst_AnalysisPanel::wideningMarksChangedVehicles()
{
    Conf conf(european, nullptr);
    Shown shown(conf);
    QVERIFY(shown.panel.loadRecords(records));
    QVERIFY(shown.analysed());
    QCOMPARE(shown.label("labelChanged"), QString("changed by your edits: 0"));
    // The motorcycles' window reaches into the cars': two cars become ambiguous.
    setMax(conf, 1, "2.5");
    shown.panel.subclassChanged(1);
    QVERIFY(shown.analysed());
    QCOMPARE(shown.label("labelChanged"), QString("changed by your edits: 2"));
    auto *filter = shown.panel.findChild<QComboBox *>("comboBoxVerdict");
    filter->setCurrentIndex(filter->count() - 1);
    QCOMPARE(shown.rows("tableVehicles", 2), QStringList({"car-02", "car-04"}));
    QCOMPARE(shown.table("tableVehicles")->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
        QString("Changed by your edits; before: once (subclass 2)"));
    // Taken back, nothing is marked; saved, the edit is the new baseline.
    setMax(conf, 1, "1.9");
    shown.panel.subclassChanged(1);
    QVERIFY(shown.analysed());
    QCOMPARE(shown.label("labelChanged"), QString("changed by your edits: 0"));
    QCOMPARE(shown.rows("tableVehicles"), QStringList());
    setMax(conf, 1, "2.5");
    shown.panel.subclassChanged(1);
    shown.panel.setBaseline();
    QVERIFY(shown.analysed());
    QCOMPARE(shown.label("labelChanged"), QString("changed by your edits: 0"));
    // Tonnes are read with the configuration's g, read anew at each run.
    conf.set_g_acceleration_constant("100");
    shown.panel.headerChanged(FileFormat::Header::GAccelerationConstant);
    QVERIFY(shown.analysed());
    filter->setCurrentIndex(0);
    QVERIFY(shown.rows("tableVehicles", 6).at(17).contains("axle 2 1200.00 kN above 112.80 kN"));
}

void tst_AnalysisPanel::agreesWithCheckerJson_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("european") << european;
    QTest::newRow("warnings") << sourceFile("examples/warnings.conf");
}

void tst_AnalysisPanel::agreesWithCheckerJson()
{
    QFETCH(QString, file);
    Conf conf(file, nullptr);
    Shown shown(conf);
    QVERIFY(shown.panel.loadRecords(records));
    QVERIFY(shown.analysed());
    QString text;
    QTextStream out(&text);
    QTextStream err(stderr);
    run_check({"veltora-check", "--json", "--overlaps", "--vehicles", records, file}, out, err);
    out.flush();
    QStringList lines = text.trimmed().split('\n');
    const QJsonObject overlaps = QJsonDocument::fromJson(lines.takeFirst().toUtf8()).object();
    QStringList pairs;
    for (const QJsonValue &pair : overlaps["pairs"].toArray()) {
        QStringList gaps;
        for (const QJsonValue &gap : pair["witness_m"].toArray()) {
            gaps << QString::number(gap.toDouble());
        }
        pairs << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(pair["subclasses"][0].toInt())
                     .arg(pair["categories"][0].toString())
                     .arg(pair["subclasses"][1].toInt())
                     .arg(pair["categories"][1].toString())
                     .arg(pair["ambiguous"].toBool() ? "yes" : "no")
                     .arg(gaps.join("; "));
    }
    QCOMPARE(shown.rows("tableOverlaps"), pairs);
    QStringList vehicles;
    QStringList skipped;
    for (const QString &line : lines) {
        const QJsonObject row = QJsonDocument::fromJson(line.toUtf8()).object();
        if (row["kind"] == "skipped") {
            skipped
                << QStringLiteral("%1|%2").arg(row["line"].toInt()).arg(row["reason"].toString());
        } else if (row["kind"] == "vehicle") {
            QStringList matched;
            for (const QJsonValue &m : row["matches"].toArray()) {
                matched << QString::number(m["subclass"].toInt());
            }
            vehicles << QStringLiteral("%1|%2|%3")
                            .arg(row["line"].toInt())
                            .arg(row["verdict"].toString().replace('_', ' '))
                            .arg(matched.join(' '));
        } else {
            QVERIFY(shown.label("labelSummary")
                        .contains(QStringLiteral("matched once: %1\n").arg(row["once"].toInt())));
            QVERIFY(shown.label("labelSummary")
                        .contains(QStringLiteral("ambiguous: %1\n").arg(row["ambiguous"].toInt())));
        }
    }
    QStringList panelVehicles;
    const QAbstractItemModel *model = shown.table("tableVehicles")->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList matched;
        const QString shownMatches = model->index(r, 6).data().toString();
        QRegularExpression subclass("(?:^|, )subclass (\\d+) \\(");
        for (auto it = subclass.globalMatch(shownMatches); it.hasNext();) {
            matched << it.next().captured(1);
        }
        panelVehicles << QStringLiteral("%1|%2|%3")
                             .arg(model->index(r, 1).data().toInt())
                             .arg(model->index(r, 5).data().toString(), matched.join(' '));
    }
    QCOMPARE(panelVehicles, vehicles);
    QCOMPARE(shown.rows("tableSkipped"), skipped);
}

void tst_AnalysisPanel::runsOnlyWhileShown()
{
    Conf conf = window_conf({"1:2:1-2", "2:3:1.5-4"});
    AnalysisPanel panel(conf, nullptr);
    panel.analysis()->set_settle_time(0);
    panel.subclassChanged(1);
    QTest::qWait(50);
    QVERIFY(!panel.analysis()->latest());
    QVERIFY(!panel.analysis()->busy());
    panel.show();
    QVERIFY(QTest::qWaitFor([&] { return panel.analysis()->latest() != nullptr; }, 20000));
    QCOMPARE(panel.analysis()->latest()->overlaps.ambiguousTotal, 1);
    // Edits one after the other: only the run of the last one is kept.
    for (const char *min : {"2.5", "1.8", "3"}) {
        conf.get_subclass(2).set_min_distance_at_index(min, 0);
        panel.subclassChanged(2);
    }
    QVERIFY(QTest::qWaitFor([&] { return !panel.analysis()->busy(); }, 20000));
    QCOMPARE(panel.analysis()->latest()->overlaps.pairTotal, 0);
}

void tst_AnalysisPanel::tablesKeepArrowKeys()
{
    Conf conf(european, nullptr);
    AnalysisPanel panel(conf, nullptr);
    for (const char *name : {"tableOverlaps", "tableVehicles", "tableCovered"}) {
        for (const int key : {Qt::Key_Up, Qt::Key_Down}) {
            QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier);
            override.ignore();
            QApplication::sendEvent(panel.findChild<QTableView *>(name), &override);
            QVERIFY2(override.isAccepted(), name);
        }
    }
}

QTEST_MAIN(tst_AnalysisPanel)
#include "tst_analysispanel.moc"
