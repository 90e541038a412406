// The window map: which bars it draws for the selected subclass, in which lanes and colours, and
// where a recorded vehicle's gaps are marked.
#include "../analysis/tables.h"
#include "boundstable.h"
#include "windowmap.h"

#include <QApplication>
#include <QtTest>

namespace {

// Each bar as "number/gap tone", tone p(lain), o(verlapping), a(mbiguous), n(ot taking part),
// with a * for the selected one, lane by lane from the top.
QStringList drawn(const WindowMap &map)
{
    QStringList bars;
    QVector<WindowMap::Bar> all = map.bars();
    std::stable_sort(all.begin(), all.end(), [](const WindowMap::Bar &a, const WindowMap::Bar &b) {
        return a.rect.top() < b.rect.top();
    });
    for (const WindowMap::Bar &bar : all) {
        bars << QStringLiteral("%1/%2 %3%4")
                    .arg(bar.number)
                    .arg(bar.gap + 1)
                    .arg("poan"[int(bar.tone)])
                    .arg(bar.selected ? "*" : "");
    }
    return bars;
}

} // namespace

class tst_WindowMap : public QObject
{
    Q_OBJECT

private slots:
    void bars_data();
    void bars();
    void vehicleGapsOnTheLanes();
};

void tst_WindowMap::bars_data()
{
    QTest::addColumn<QStringList>("subclasses"); // as window_conf takes them
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("edit"); // "N:axles=A" or "N:max=M", applied before drawing
    QTest::addColumn<QStringList>("bars");
    QTest::addColumn<QString>("hint");
    const QStringList three {
        "1:2:1-2;1-2", "2:2:1.5-3;1.5-3", "3:4:1.8-4;2.5-6", "4:5:1-2", "5:3:6-7;6-7"};
    QTest::newRow("one lane per gap, the selected axle count only")
        << three << 1 << ""
        << QStringList {"1/1 p*", "2/1 o", "3/1 p", "5/1 p", "1/2 p*", "2/2 o", "3/2 p", "5/2 p"}
        << "";
    QTest::newRow("overlapping in every gap, another category")
        << three << 2 << ""
        << QStringList {"1/1 o", "2/1 p*", "3/1 a", "5/1 p", "1/2 o", "2/2 p*", "3/2 a", "5/2 p"}
        << "";
    QTest::newRow("a selected subclass in the invalid list, as an outline")
        << three << 2 << "2:max=20"
        << QStringList {"1/1 p", "2/1 n*", "3/1 p", "5/1 p", "1/2 p", "2/2 n*", "3/2 p", "5/2 p"}
        << "";
    QTest::newRow("another one in the invalid list is left out")
        << three << 1 << "3:max=20"
        << QStringList {"1/1 p*", "2/1 o", "5/1 p", "1/2 p*", "2/2 o", "5/2 p"} << "";
    QTest::newRow("nothing selected")
        << three << -1 << "" << QStringList()
        << "Select a subclass to see the spacing windows of its number of axles.";
    QTest::newRow("no such subclass")
        << three << 9 << "" << QStringList()
        << "Select a subclass to see the spacing windows of its number of axles.";
    QTest::newRow("no valid axle count")
        << three << 4 << "4:axles=x" << QStringList() << "Subclass 4 has no valid number of axles.";
}

void tst_WindowMap::bars()
{
    QFETCH(QStringList, subclasses);
    QFETCH(int, selected);
    QFETCH(QString, edit);
    QFETCH(QStringList, bars);
    QFETCH(QString, hint);
    Conf conf = window_conf(subclasses);
    if (!edit.isEmpty()) {
        Subclass &s = conf.get_subclass(edit.section(':', 0, 0).toUShort());
        const QString value = edit.section('=', 1);
        edit.contains("axles=") ? s.set_number_of_axles(value)
                                : s.set_max_distance_at_index(value, 0);
    }
    const BoundsTable table(conf);
    WindowMap map(table, nullptr);
    map.resize(600, 400);
    map.setSelected(selected);
    QCOMPARE(drawn(map), bars);
    QCOMPARE(map.hint(), hint);
    // Left to right as the windows lie: a longer window, a wider bar.
    if (selected == 1) {
        const QVector<WindowMap::Bar> all = map.bars();
        QVERIFY(all.at(0).rect.left() < all.at(1).rect.left());
        QVERIFY(all.at(0).rect.width() < all.at(1).rect.width());
    }
}

void tst_WindowMap::vehicleGapsOnTheLanes()
{
    const Conf conf = window_conf({"1:2:1-2;1-2", "2:2:3-4"});
    const BoundsTable table(conf);
    WindowMap map(table, nullptr);
    map.resize(600, 400);
    map.setSelected(1);
    map.setVehicle({1.5f, 2.0f});
    const QVector<QPointF> points = map.vehiclePoints();
    QCOMPARE(points.size(), 2);
    const QRectF bar = map.bars().first().rect; // gap 1 of subclass 1
    QVERIFY(qAbs(points.at(0).x() - bar.center().x()) < 0.01);
    QVERIFY(qAbs(points.at(1).x() - map.bars().at(1).rect.right()) < 0.01);
    QVERIFY(points.at(1).y() > points.at(0).y());
    map.setVehicle({1.5f}); // a two-axle vehicle has no place in three-axle lanes
    QVERIFY(map.vehiclePoints().isEmpty());
}

QTEST_MAIN(tst_WindowMap)
#include "tst_windowmap.moc"
