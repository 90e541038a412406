#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QGraphicsScene;
class QGraphicsView;
class QSize;
class Subclass;

// Which of a subclass's axle distances a picture stands on.
enum class DistancePass { Minimum, Maximum };

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
// chassis line and the pixels by which the wheel line lies above the picture's middle.
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

// Builds one picture of a subclass (at its minimum or at its maximum axle distances) as a scene
// of its own, which needs no view: the editor's two views show such scenes, and the printed
// sheet paints them. One object per pass, discarded after it.
class VehicleDrawing
{
public:
    // The 20 bitmap paths, in the order of Bitmap.
    static const QStringList vehicleBitmaps;

    // The picture of `subclass` at the distances of `pass`, laid out for a picture of `size`:
    // the front of the vehicle at x 0, the wheels about the middle line of its height, and the
    // trailers' rear overhang the subclass's own append length in metres. Null when the
    // subclass's distance lists do not fit its axles, which is logged.
    static std::unique_ptr<QGraphicsScene> buildScene(
        const Subclass &subclass, DistancePass pass, const QSize &size);

    // Shows the picture on a view sized for it. The scene the view showed before is deleted, so
    // redrawing keeps memory flat; a subclass whose distance lists do not fit its axles leaves
    // the view with the picture it showed.
    static void drawInto(QGraphicsView *view, const Subclass &subclass, DistancePass pass);

    // A pass for a picture `height` pixels high, with an empty scene.
    VehicleDrawing(DistancePass pass, int height);
    ~VehicleDrawing();
    VehicleDrawing(const VehicleDrawing &) = delete;
    VehicleDrawing &operator=(const VehicleDrawing &) = delete;

    // One drawing pass into the scene; false, with the scene left empty, when the subclass's
    // distance lists do not fit its axles.
    bool draw(const Subclass &subclass);

    // Adds one wheel per axle at the subclass's distances and answers each wheel's left edge.
    QVector<int> placeWheels(
        float scale, float x, float y, Bitmap bitmap, const Subclass &subclass);

    // The parts of an axle configuration, in order.
    static QVector<VehicleUnit> splitUnits(const QString &configuration);

    QGraphicsScene *graphicsScene() const { return scene.get(); }
    std::unique_ptr<QGraphicsScene> takeScene();

private:
    QVector<int> placeWheels(
        float scale, float x, float y, const QPixmap &wheel, const Subclass &subclass);
    void drawVehicle(const Subclass &subclass);
    void drawUnclassified(const Subclass &subclass);

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

    std::unique_ptr<QGraphicsScene> scene;
    bool useMaxDistances;
    int height;
    int chassisHeight;
    int bodyHeight;
    float append;
};
