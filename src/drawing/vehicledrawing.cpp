// Vehicle drawing: one picture of a subclass built from the built-in bitmaps and black boxes,
// with every wheel placed at the subclass's axle distances.
#include "vehicledrawing.h"

#include "subclass.h"

#include <QBrush>
#include <QChar>
#include <QDebug>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMap>
#include <QPen>
#include <QPixmap>
#include <QPixmapCache>
#include <QRectF>
#include <QSize>
#include <QRegExp>
#include <QtNumeric>

namespace {

// Each bitmap's file under ":/res/bmps/", listed in the order of Bitmap.
struct BitmapFile
{
    Bitmap bitmap;
    const char *name;
};
constexpr BitmapFile bitmapFiles[] = {
    {Bitmap::TruckWheel1, "TruckWheel1"},
    {Bitmap::TruckHead1, "TruckHead1"},
    {Bitmap::LightTruckHead, "LightTruckHead"},
    {Bitmap::CarTireS, "CarTireS"},
    {Bitmap::CarHeadS1, "CarHeadS1"},
    {Bitmap::CarBackS1, "CarBackS1"},
    {Bitmap::VanTire, "VanTire"},
    {Bitmap::VanHead, "VanHead"},
    {Bitmap::VanBack, "VanBack"},
    {Bitmap::BusTire, "BusTire"},
    {Bitmap::BusHead, "BusHead"},
    {Bitmap::BusBack, "BusBack"},
    {Bitmap::BusLink, "BusLink"},
    {Bitmap::MotorTire2, "MotorTire2"},
    {Bitmap::MotorHead2, "MotorHead2"},
    {Bitmap::MotorBack2, "MotorBack2"},
    {Bitmap::UnclassifiedWheel, "UnclassifiedWheel"},
    {Bitmap::TractorTire, "TractorTire"},
    {Bitmap::TractorHead, "TractorHead"},
    {Bitmap::TractorBack, "TractorBack"},
};

constexpr bool bitmapFilesInOrder()
{
    int index = 0;
    for (const BitmapFile &file : bitmapFiles) {
        if (int(file.bitmap) != index++) {
            return false;
        }
    }
    return index == int(Bitmap::TractorBack) + 1;
}
static_assert(bitmapFilesInOrder(), "every bitmap has its file, at the index of its name");

// One row per vehicle letter; the trailer letters D, S and T are drawn with boxes alone.
const QMap<QChar, VehicleShape> &vehicleShapes()
{
    static const QMap<QChar, VehicleShape> shapes {
        {QChar('A'), {Bitmap::TractorTire, Bitmap::TractorHead, Bitmap::TractorBack, -18, 4}},
        {QChar('B'), {Bitmap::BusTire, Bitmap::BusHead, Bitmap::BusBack, -9, 3}},
        {QChar('C'), {Bitmap::CarTireS, Bitmap::CarHeadS1, Bitmap::CarBackS1, -14, 4}},
        // Trucks have no rear bitmap of their own: their back repeats the head and is not drawn.
        {QChar('H'), {Bitmap::TruckWheel1, Bitmap::TruckHead1, Bitmap::TruckHead1, -9, 0}},
        {QChar('L'), {Bitmap::TruckWheel1, Bitmap::LightTruckHead, Bitmap::LightTruckHead, -9, -4}},
        {QChar('M'), {Bitmap::MotorTire2, Bitmap::MotorHead2, Bitmap::MotorBack2, -3, 4}},
        {QChar('V'), {Bitmap::VanTire, Bitmap::VanHead, Bitmap::VanBack, -8, 1}},
    };
    return shapes;
}

// QPixmap(path) keys its cache by the file's date as well, which costs a system call on every
// load. The bitmaps are built in and never change, so their path alone is key enough.
QPixmap loadBitmap(Bitmap name)
{
    const QString &path = VehicleDrawing::vehicleBitmaps.at(int(name));
    QPixmap pixmap;
    if (!QPixmapCache::find(path, &pixmap)) {
        pixmap.load(path);
        QPixmapCache::insert(path, pixmap);
    }
    return pixmap;
}

// Positions past this lie far outside any view. Bounding them keeps the whole-number sums of
// positions from overflowing when a distance or the append length is absurdly large; what is
// not a number counts as 0, as unreadable text does.
constexpr float farthestPixel = 1 << 24;

float bounded(float pixels)
{
    return qIsNaN(pixels) ? 0 : qBound(-farthestPixel, pixels, farthestPixel);
}

char upperLetter(char letter)
{
    return static_cast<char>(static_cast<unsigned char>(letter) & 0xdf);
}

// The units must account for every wheel, each with at least one: every renderer indexes the
// wheels by the running total of the counts.
bool unitsFitWheels(const QVector<VehicleUnit> &units, int wheels)
{
    if (units.isEmpty()) {
        return false;
    }
    qint64 total = 0;
    for (const VehicleUnit &unit : units) {
        if (unit.count == 0) {
            return false;
        }
        total += unit.count;
    }
    return total == wheels;
}

bool isWheel(int idx, const VehicleGeometry &g)
{
    return idx >= 0 && idx < g.axleX.size() && idx < g.wheelRight.size();
}

// The last axle of the vehicle itself (its first unit), -1 when it has none.
int vehicleLastAxle(const QVector<VehicleUnit> &units)
{
    return units.at(0).count > 0 ? int(units.at(0).count) - 1 : -1;
}

// The sizes of a vehicle's front and rear bitmaps and where the rear stands: centred over the
// vehicle's last wheel idx. False when idx names no wheel.
struct Body
{
    int headW = 0;
    int headH = 0;
    int backW = 0;
    int backX = 0;
    int last = 0; // the last axle of the whole vehicle, trailers included
};

bool measureBody(const VehicleGeometry &g, int idx, Body &body)
{
    if (!isWheel(idx, g)) {
        return false;
    }
    body.headW = g.head.width();
    body.headH = g.head.height();
    body.backW = g.back.width();
    body.backX = g.axleX.at(idx) + g.tire.width() / 2 - body.backW / 2;
    body.last = g.wheelRight.size() - 1;
    return true;
}

// Where each renderer puts its parts, in pixels from the lines of the pass ("drop" moves down,
// "rise" up, "inset" takes from a height, "back" moves left).
namespace Truck {
constexpr int headDrop = 7; // the cab below the body's top
constexpr int bodyOverhang = 1; // the body box past the last wheel's right edge
constexpr int trailerGap = 1; // the first trailer unit behind the truck
} // namespace Truck
namespace CarOrVan {
constexpr int drop = 2; // front, roof and rear below headY
constexpr int roofInset = 1;
constexpr int wheelsDrop = 4; // the second wheels below the first
} // namespace CarOrVan
namespace Motorbike {
constexpr int endsDrop = 3; // front and rear below headY
constexpr int bodyDrop = 7;
constexpr int bodyInset = 8;
constexpr int barBack = 1; // the chassis bar starts under the rear's last column
constexpr int barRise = 10;
constexpr int trailerRise = 5;
} // namespace Motorbike
namespace Bus {
constexpr int roofInset = 1;
constexpr int wheelsDrop = 3;
} // namespace Bus
namespace Tractor {
constexpr int bodyDrop = 15;
constexpr int bodyInset = 28;
constexpr int barBack = 1;
constexpr int wheelsDrop = 6;
} // namespace Tractor
namespace Trailer {
constexpr int gapWidth = 1; // white gap between a trailer and the unit in front
constexpr int bodyStart = 2; // a trailer's body begins this far behind the unit in front
constexpr int semiGapWidth = 2; // white gaps in front of a semi-trailer's body and in its chassis
constexpr int drawbarWidth = 2;
} // namespace Trailer

} // namespace

const QStringList VehicleDrawing::vehicleBitmaps = [] {
    QStringList paths;
    for (const BitmapFile &file : bitmapFiles) {
        paths.append(QStringLiteral(":/res/bmps/%1.bmp").arg(QLatin1String(file.name)));
    }
    return paths;
}();

std::unique_ptr<QGraphicsScene> VehicleDrawing::buildScene(
    const Subclass &subclass, DistancePass pass, const QSize &size)
{
    VehicleDrawing drawing(pass, size.height());
    if (!drawing.draw(subclass)) {
        return nullptr;
    }
    return drawing.takeScene();
}

void VehicleDrawing::drawInto(QGraphicsView *view, const Subclass &subclass, DistancePass pass)
{
    view->setSceneRect(QRectF(0, 0, view->width() * 0.9, view->height() * 0.9));
    std::unique_ptr<QGraphicsScene> scene = buildScene(subclass, pass, view->size());
    if (!scene) {
        return;
    }
    // The view owns every scene shown on it; the one replaced will never be shown again, and
    // keeping it would grow memory with every edit.
    QGraphicsScene *previous = view->scene();
    scene->setParent(view);
    view->setScene(scene.release());
    if (previous && previous->parent() == view) {
        delete previous;
    }
}

VehicleDrawing::VehicleDrawing(DistancePass pass, int height)
    : scene(new QGraphicsScene)
    , useMaxDistances(pass == DistancePass::Maximum)
    , height(height)
    , chassisHeight(12)
    , bodyHeight(40)
    , append(0)
{
}

VehicleDrawing::~VehicleDrawing() = default;

std::unique_ptr<QGraphicsScene> VehicleDrawing::takeScene()
{
    return std::move(scene);
}

bool VehicleDrawing::draw(const Subclass &subclass)
{
    if (!scene) {
        scene.reset(new QGraphicsScene);
    }
    scene->clear();
    append = subclass.get_append().toFloat();
    const int nMin = subclass.get_min_distance_count();
    const int nMax = subclass.get_max_distance_count();
    const int n = subclass.get_number_of_axles().toInt();
    if (nMin == nMax && nMin + 1 >= n) {
        drawVehicle(subclass);
        return true;
    }
    const char *dashes = "---------------------------------------------------------";
    qDebug() << dashes;
    qWarning() << "Can not draw due to invalid axles stuff. Ideally this warning should not "
                  "appear and be handled before drawing is called. This is here to eliminate a "
                  "logic error that crashes stuff.";
    qDebug() << "axle vectors equal: " << (nMin == nMax);
    qDebug() << "vectors longer than number of axles: " << (nMin > n) << "Vector length: " << nMin
             << n;
    qDebug() << subclass.to_string();
    qDebug() << dashes;
    return false;
}

QVector<VehicleUnit> VehicleDrawing::splitUnits(const QString &configuration)
{
    QVector<VehicleUnit> units;
    QRegExp unitPattern(QStringLiteral("\\w\\d+"));
    int pos = unitPattern.indexIn(configuration, 0);
    while (pos != -1) {
        const QString match = unitPattern.cap(0);
        VehicleUnit unit;
        unit.letter = match.at(0).toLatin1();
        unit.count = match.mid(1).toUInt();
        units.append(unit);
        pos = unitPattern.indexIn(configuration, pos + unitPattern.matchedLength());
    }
    return units;
}

void VehicleDrawing::drawVehicle(const Subclass &subclass)
{
    const QString configuration = subclass.get_axle_configuration();
    qDebug() << "Drawing:" << configuration;
    const QChar first = configuration.isEmpty() ? QChar() : configuration.at(0);
    const auto row = vehicleShapes().constFind(first);
    if (row == vehicleShapes().constEnd() || !subclass.is_axle_configuration_valid()) {
        drawUnclassified(subclass);
        return;
    }
    const QVector<VehicleUnit> units = splitUnits(configuration);
    const int axles = subclass.get_number_of_axles().toInt();
    // A configuration can pass its check and still not give every wheel to a unit (a count of
    // 0, or counts whose sum only matches after wrapping): the renderers would index wheels
    // that do not exist, so such a vehicle is drawn unclassified.
    if (!unitsFitWheels(units, qMax(axles, 0))) {
        drawUnclassified(subclass);
        return;
    }

    const VehicleShape &shape = row.value();
    VehicleGeometry g;
    g.tire = loadBitmap(shape.tire);
    g.head = loadBitmap(shape.head);
    g.back = loadBitmap(shape.back);
    const float pixelsPerMetre = loadBitmap(Bitmap::TruckWheel1).width();
    const int middle = height / 2;
    g.pixelsPerMetre = int(pixelsPerMetre);
    g.firstAxleX = (g.head.width() - g.tire.width()) / 2;
    g.headY = middle - g.head.height() / 2 - g.tire.height() / 2;
    g.chassisY = middle + g.tire.height() / 2 + shape.chassisOffset;
    g.wheelY = middle - shape.wheelLift;
    g.bodyTop = g.chassisY - bodyHeight;

    // Wheels go in before the bodies and again after them; where the two heights differ, both show.
    g.axleX = placeWheels(pixelsPerMetre, g.firstAxleX, g.wheelY, g.tire, subclass);
    if (g.axleX.size() != axles) {
        // Fewer wheels than axles: a distance list is short. The driver's checks keep this from
        // happening; never index past the wheels that exist.
        return;
    }
    g.wheelRight.reserve(g.axleX.size());
    for (int x : qAsConst(g.axleX)) {
        g.wheelRight.append(x + g.tire.width());
    }

    switch (first.toLatin1()) {
    case 'V':
    case 'C':
        drawCarOrVan(units, g, subclass);
        break;
    case 'B':
        drawBus(units, g, subclass);
        break;
    case 'H':
    case 'L':
        drawTruck(units, g, subclass);
        break;
    case 'M':
        drawMotorbike(units, g, subclass);
        break;
    case 'A':
        drawTractor(units, g, subclass);
        break;
    default:
        break;
    }
}

void VehicleDrawing::drawUnclassified(const Subclass &subclass)
{
    const QPixmap wheel = loadBitmap(Bitmap::UnclassifiedWheel);
    const int middle = height / 2;
    placeWheels(wheel.width(), (loadBitmap(Bitmap::TruckHead1).width() - wheel.width()) / 2,
        middle - wheel.height(), wheel, subclass);
}

QVector<int> VehicleDrawing::placeWheels(
    float scale, float x, float y, Bitmap bitmap, const Subclass &subclass)
{
    return placeWheels(scale, x, y, loadBitmap(bitmap), subclass);
}

QVector<int> VehicleDrawing::placeWheels(
    float scale, float x, float y, const QPixmap &wheel, const Subclass &subclass)
{
    const int n = subclass.get_number_of_axles().toInt();
    const int nMax = subclass.get_max_distance_count();
    if (nMax + 1 < n) {
        qWarning() << "Number of axles is " << subclass.get_number_of_axles()
                   << " while there are only " << nMax << " distances! Undefined.";
        for (int i = 0; i < nMax; ++i) {
            qWarning() << subclass.get_max_distance_at_index(i);
        }
    }
    // Past the distances that exist every further wheel would stand on the last one; stop there
    // rather than add wheels by a number nothing bounds.
    const int distances = useMaxDistances ? nMax : subclass.get_min_distance_count();
    const int wheels = qBound(0, n, distances + 1);
    QVector<int> axleX;
    axleX.reserve(wheels);
    for (int i = 0; i < wheels; ++i) {
        addPixmap(wheel, x, y);
        axleX.append(int(x));
        if (i < n - 1) {
            const QString distance = useMaxDistances ? subclass.get_max_distance_at_index(i)
                                                     : subclass.get_min_distance_at_index(i);
            x = bounded(x + distance.toFloat() * scale);
        }
    }
    return axleX;
}

void VehicleDrawing::drawTruck(
    const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass)
{
    const int headW = g.head.width();
    addPixmap(g.head, 0, g.bodyTop + Truck::headDrop);

    const int n = subclass.get_number_of_axles().toInt();
    float total = 0;
    for (int i = 0; i < n - 1; ++i) {
        total += (useMaxDistances ? subclass.get_max_distance_at_index(i)
                                  : subclass.get_min_distance_at_index(i))
                     .toFloat();
    }
    addChassisBar(headW, g.chassisY, int(bounded(total * g.pixelsPerMetre - g.firstAxleX)));

    const int idx = vehicleLastAxle(units);
    if (!isWheel(idx, g)) {
        return;
    }
    // A semi-trailer right behind the cab rests on the truck itself: the truck has no body box
    // of its own and the semi-trailer's body starts at the cab.
    if (units.size() == 1 || upperLetter(units.at(1).letter) != 'S') {
        addBlackBox(
            headW, g.bodyTop, g.wheelRight.at(idx) + Truck::bodyOverhang - headW, bodyHeight);
    }
    drawTrailerUnits(units, 1, idx, g.wheelRight.at(idx), headW, Truck::trailerGap, g.bodyTop, g);

    placeWheels(g.pixelsPerMetre, g.firstAxleX, g.wheelY, g.tire, subclass);
}

void VehicleDrawing::drawCarOrVan(
    const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass)
{
    const int top = g.headY + CarOrVan::drop;
    addPixmap(g.head, 0, top);
    const int idx = vehicleLastAxle(units);
    Body b;
    if (!measureBody(g, idx, b)) {
        return;
    }
    addBlackBox(b.headW, top, b.backX - b.headW, b.headH - CarOrVan::roofInset);
    addPixmap(g.back, b.backX, top);
    const int x1 = b.backX + b.backW;
    addChassisBar(x1, g.chassisY, g.wheelRight.at(b.last) - x1);
    drawTrailerUnits(units, 1, idx, x1, g.axleX.at(idx), 0, g.bodyTop, g);

    placeWheels(g.pixelsPerMetre, g.firstAxleX, g.wheelY + CarOrVan::wheelsDrop, g.tire, subclass);
}

void VehicleDrawing::drawMotorbike(
    const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass)
{
    const int idx = vehicleLastAxle(units);
    Body b;
    if (!measureBody(g, idx, b)) {
        return;
    }
    addBlackBox(
        b.headW, g.headY + Motorbike::bodyDrop, b.backX - b.headW, b.headH - Motorbike::bodyInset);
    const int barX = b.backX + b.backW - Motorbike::barBack;
    addChassisBar(barX, g.chassisY - Motorbike::barRise, g.wheelRight.at(b.last) - barX);
    drawTrailerUnits(units, 1, idx, b.backX + b.backW, g.axleX.at(idx), 0,
        g.bodyTop - Motorbike::trailerRise, g);

    placeWheels(g.pixelsPerMetre, g.firstAxleX, g.wheelY, g.tire, subclass);
    // Front and rear carry their own wheels, so they go on top of the wheel items.
    addPixmap(g.head, 0, g.headY + Motorbike::endsDrop);
    addPixmap(g.back, b.backX, g.headY + Motorbike::endsDrop);
}

void VehicleDrawing::drawBus(
    const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass)
{
    int idx = vehicleLastAxle(units);
    // Semi-trailer parts right behind a bus are its articulated sections: their axles are the
    // bus's own and they are not drawn as trailers.
    bool articulated = false;
    int next = 1;
    while (next < units.size() && upperLetter(units.at(next).letter) == 'S') {
        if (units.at(next).count > 0) {
            idx += int(units.at(next).count);
        }
        articulated = true;
        ++next;
    }
    Body b;
    if (!measureBody(g, idx, b)) {
        return;
    }
    addBlackBox(b.headW, g.headY, b.backX - b.headW, b.headH - Bus::roofInset);
    if (articulated) {
        // The joint stands halfway between front and rear.
        addPixmap(loadBitmap(Bitmap::BusLink), b.headW + (b.backX - b.headW) / 2, g.headY);
    }
    addPixmap(g.head, 0, g.headY);
    addPixmap(g.back, b.backX, g.headY);
    const int x1 = b.backX + b.backW;
    addChassisBar(x1, g.chassisY, g.wheelRight.at(b.last) - x1);
    placeWheels(g.pixelsPerMetre, g.firstAxleX, g.wheelY + Bus::wheelsDrop, g.tire, subclass);
    drawTrailerUnits(units, next, idx, x1, g.axleX.at(idx), 0, g.bodyTop, g);
}

void VehicleDrawing::drawTractor(
    const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass)
{
    const int idx = vehicleLastAxle(units);
    Body b;
    if (!measureBody(g, idx, b)) {
        return;
    }
    addBlackBox(
        b.headW, g.headY + Tractor::bodyDrop, b.backX - b.headW, b.headH - Tractor::bodyInset);
    const int barX = b.backX + b.backW - Tractor::barBack;
    addChassisBar(barX, g.chassisY, g.wheelRight.at(b.last) - barX);
    placeWheels(g.pixelsPerMetre, g.firstAxleX, g.wheelY + Tractor::wheelsDrop, g.tire, subclass);
    addPixmap(g.head, 0, g.headY);
    addPixmap(g.back, b.backX, g.headY);
    drawTrailerUnits(units, 1, idx, b.backX + b.backW, g.axleX.at(idx), 0, g.bodyTop, g);
}

void VehicleDrawing::drawTrailerUnits(const QVector<VehicleUnit> &units, int from, int idx, int x1,
    int x2, int x1Shift, int y, const VehicleGeometry &g)
{
    const qreal overhang = bounded(append * g.pixelsPerMetre);
    for (int i = from; i < units.size(); ++i) {
        if (units.at(i).count > 0) {
            idx += int(units.at(i).count);
        }
        if (!isWheel(idx, g)) {
            return;
        }
        drawTrailerUnit(units.at(i), x1 + x1Shift, x2, y, g.wheelRight.at(idx), overhang);
        x1 = g.wheelRight.at(idx);
        x2 = g.axleX.at(idx);
    }
}

void VehicleDrawing::drawTrailerUnit(
    const VehicleUnit &unit, int x1, int x2, int y, int x5, qreal overhang)
{
    switch (upperLetter(unit.letter)) {
    case 'T':
        addWhiteBox(x1, y, Trailer::gapWidth, chassisHeight + bodyHeight);
        addBlackBox(x1 + Trailer::bodyStart, y, x5 - (x1 + Trailer::bodyStart), bodyHeight);
        addBlackBox(x5, y, overhang, chassisHeight + bodyHeight);
        break;
    case 'S':
        addWhiteBox(x2 - Trailer::semiGapWidth, y, Trailer::semiGapWidth, bodyHeight);
        addWhiteBox(x1, y + bodyHeight, Trailer::semiGapWidth, chassisHeight);
        addBlackBox(x2, y, x5 - x2, bodyHeight);
        addBlackBox(x5, y, overhang, chassisHeight + bodyHeight);
        break;
    case 'D':
        addBlackBox(x1, y + bodyHeight, Trailer::drawbarWidth, chassisHeight);
        break;
    default:
        break;
    }
}

void VehicleDrawing::addPixmap(const QPixmap &pixmap, qreal x, qreal y)
{
    QGraphicsPixmapItem *item = scene->addPixmap(pixmap);
    item->setPos(x, y);
}

void VehicleDrawing::addBlackBox(qreal x, qreal y, qreal width, qreal height)
{
    scene->addRect(QRectF(x, y, width, height), QPen(), QBrush(Qt::SolidPattern));
}

void VehicleDrawing::addWhiteBox(qreal x, qreal y, qreal width, qreal height)
{
    scene->addRect(
        QRectF(x, y, width, height), QPen(Qt::white), QBrush(Qt::white, Qt::SolidPattern));
}

void VehicleDrawing::addChassisBar(int x, int y, int width)
{
    // A bar of no length would only leave a pen line across the rear bitmap.
    if (width > 0) {
        addBlackBox(x, y, width, chassisHeight);
    }
}
