#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QVector>

class QGraphicsScene;
class QGraphicsView;
class Subclass;

// The 20 built-in bitmaps, each named after its file; the value is its index in
// VehicleDrawing::vehicleBitmaps.
enum class Bitmap {
    TruckWheel1,
    TruckHead1,
    LightTruckHead,
    CarTireS,
    CarHeadS1,
    CarBackS1,
    VanTire,
    VanHead,
    VanBack,
    BusTire,
    BusHead,
    BusBack,
    BusLink,
    MotorTire2,
    MotorHead2,
    MotorBack2,
    UnclassifiedWheel,
    TractorTire,
    TractorHead,
    TractorBack,
};

// How one vehicle letter is drawn: its wheel, front and rear bitmaps, the pixels added to the
// chassis line and the pixels by which the wheel line lies above the view's middle.
struct VehicleShape
{
    Bitmap tire;
    Bitmap head;
    Bitmap back;
    int chassisOffset;
    int wheelLift;
};

// One part of an axle configuration: "H2T2D1S2" gives H/2, T/2, D/1 and S/2; the first unit is
// always the vehicle itself.
struct VehicleUnit
{
    char letter = 0;
    unsigned count = 0;
};

// The bitmaps, lines and wheel positions of one pass, loaded and worked out once and shared by
// every renderer.
struct VehicleGeometry
{
    QPixmap tire;
    QPixmap head;
    QPixmap back;
    int headY = 0;
    int chassisY = 0;
    int firstAxleX = 0;
    int wheelY = 0;
    int bodyTop = 0;
    int pixelsPerMetre = 0;
    QVector<int> axleX;
    QVector<int> wheelRight;
};

// Draws one picture of a subclass (its minimum or its maximum axle distances) into a view.
// Made afresh for every pass by the main window and discarded after it; the scene it builds
// belongs to the view, and the scene it replaces there is deleted, so redrawing keeps memory flat.
class VehicleDrawing
{
public:
    // The 20 bitmap paths, in the order of Bitmap.
    static const QStringList vehicleBitmaps;

    VehicleDrawing(QGraphicsView *view, bool useMaxDistances, float append);
    ~VehicleDrawing();
    VehicleDrawing(const VehicleDrawing &) = delete;
    VehicleDrawing &operator=(const VehicleDrawing &) = delete;

    // One drawing pass. A subclass whose distance lists do not fit its axles leaves the view
    // with the picture it showed.
    void draw(const Subclass &subclass);

    // Adds one wheel per axle at the subclass's distances and answers each wheel's left edge.
    QVector<int> placeWheels(
        float scale, float x, float y, Bitmap bitmap, const Subclass &subclass);

    // The parts of an axle configuration, in order.
    static QVector<VehicleUnit> splitUnits(const QString &configuration);

    QGraphicsScene *graphicsScene() const { return scene; }

private:
    QVector<int> placeWheels(
        float scale, float x, float y, const QPixmap &wheel, const Subclass &subclass);
    void drawVehicle(const Subclass &subclass);
    void drawUnclassified(const Subclass &subclass);
    void showScene();

    void drawTruck(
        const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass);
    void drawCarOrVan(
        const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass);
    void drawMotorbike(
        const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass);
    void drawBus(
        const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass);
    void drawTractor(
        const QVector<VehicleUnit> &units, const VehicleGeometry &g, const Subclass &subclass);
    void drawTrailerUnits(const QVector<VehicleUnit> &units, int from, int idx, int x1, int x2,
        int x1Shift, int y, const VehicleGeometry &g);
    void drawTrailerUnit(const VehicleUnit &unit, int x1, int x2, int y, int x5, qreal overhang);

    void addPixmap(const QPixmap &pixmap, qreal x, qreal y);
    void addBlackBox(qreal x, qreal y, qreal width, qreal height);
    void addWhiteBox(qreal x, qreal y, qreal width, qreal height);
    void addChassisBar(int x, int y, int width);

    QGraphicsView *view;
    QGraphicsScene *scene;
    bool useMaxDistances;
    int chassisHeight;
    int bodyHeight;
    float append;
};
