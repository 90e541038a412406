// The vehicle pictures read back from their scenes: every wheel, bitmap and box with its place,
// colours and stacking order, the checks and log lines of a pass, and the main window's
// drawVehicles and clearImage.
#include "subclass.h"
#include "vehicledrawing.h"
#include "veltora.h"
#include "windowtest.h"

#include <QFile>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QTest>

namespace {

// A subclass of one axle more than gaps given; the spare entries that growing the lists leaves
// behind stay empty, as in the editor.
Subclass makeSubclass(const QString &configuration, const QString &mins, const QString &maxs)
{
    Subclass subclass;
    const QStringList minList = mins.split(' ');
    subclass.set_number_of_axles(QString::number(minList.size() + 1));
    subclass.set_axle_configuration(configuration);
    for (int i = 0; i < minList.size(); ++i) {
        subclass.set_min_distance_at_index(minList.at(i), i);
        subclass.set_max_distance_at_index(maxs.split(' ').value(i), i);
    }
    return subclass;
}

QString bitmapName(const QPixmap &pixmap)
{
    for (const QString &path : VehicleDrawing::vehicleBitmaps) {
        if (QPixmap(path).toImage() == pixmap.toImage()) {
            return path.mid(path.lastIndexOf('/') + 1).chopped(4);
        }
    }
    return QStringLiteral("unknown");
}

// The items, bottom of the stack first: "Name@x,y" for a bitmap, with the x of a run of the same
// bitmap on one line joined as "Name@x1|x2,y"; "black(x,y,w,h)" or "white(x,y,w,h)" for a box
// with exactly the brush and pen of that kind. Positions are floats widened to reals: six
// digits say what the drawing meant.
QString describe(const QGraphicsScene *scene)
{
    const auto number = [](qreal value) { return QString::number(value, 'g', 6); };
    QStringList items;
    for (const QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        if (const auto *pixmap = qgraphicsitem_cast<const QGraphicsPixmapItem *>(item)) {
            const QString name = bitmapName(pixmap->pixmap()) + '@';
            const QString y = ',' + number(pixmap->y());
            if (!items.isEmpty() && items.last().startsWith(name) && items.last().endsWith(y)) {
                items.last().insert(items.last().lastIndexOf(','), '|' + number(pixmap->x()));
            } else {
                items.append(name + number(pixmap->x()) + y);
            }
        } else if (const auto *rect = qgraphicsitem_cast<const QGraphicsRectItem *>(item)) {
            const QPen pen = rect->pen();
            const QBrush brush = rect->brush();
            const bool black = pen == QPen() && brush == QBrush(Qt::SolidPattern);
            const bool white
                = pen == QPen(Qt::white) && brush == QBrush(Qt::white, Qt::SolidPattern);
            const QString kind = black ? "black" : (white ? "white" : "box");
            const QRectF r = rect->rect();
            items.append(QString("%1(%2,%3,%4,%5)")
                             .arg(kind, number(r.x()), number(r.y()), number(r.width()),
                                 number(r.height())));
        } else {
            items.append(QStringLiteral("other"));
        }
    }
    return items.join(' ');
}

} // namespace

class tst_VehicleDrawing : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        view.reset(new QGraphicsView);
        view->setFixedSize(900, 90);
    }

    void bitmapsHaveTheirSizeAndDepth();
    void sceneReadsBack_data();
    void sceneReadsBack();
    void distancesThatDoNotFitTheAxles();
    void windowDrawsAndClearsBothViews();
    void appendEditRedraws();

private:
    QScopedPointer<QGraphicsView> view;
};

void tst_VehicleDrawing::bitmapsHaveTheirSizeAndDepth()
{
    // Width x height x bits per pixel of each bitmap, in the order of Bitmap: every position is
    // worked out from them.
    const QString expected = "21x18x8 37x46x8 37x46x8 15x14x8 50x25x8 41x25x8 18x17x24 57x38x24 "
                             "42x38x24 23x17x8 79x40x8 62x40x8 16x40x8 16x15x24 30x30x24 31x30x24 "
                             "21x18x8 14x14x24 28x46x24 33x46x24";
    QStringList seen;
    for (const QString &path : VehicleDrawing::vehicleBitmaps) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30).leftJustified(30, '\0');
        const int depth = header.startsWith("BM") ? uchar(header[28]) | uchar(header[29]) << 8 : 0;
        const QSize size = QPixmap(path).size();
        seen << QString("%1x%2x%3").arg(size.width()).arg(size.height()).arg(depth);
    }
    QCOMPARE(seen.join(' '), expected);
}

void tst_VehicleDrawing::sceneReadsBack_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("distances");
    QTest::addColumn<float>("append");
    QTest::addColumn<QString>("items");
    const auto row = [](const char *configuration, const char *distances, float append,
                         const char *items, const char *name = nullptr) {
        QTest::newRow(name ? name : configuration)
            << QString(configuration) << QString(distances) << append << QString(items);
    };
    row("H2", "3.5", 0,
        "TruckWheel1@8|81.5,45 TruckHead1@0,12 black(37,45,65,12) black(37,5,66,40) "
        "TruckWheel1@8|81.5,45");
    row("H2T2", "3.5 4.0 5.0", 1.5f,
        "TruckWheel1@8|81.5|165.5|270.5,45 TruckHead1@0,12 black(37,45,254,12) black(37,5,66,40) "
        "white(103,5,1,52) black(105,5,186,40) black(291,5,31.5,52) "
        "TruckWheel1@8|81.5|165.5|270.5,45");
    // A semi-trailer directly behind the truck rests on the truck itself.
    row("H2S2", "3.5 5.0 1.3", 1.0f,
        "TruckWheel1@8|81.5|186.5|213.8,45 TruckHead1@0,12 black(37,45,197,12) white(35,5,2,40) "
        "white(103,45,2,12) black(37,5,197,40) black(234,5,21,52) "
        "TruckWheel1@8|81.5|186.5|213.8,45");
    // No chassis bar behind the rear.
    row("C2", "2.6", 0,
        "CarTireS@17|71.6,41 CarHeadS1@0,28 black(50,28,8,24) CarBackS1@58,28 CarTireS@17|71.6,45");
    row("M2", "1.5", 0,
        "MotorTire2@7|38.5,41 black(30,30,1,22) MotorTire2@7|38.5,41 MotorHead2@0,26 "
        "MotorBack2@31,26");
    row("A2S3", "3.6 6.0 1.3 1.3", 1.0f,
        "TractorTire@7|82.6|208.6|235.9|263.2,41 black(28,30,45,18) black(105,34,172,12) "
        "TractorTire@7|82.6|208.6|235.9|263.2,47 TractorHead@0,15 TractorBack@73,15 "
        "white(80,-6,2,40) white(106,34,2,12) black(82,-6,195,40) black(277,-6,21,52)");
    // The articulated bus takes in the S axle.
    row("B2S1", "5.0 6.0", 0,
        "BusTire@28|133|259,42 black(79,17,160,39) BusLink@159,17 BusHead@0,17 BusBack@239,17 "
        "BusTire@28|133|259,45");
    // Unclassified: wheels only, also where the units do not give every wheel exactly once.
    row("X2", "3.0", 0, "UnclassifiedWheel@8|71,27");
    row("H0T4", "1 1 1", 1.0f, "UnclassifiedWheel@8|29|50|71,27");
    row("A2S3", "1 1 1", 1.0f, "UnclassifiedWheel@8|29|50|71,27", "counts beyond the axles");
    // Absurd lengths end at a bound far outside the view instead of overflowing.
    row("H2T2", "1e30 1e30 1e30", float(qInf()),
        "TruckWheel1@8|1.67772e+07|1.67772e+07|1.67772e+07,45 TruckHead1@0,12 "
        "black(37,45,1.67772e+07,12) black(37,5,1.67772e+07,40) white(1.67772e+07,5,1,52) "
        "black(1.67772e+07,5,-3,40) black(1.67772e+07,5,1.67772e+07,52) "
        "TruckWheel1@8|1.67772e+07|1.67772e+07|1.67772e+07,45",
        "absurd lengths");
}

void tst_VehicleDrawing::sceneReadsBack()
{
    QFETCH(QString, configuration);
    QFETCH(QString, distances);
    QFETCH(float, append);
    QFETCH(QString, items);
    Subclass subclass = makeSubclass(configuration, distances, "9 9 9 9");
    subclass.set_append(QString::number(double(append)));
    WindowTest::MessageLog log;
    const auto scene = VehicleDrawing::buildScene(subclass, DistancePass::Minimum, QSize(900, 90));
    QVERIFY(scene);
    QCOMPARE(describe(scene.get()), items);
    QCOMPARE(log.lines(), QStringList("D Drawing: \"" + configuration + '"'));
}

void tst_VehicleDrawing::distancesThatDoNotFitTheAxles()
{
    const Subclass drawable = makeSubclass("H3", "3.5 1.3", "3.5 1.3");
    VehicleDrawing::drawInto(view.data(), drawable, DistancePass::Minimum);
    VehicleDrawing::drawInto(view.data(), drawable, DistancePass::Minimum);
    QGraphicsScene *shown = view->scene();
    QCOMPARE(view->sceneRect(), QRectF(0, 0, 810, 81));
    const QString picture = describe(shown);
    Subclass subclass = drawable;
    subclass.remove_last_min_distance();
    WindowTest::MessageLog log;
    VehicleDrawing::drawInto(view.data(), subclass, DistancePass::Minimum);
    QString text;
    QDebug(&text) << subclass.to_string();
    const QString dashes = "D ---------------------------------------------------------";
    QCOMPARE(log.lines(),
        QStringList({dashes,
            "W Can not draw due to invalid axles stuff. Ideally this warning should not appear "
            "and be handled before drawing is called. This is here to eliminate a logic error "
            "that crashes stuff.",
            "D axle vectors equal:  false",
            "D vectors longer than number of axles:  false Vector length:  2 3",
            "D " + text.trimmed(), dashes}));
    QCOMPARE(view->scene(), shown);
    QCOMPARE(describe(shown), picture);
    // Neither the scene the second pass replaced nor the one the stopped pass never showed stays
    // behind: memory would grow with every edit.
    QCOMPARE(view->findChildren<QGraphicsScene *>().size(), 1);
    // Without a view there is no picture to keep: the builder answers none.
    QVERIFY(!VehicleDrawing::buildScene(subclass, DistancePass::Minimum, QSize(900, 90)));

    // Placing wheels by hand bypasses the check: it warns, and only the wheels the distances
    // place are drawn and answered.
    subclass = drawable;
    subclass.remove_last_max_distance();
    subclass.remove_last_max_distance();
    log.lines().clear();
    VehicleDrawing drawing(DistancePass::Maximum, 90);
    QCOMPARE(drawing.placeWheels(21, 8, 45, Bitmap::TruckWheel1, subclass), QVector<int>({8, 81}));
    QCOMPARE(log.lines(),
        QStringList({"W Number of axles is  \"3\"  while there are only  1  distances! Undefined.",
            "W \"3.5\""}));
    QCOMPARE(describe(drawing.graphicsScene()), QString("TruckWheel1@8|81.5,45"));
}

void tst_VehicleDrawing::windowDrawsAndClearsBothViews()
{
    Veltora window;
    const auto scene
        = [&](const char *name) { return window.findChild<QGraphicsView *>(name)->scene(); };
    WindowTest::MessageLog log;
    // Before any pass there is nothing to clear, and nothing is said.
    window.clearImage();
    QVERIFY(log.lines().isEmpty() && !scene("graphicsViewMin"));
    Subclass trailer = makeSubclass("H2T2", "3.5 4.0 5.0", "4.0 5.0 6.0");
    trailer.set_append("1.5");
    window.drawVehicles(trailer);
    QCOMPARE(
        log.lines(), QStringList({"D Can draw", "D Drawing: \"H2T2\"", "D Drawing: \"H2T2\""}));
    // Each picture has its own distances; the overhang is the append length in metres.
    QGraphicsScene *minScene = scene("graphicsViewMin");
    QGraphicsScene *maxScene = scene("graphicsViewMax");
    QVERIFY(describe(minScene).endsWith("black(291,5,31.5,52) TruckWheel1@8|81.5|165.5|270.5,45"));
    QVERIFY(describe(maxScene).endsWith("black(344,5,31.5,52) TruckWheel1@8|92|197|323,45"));
    log.lines().clear();
    // A subclass that cannot be drawn clears the pictures it leaves.
    window.drawVehicles(makeSubclass("C2", "2.6", "0"));
    QVERIFY(!log.lines().contains("D Can draw"));
    QCOMPARE(log.lines().value(log.lines().size() - 1), QString("D Clearing image"));
    QVERIFY(scene("graphicsViewMin") == minScene && minScene->items().isEmpty());
    QVERIFY(scene("graphicsViewMax") == maxScene && maxScene->items().isEmpty());
}

// The overhang is drawn from the subclass's own Append, so typing in that field redraws both
// pictures, and undo draws them back as they were.
void tst_VehicleDrawing::appendEditRedraws()
{
    Veltora window;
    WindowTest::MessageLog log;
    WindowTest::open(window, sourceFile("examples/european.conf"));
    WindowTest::typeInto(WindowTest::field(window, "lineEditSubclass"), "14"); // a truck
    const auto picture = [&](const char *name) {
        return describe(window.findChild<QGraphicsView *>(name)->scene());
    };
    const QString min = picture("graphicsViewMin");
    const QString max = picture("graphicsViewMax");
    QVERIFY(!min.isEmpty());
    WindowTest::typeInto(WindowTest::field(window, "lineEditAppend"), "3");
    QVERIFY(picture("graphicsViewMin") != min);
    QVERIFY(picture("graphicsViewMax") != max);
    WindowTest::action(window, "actionUndo")->trigger();
    QCOMPARE(picture("graphicsViewMin"), min);
    QCOMPARE(picture("graphicsViewMax"), max);
}

QTEST_MAIN(tst_VehicleDrawing)
#include "tst_vehicledrawing.moc"
