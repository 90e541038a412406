// The vehicle pictures read back from their scenes: every wheel, bitmap and box with its place,
// colours and stacking order, the checks and log lines of a pass, and the main window's
// drawVehicles and clearImage.
#include "subclass.h"
#include "vehicledrawing.h"
#include "veltora.h"

#include <QFile>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QLineEdit>
#include <QPair>
#include <QPixmap>
#include <QTest>

#include <unistd.h>

namespace {

QList<QPair<QtMsgType, QString>> messages;
QtMessageHandler previousHandler = nullptr;
bool collecting = true;

void collectMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (collecting) {
        messages.append(qMakePair(type, text));
    } else if (type != QtDebugMsg && previousHandler) {
        previousHandler(type, context, text);
    }
}

QStringList collected(QtMsgType type)
{
    QStringList lines;
    for (const auto &message : qAsConst(messages)) {
        if (message.first == type) {
            lines.append(message.second);
        }
    }
    return lines;
}

QStringList collectedAll()
{
    QStringList lines;
    for (const auto &message : qAsConst(messages)) {
        lines.append(QString(message.first == QtWarningMsg ? "W " : "D ") + message.second);
    }
    return lines;
}

// A subclass with the given configuration and gaps; the spare entries that growing the lists
// leaves behind stay empty, as in the editor.
Subclass makeSubclass(
    const QString &configuration, int axles, const QStringList &mins, const QStringList &maxs)
{
    Subclass subclass;
    subclass.set_number_of_axles(QString::number(axles));
    subclass.set_axle_configuration(configuration);
    for (int i = 0; i < mins.size(); ++i) {
        subclass.set_min_distance_at_index(mins.at(i), i);
    }
    for (int i = 0; i < maxs.size(); ++i) {
        subclass.set_max_distance_at_index(maxs.at(i), i);
    }
    return subclass;
}

QString number(qreal value)
{
    // Positions are floats widened to reals: six digits say what the drawing meant.
    return QString::number(value, 'g', 6);
}

QString bitmapName(const QPixmap &pixmap)
{
    static QVector<QImage> images;
    if (images.isEmpty()) {
        for (const QString &path : VehicleDrawing::vehicleBitmaps) {
            images.append(QPixmap(path).toImage());
        }
    }
    const QImage image = pixmap.toImage();
    for (int i = 0; i < images.size(); ++i) {
        if (images.at(i) == image) {
            const QString path = VehicleDrawing::vehicleBitmaps.at(i);
            return path.mid(path.lastIndexOf('/') + 1).chopped(4);
        }
    }
    return QStringLiteral("unknown");
}

// One line per item, bottom of the stack first: "Name@x,y" for a bitmap, "black(x,y,w,h)" or
// "white(x,y,w,h)" for a box with exactly the brush and pen of that kind.
QStringList describe(const QGraphicsScene *scene)
{
    QStringList lines;
    if (!scene) {
        return lines;
    }
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    for (const QGraphicsItem *item : items) {
        if (const auto *pixmap = qgraphicsitem_cast<const QGraphicsPixmapItem *>(item)) {
            lines.append(QString("%1@%2,%3")
                             .arg(bitmapName(pixmap->pixmap()), number(pixmap->pos().x()),
                                 number(pixmap->pos().y())));
        } else if (const auto *rect = qgraphicsitem_cast<const QGraphicsRectItem *>(item)) {
            QString kind = QStringLiteral("box");
            if (rect->brush() == QBrush(Qt::SolidPattern) && rect->pen() == QPen()) {
                kind = QStringLiteral("black");
            } else if (rect->brush() == QBrush(Qt::white, Qt::SolidPattern)
                && rect->pen() == QPen(Qt::white)) {
                kind = QStringLiteral("white");
            }
            const QRectF r = rect->rect();
            lines.append(QString("%1(%2,%3,%4,%5)")
                             .arg(kind, number(r.x()), number(r.y()), number(r.width()),
                                 number(r.height())));
        } else {
            lines.append(QStringLiteral("other"));
        }
    }
    return lines;
}

QStringList repeat(const QString &bitmap, const QStringList &xs, const QString &y)
{
    QStringList lines;
    for (const QString &x : xs) {
        lines.append(QString("%1@%2,%3").arg(bitmap, x, y));
    }
    return lines;
}

const char *const dashes = "---------------------------------------------------------";
const char *const cannotDraw
    = "Can not draw due to invalid axles stuff. Ideally this warning should not appear and be "
      "handled before drawing is called. This is here to eliminate a logic error that crashes "
      "stuff.";

} // namespace

class tst_VehicleDrawing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bitmapsHaveTheirSizeAndDepth_data();
    void bitmapsHaveTheirSizeAndDepth();
    void sceneReadsBack_data();
    void sceneReadsBack();
    void maximumPictureUsesMaximumDistances();
    void equalDistancesGiveEqualPictures();
    void unitsThatDoNotFitTheWheelsDrawUnclassified_data();
    void unitsThatDoNotFitTheWheelsDrawUnclassified();
    void configurationSplitsIntoUnits_data();
    void configurationSplitsIntoUnits();
    void sceneRectIsNineTenthsOfTheView();
    void failedCheckLogsAndKeepsPicture();
    void placeWheelsWarnsAboutMissingDistances();
    void replacedScenesAreDeleted();

    void windowDrawsBothViews();
    void windowAppendWithoutLengthDrawsNoOverhang_data();
    void windowAppendWithoutLengthDrawsNoOverhang();
    void windowClearsWhenSubclassCannotBeDrawn();
    void clearImageBeforeAnyPassDoesNothing();
    void clearImageEmptiesShownScenes();

private:
    QGraphicsView *view = nullptr;
};

void tst_VehicleDrawing::initTestCase()
{
    previousHandler = qInstallMessageHandler(collectMessage);
}

void tst_VehicleDrawing::init()
{
    view = new QGraphicsView;
    view->setFixedSize(900, 90);
    messages.clear();
}

void tst_VehicleDrawing::cleanup()
{
    delete view;
    view = nullptr;
}

void tst_VehicleDrawing::bitmapsHaveTheirSizeAndDepth_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("bitsPerPixel");
    const QList<QSize> sizes = {{21, 18}, {37, 46}, {37, 46}, {15, 14}, {50, 25}, {41, 25},
        {18, 17}, {57, 38}, {42, 38}, {23, 17}, {79, 40}, {62, 40}, {16, 40}, {16, 15}, {30, 30},
        {31, 30}, {21, 18}, {14, 14}, {28, 46}, {33, 46}};
    const QList<int> depths = {8, 8, 8, 8, 8, 8, 24, 24, 24, 8, 8, 8, 8, 24, 24, 24, 8, 24, 24, 24};
    for (int i = 0; i < sizes.size(); ++i) {
        QTest::newRow(qPrintable(VehicleDrawing::vehicleBitmaps.value(i)))
            << i << sizes.at(i) << depths.at(i);
    }
}

void tst_VehicleDrawing::bitmapsHaveTheirSizeAndDepth()
{
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(int, bitsPerPixel);
    QCOMPARE(VehicleDrawing::vehicleBitmaps.size(), 20);
    QFile file(VehicleDrawing::vehicleBitmaps.at(index));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(30);
    QVERIFY(header.startsWith("BM"));
    const auto word = [&header](int at) {
        return int(uchar(header.at(at))) | int(uchar(header.at(at + 1))) << 8;
    };
    QCOMPARE(word(28), bitsPerPixel);
    QCOMPARE(QPixmap(VehicleDrawing::vehicleBitmaps.at(index)).size(), size);
}

void tst_VehicleDrawing::sceneReadsBack_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<int>("axles");
    QTest::addColumn<QStringList>("distances");
    QTest::addColumn<float>("append");
    QTest::addColumn<QStringList>("items");

    const QStringList truckWheels = repeat("TruckWheel1", {"8", "81.5"}, "45");
    QTest::newRow("H2, 3.5 m") << "H2" << 2 << QStringList {"3.5"} << 0.0f
                               << truckWheels
            + QStringList {"TruckHead1@0,12", "black(37,45,65,12)", "black(37,5,66,40)"}
            + truckWheels;

    const QStringList trailerWheels = repeat("TruckWheel1", {"8", "81.5", "165.5", "270.5"}, "45");
    QTest::newRow("H2T2, trailer with overhang")
        << "H2T2" << 4 << QStringList {"3.5", "4.0", "5.0"} << 1.5f
        << trailerWheels
            + QStringList {"TruckHead1@0,12", "black(37,45,254,12)", "black(37,5,66,40)",
                "white(103,5,1,52)", "black(105,5,186,40)", "black(291,5,31.5,52)"}
            + trailerWheels;

    const QStringList semiWheels = repeat("TruckWheel1", {"8", "81.5", "186.5", "213.8"}, "45");
    QTest::newRow("H2S2, semi-trailer on the truck itself")
        << "H2S2" << 4 << QStringList {"3.5", "5.0", "1.3"} << 1.0f
        << semiWheels
            + QStringList {"TruckHead1@0,12", "black(37,45,197,12)", "white(35,5,2,40)",
                "white(103,45,2,12)", "black(37,5,197,40)", "black(234,5,21,52)"}
            + semiWheels;

    QTest::newRow("H2T1D1S1, dolly between trailers")
        << "H2T1D1S1" << 5 << QStringList {"3.0", "4.0", "1.0", "2.0"} << 0.0f
        << repeat("TruckWheel1", {"8", "71", "155", "176", "218"}, "45")
            + QStringList {"TruckHead1@0,12", "black(37,45,202,12)", "black(37,5,56,40)",
                "white(93,5,1,52)", "black(95,5,81,40)", "black(176,5,0,52)", "black(177,45,2,12)",
                "white(174,5,2,40)", "white(198,45,2,12)", "black(176,5,63,40)",
                "black(239,5,0,52)"}
            + repeat("TruckWheel1", {"8", "71", "155", "176", "218"}, "45");

    QTest::newRow("L2, light truck wheels lower") << "L2" << 2 << QStringList {"3.0"} << 0.0f
                                                  << repeat("TruckWheel1", {"8", "71"}, "49")
            + QStringList {"LightTruckHead@0,12", "black(37,45,55,12)", "black(37,5,56,40)"}
            + repeat("TruckWheel1", {"8", "71"}, "49");

    QTest::newRow("C2, no chassis bar behind the rear") << "C2" << 2 << QStringList {"2.6"} << 0.0f
                                                        << repeat("CarTireS", {"17", "71.6"}, "41")
            + QStringList {"CarHeadS1@0,28", "black(50,28,8,24)", "CarBackS1@58,28"}
            + repeat("CarTireS", {"17", "71.6"}, "45");

    QTest::newRow("C2T1, car with a trailer") << "C2T1" << 3 << QStringList {"2.6", "3.0"} << 0.5f
                                              << repeat("CarTireS", {"17", "71.6", "134.6"}, "41")
            + QStringList {"CarHeadS1@0,28", "black(50,28,8,24)", "CarBackS1@58,28",
                "black(99,38,50,12)", "white(99,-2,1,52)", "black(101,-2,48,40)",
                "black(149,-2,10.5,52)"}
            + repeat("CarTireS", {"17", "71.6", "134.6"}, "45");

    QTest::newRow("V2, van") << "V2" << 2 << QStringList {"3.0"} << 0.0f
                             << repeat("VanTire", {"19", "82"}, "44")
            + QStringList {"VanHead@0,20", "black(57,20,13,37)", "VanBack@70,20"}
            + repeat("VanTire", {"19", "82"}, "48");

    QTest::newRow("M2, motorbike front and rear over the wheels")
        << "M2" << 2 << QStringList {"1.5"} << 0.0f
        << repeat("MotorTire2", {"7", "38.5"}, "41") + QStringList {"black(30,30,1,22)"}
            + repeat("MotorTire2", {"7", "38.5"}, "41")
            + QStringList {"MotorHead2@0,26", "MotorBack2@31,26"};

    const QStringList tractorAxles = {"7", "82.6", "208.6", "235.9", "263.2"};
    QTest::newRow("A2S3, tractor with semi-trailer")
        << "A2S3" << 5 << QStringList {"3.6", "6.0", "1.3", "1.3"} << 1.0f
        << repeat("TractorTire", tractorAxles, "41")
            + QStringList {"black(28,30,45,18)", "black(105,34,172,12)"}
            + repeat("TractorTire", tractorAxles, "47")
            + QStringList {"TractorHead@0,15", "TractorBack@73,15", "white(80,-6,2,40)",
                "white(106,34,2,12)", "black(82,-6,195,40)", "black(277,-6,21,52)"};

    QTest::newRow("A2, tractor alone leaves out the bar of no length")
        << "A2" << 2 << QStringList {"3.6"} << 0.0f
        << repeat("TractorTire", {"7", "82.6"}, "41") + QStringList {"black(28,30,45,18)"}
            + repeat("TractorTire", {"7", "82.6"}, "47")
            + QStringList {"TractorHead@0,15", "TractorBack@73,15"};

    QTest::newRow("B2, bus") << "B2" << 2 << QStringList {"5.0"} << 0.0f
                             << repeat("BusTire", {"28", "133"}, "42")
            + QStringList {"black(79,17,34,39)", "BusHead@0,17", "BusBack@113,17"}
            + repeat("BusTire", {"28", "133"}, "45");

    QTest::newRow("B2S1, articulated bus takes in the S axle")
        << "B2S1" << 3 << QStringList {"5.0", "6.0"} << 0.0f
        << repeat("BusTire", {"28", "133", "259"}, "42")
            + QStringList {"black(79,17,160,39)", "BusLink@159,17", "BusHead@0,17",
                "BusBack@239,17"}
            + repeat("BusTire", {"28", "133", "259"}, "45");

    QTest::newRow("B2S1T1, articulated bus with a trailer")
        << "B2S1T1" << 4 << QStringList {"5.0", "6.0", "4.0"} << 1.0f
        << repeat("BusTire", {"28", "133", "259", "343"}, "42")
            + QStringList {"black(79,17,160,39)", "BusLink@159,17", "BusHead@0,17",
                "BusBack@239,17", "black(301,44,65,12)"}
            + repeat("BusTire", {"28", "133", "259", "343"}, "45")
            + QStringList {"white(301,4,1,52)", "black(303,4,63,40)", "black(366,4,21,52)"};

    QTest::newRow("X2, unclassified wheels only") << "X2" << 2 << QStringList {"3.0"} << 0.0f
                                                  << repeat("UnclassifiedWheel", {"8", "71"}, "27");
    QTest::newRow("H2X2, invalid configuration")
        << "H2X2" << 4 << QStringList {"1", "1", "1"} << 0.0f
        << repeat("UnclassifiedWheel", {"8", "29", "50", "71"}, "27");
    QTest::newRow("empty configuration")
        << "" << 2 << QStringList {"1"} << 0.0f << repeat("UnclassifiedWheel", {"8", "29"}, "27");
}

void tst_VehicleDrawing::sceneReadsBack()
{
    QFETCH(QString, configuration);
    QFETCH(int, axles);
    QFETCH(QStringList, distances);
    QFETCH(float, append);
    QFETCH(QStringList, items);

    const Subclass subclass = makeSubclass(configuration, axles, distances, distances);
    VehicleDrawing drawing(view, false, append);
    drawing.draw(subclass);
    QCOMPARE(view->scene(), drawing.graphicsScene());
    QCOMPARE(describe(view->scene()), items);
    QCOMPARE(collected(QtDebugMsg), QStringList {"Drawing: \"" + configuration + "\""});
    QVERIFY(collected(QtWarningMsg).isEmpty());
}

void tst_VehicleDrawing::maximumPictureUsesMaximumDistances()
{
    const Subclass subclass = makeSubclass("H2", 2, {"3.5"}, {"4.5"});
    QGraphicsView maxView;
    maxView.setFixedSize(900, 90);
    {
        VehicleDrawing minimum(view, false, 0);
        VehicleDrawing maximum(&maxView, true, 0);
        minimum.draw(subclass);
        maximum.draw(subclass);
    }
    const QStringList wheels = repeat("TruckWheel1", {"8", "102.5"}, "45");
    const QStringList body = {"TruckHead1@0,12", "black(37,45,86,12)", "black(37,5,87,40)"};
    QCOMPARE(describe(maxView.scene()), wheels + body + wheels);
    QVERIFY(describe(view->scene()) != describe(maxView.scene()));
}

void tst_VehicleDrawing::equalDistancesGiveEqualPictures()
{
    const Subclass subclass
        = makeSubclass("A3S2", 5, {"3.2", "1.3", "6.5", "1.3"}, {"3.2", "1.3", "6.5", "1.3"});
    QGraphicsView maxView;
    maxView.setFixedSize(900, 90);
    {
        VehicleDrawing minimum(view, false, 1.2f);
        VehicleDrawing maximum(&maxView, true, 1.2f);
        minimum.draw(subclass);
        maximum.draw(subclass);
    }
    QVERIFY(!describe(view->scene()).isEmpty());
    QCOMPARE(describe(maxView.scene()), describe(view->scene()));
}

void tst_VehicleDrawing::unitsThatDoNotFitTheWheelsDrawUnclassified_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<int>("axles");

    QTest::newRow("vehicle of no axles") << "H0T4" << 4;
    QTest::newRow("trailer of no axles") << "H2T0" << 2;
    QTest::newRow("bus section of no axles") << "B2S0" << 2;
    QTest::newRow("counts wrapping past 255") << "H255T3" << 2;
    QTest::newRow("counts beyond the axles") << "A2S3" << 4;
    QTest::newRow("count too large for a number") << "H99999999999" << 2;
}

void tst_VehicleDrawing::unitsThatDoNotFitTheWheelsDrawUnclassified()
{
    QFETCH(QString, configuration);
    QFETCH(int, axles);

    QStringList distances;
    QStringList xs;
    for (int i = 0; i < axles; ++i) {
        xs.append(QString::number(8 + 21 * i));
        if (i + 1 < axles) {
            distances.append("1");
        }
    }
    const Subclass subclass = makeSubclass(configuration, axles, distances, distances);
    for (bool useMaxDistances : {false, true}) {
        {
            VehicleDrawing drawing(view, useMaxDistances, 1.0f);
            drawing.draw(subclass);
        }
        QCOMPARE(describe(view->scene()), repeat("UnclassifiedWheel", xs, "27"));
    }
}

void tst_VehicleDrawing::configurationSplitsIntoUnits_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("units");

    QTest::newRow("truck, trailer, dolly, semi") << "H2T2D1S2"
                                                 << "H2 T2 D1 S2";
    QTest::newRow("two-digit count") << "H12"
                                     << "H12";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("digit first, then a letter without digits") << "2H"
                                                               << "";
    QTest::newRow("lower case kept") << "h2t2"
                                     << "h2 t2";
    QTest::newRow("junk between units skipped") << "H2-T2"
                                                << "H2 T2";
    QTest::newRow("letter outside Latin-1") << QString::fromUtf8("\u0416"
                                                                 "3")
                                            << "03";
}

void tst_VehicleDrawing::configurationSplitsIntoUnits()
{
    QFETCH(QString, configuration);
    QFETCH(QString, units);

    QStringList found;
    for (const VehicleUnit &unit : VehicleDrawing::splitUnits(configuration)) {
        found.append((unit.letter ? QString(QChar(unit.letter)) : QString("0"))
            + QString::number(unit.count));
    }
    QCOMPARE(found.join(' '), units);
}

void tst_VehicleDrawing::sceneRectIsNineTenthsOfTheView()
{
    VehicleDrawing drawing(view, false, 0);
    QCOMPARE(view->height(), 90);
    QCOMPARE(view->sceneRect(), QRectF(0, 0, 810, 81));
    QCOMPARE(drawing.graphicsScene()->parent(), view);
}

void tst_VehicleDrawing::failedCheckLogsAndKeepsPicture()
{
    {
        VehicleDrawing drawing(view, false, 0);
        drawing.draw(makeSubclass("H3", 3, {"3.5", "1.3"}, {"3.5", "1.3"}));
    }
    QGraphicsScene *shown = view->scene();
    const QStringList picture = describe(shown);
    messages.clear();

    Subclass subclass = makeSubclass("H3", 3, {"3.5", "1.3"}, {"3.5", "1.3", "2.0"});
    subclass.remove_last_min_distance();
    QCOMPARE(subclass.get_min_distance_count(), 2);
    QCOMPARE(subclass.get_max_distance_count(), 3);
    {
        VehicleDrawing drawing(view, false, 0);
        drawing.draw(subclass);
    }
    QString text;
    QDebug(&text) << subclass.to_string();
    QCOMPARE(collectedAll(),
        QStringList(
            {QString("D ") + dashes, QString("W ") + cannotDraw, "D axle vectors equal:  false",
                "D vectors longer than number of axles:  false Vector length:  2 3",
                "D " + text.trimmed(), QString("D ") + dashes}));
    QCOMPARE(view->scene(), shown);
    QCOMPARE(describe(view->scene()), picture);
    // The scene of the stopped pass was never shown; it must not stay behind.
    QCOMPARE(view->findChildren<QGraphicsScene *>().size(), 1);
}

void tst_VehicleDrawing::placeWheelsWarnsAboutMissingDistances()
{
    Subclass subclass = makeSubclass("H3", 3, {"3.5", "1.3"}, {"3.5", "1.3"});
    subclass.remove_last_max_distance();
    subclass.remove_last_max_distance();
    QCOMPARE(subclass.get_max_distance_count(), 1);
    VehicleDrawing drawing(view, true, 0);
    const QVector<int> axleX = drawing.placeWheels(21, 8, 45, 0, subclass);
    QCOMPARE(collected(QtWarningMsg),
        QStringList({"Number of axles is  \"3\"  while there are only  1  distances! "
                     "Undefined.",
            "\"3.5\""}));
    // Only the wheels the distances place are drawn and answered.
    QCOMPARE(axleX, QVector<int>({8, 81}));
    QCOMPARE(describe(drawing.graphicsScene()), repeat("TruckWheel1", {"8", "81.5"}, "45"));
}

void tst_VehicleDrawing::replacedScenesAreDeleted()
{
    const Subclass subclass = makeSubclass(
        "H2T2D1S2", 7, {"3.5", "4", "5", "2", "5", "1.3"}, {"4", "5", "6", "2.5", "6", "1.4"});
    const auto pass = [this, &subclass] {
        VehicleDrawing drawing(view, false, 1.0f);
        drawing.draw(subclass);
    };
    const auto residentKiB = [] {
        QFile statm("/proc/self/statm");
        if (!statm.open(QIODevice::ReadOnly)) {
            return qint64(-1);
        }
        const QList<QByteArray> fields = statm.readAll().split(' ');
        return fields.size() > 1 ? fields.at(1).toLongLong() * (sysconf(_SC_PAGESIZE) / 1024)
                                 : qint64(-1);
    };
    // Keep the log lines of the passes out of memory: only the drawing's growth counts here.
    collecting = false;
    for (int i = 0; i < 500; ++i) {
        pass();
    }
    const qint64 before = residentKiB();
    for (int i = 0; i < 10000; ++i) {
        pass();
    }
    const qint64 after = residentKiB();
    qInfo() << "Resident memory before and after 10000 passes (KiB):" << before << after;
    collecting = true;
    QCOMPARE(view->findChildren<QGraphicsScene *>().size(), 1);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed memory in quarantine, so resident memory grows under it
    // whatever the drawing does; there the count of scenes above is the check.
    if (before >= 0 && after >= 0) {
        QVERIFY2(after - before < 2048,
            qPrintable(QString("resident memory grew by %1 KiB").arg(after - before)));
    }
#endif
}

void tst_VehicleDrawing::windowDrawsBothViews()
{
    Veltora window;
    auto *minView = window.findChild<QGraphicsView *>("graphicsViewMin");
    auto *maxView = window.findChild<QGraphicsView *>("graphicsViewMax");
    window.findChild<QLineEdit *>("lineEditAppend")->setText("1.5");
    messages.clear();
    window.drawVehicles(makeSubclass("H2T2", 4, {"3.5", "4.0", "5.0"}, {"4.0", "5.0", "6.0"}));

    QCOMPARE(minView->height(), 90);
    QCOMPARE(
        collected(QtDebugMsg), QStringList({"Can draw", "Drawing: \"H2T2\"", "Drawing: \"H2T2\""}));
    const QStringList minItems = describe(minView->scene());
    QCOMPARE(minItems.mid(4, 6),
        QStringList({"TruckHead1@0,12", "black(37,45,254,12)", "black(37,5,66,40)",
            "white(103,5,1,52)", "black(105,5,186,40)", "black(291,5,31.5,52)"}));
    QCOMPARE(describe(maxView->scene()).mid(0, 4),
        repeat("TruckWheel1", {"8", "92", "197", "323"}, "45"));
    QVERIFY(describe(maxView->scene()).contains("black(344,5,31.5,52)"));
}

void tst_VehicleDrawing::windowAppendWithoutLengthDrawsNoOverhang_data()
{
    QTest::addColumn<QString>("append");
    QTest::newRow("empty") << "";
    QTest::newRow("not a number") << "abc";
    QTest::newRow("negative") << "-2";
}

void tst_VehicleDrawing::windowAppendWithoutLengthDrawsNoOverhang()
{
    QFETCH(QString, append);
    Veltora window;
    auto *maxView = window.findChild<QGraphicsView *>("graphicsViewMax");
    window.findChild<QLineEdit *>("lineEditAppend")->setText(append);
    window.drawVehicles(makeSubclass("H2T2", 4, {"3.5", "4.0", "5.0"}, {"3.5", "4.0", "5.0"}));
    QCOMPARE(describe(maxView->scene()).at(9), QString("black(291,5,0,52)"));
}

void tst_VehicleDrawing::windowClearsWhenSubclassCannotBeDrawn()
{
    Veltora window;
    auto *minView = window.findChild<QGraphicsView *>("graphicsViewMin");
    auto *maxView = window.findChild<QGraphicsView *>("graphicsViewMax");
    window.drawVehicles(makeSubclass("C2", 2, {"2.6"}, {"3.0"}));
    QVERIFY(!minView->scene()->items().isEmpty());
    messages.clear();

    window.drawVehicles(makeSubclass("C2", 2, {"2.6"}, {"0"}));
    QVERIFY(!collected(QtDebugMsg).contains("Can draw"));
    QVERIFY(collected(QtDebugMsg).contains("Clearing image"));
    QVERIFY(minView->scene()->items().isEmpty());
    QVERIFY(maxView->scene()->items().isEmpty());
}

void tst_VehicleDrawing::clearImageBeforeAnyPassDoesNothing()
{
    Veltora window;
    auto *minView = window.findChild<QGraphicsView *>("graphicsViewMin");
    QVERIFY(!minView->scene());
    messages.clear();
    window.clearImage();
    QVERIFY(messages.isEmpty());
    QVERIFY(!minView->scene());
}

void tst_VehicleDrawing::clearImageEmptiesShownScenes()
{
    Veltora window;
    auto *minView = window.findChild<QGraphicsView *>("graphicsViewMin");
    auto *maxView = window.findChild<QGraphicsView *>("graphicsViewMax");
    window.drawVehicles(makeSubclass("B2S1", 3, {"5.0", "6.0"}, {"6.0", "7.5"}));
    QGraphicsScene *minScene = minView->scene();
    QGraphicsScene *maxScene = maxView->scene();
    messages.clear();
    window.clearImage();
    QCOMPARE(collected(QtDebugMsg), QStringList {"Clearing image"});
    QCOMPARE(minView->scene(), minScene);
    QCOMPARE(maxView->scene(), maxScene);
    QVERIFY(minScene->items().isEmpty());
    QVERIFY(maxScene->items().isEmpty());
}

QTEST_MAIN(tst_VehicleDrawing)
#include "tst_vehicledrawing.moc"
