// Paints the 20 vehicle bitmaps of the drawings and writes them as BMP files in the colour depth
// each one is built with (8-bit palette or 24-bit). Run: makebitmaps [output folder, default
// res/bmps]. The pictures face left: the front of every vehicle is at x 0.
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <cmath>
#include <cstdio>

namespace {

const QColor body(0, 0, 0);
const QColor glass(150, 200, 235);
const QColor glassEdge(90, 140, 185);
const QColor tyre(28, 28, 28);
const QColor rim(190, 190, 190);
const QColor hub(80, 80, 80);
const QColor lamp(255, 214, 60);
const QColor tailLamp(210, 30, 30);
const QColor steel(130, 130, 130);
const QColor truckRed(190, 35, 35);
const QColor truckRedDark(120, 20, 20);
const QColor lightBlue(30, 100, 180);
const QColor lightBlueDark(15, 60, 120);
const QColor tractorGreen(40, 130, 60);
const QColor tractorGreenDark(20, 80, 35);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void fill(QPainter &p, const QPainterPath &path, const QColor &colour)
{
    p.fillPath(path, colour);
}

void fillRect(QPainter &p, const QRectF &rect, const QColor &colour)
{
    p.fillRect(rect, colour);
}

void fillPolygon(QPainter &p, const QPolygonF &polygon, const QColor &colour)
{
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    p.fillPath(path, colour);
}

void ellipse(QPainter &p, const QRectF &rect, const QColor &colour)
{
    QPainterPath path;
    path.addEllipse(rect);
    p.fillPath(path, colour);
}

// A wheel filling the rectangle: tyre, rim and hub, with a white margin that reads as the
// wheel arch where the wheel lies on a dark body.
void wheel(QPainter &p, const QRectF &rect, const QColor &rimColour = rim)
{
    ellipse(p, rect, tyre);
    const QPointF c = rect.center();
    const qreal rx = rect.width() * 0.29;
    const qreal ry = rect.height() * 0.29;
    ellipse(p, QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), rimColour);
    const qreal hx = rect.width() * 0.11;
    const qreal hy = rect.height() * 0.11;
    ellipse(p, QRectF(c.x() - hx, c.y() - hy, 2 * hx, 2 * hy), hub);
}

// A spoked motorbike wheel: thin tyre, light spokes, small hub.
void spokedWheel(QPainter &p, const QRectF &rect)
{
    ellipse(p, rect, tyre);
    const QRectF inner = rect.adjusted(2.2, 2.2, -2.2, -2.2);
    ellipse(p, inner, QColor(235, 235, 235));
    const QPointF c = rect.center();
    QPen pen(steel, 0.8);
    p.setPen(pen);
    for (int i = 0; i < 4; ++i) {
        const qreal a = i * 3.14159265 / 4;
        const QPointF d(inner.width() / 2 * std::cos(a), inner.height() / 2 * std::sin(a));
        p.drawLine(c - d, c + d);
    }
    p.setPen(Qt::NoPen);
    ellipse(p, QRectF(c.x() - 1.6, c.y() - 1.6, 3.2, 3.2), hub);
}

QImage truckWheel()
{
    QImage image = blank(21, 18);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    wheel(p, QRectF(0.5, 0.5, 20, 17));
    return image;
}

QImage unclassifiedWheel()
{
    QImage image = blank(21, 18);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    ellipse(p, QRectF(0.5, 0.5, 20, 17), QColor(110, 110, 110));
    ellipse(p, QRectF(5, 4, 11, 10), QColor(245, 160, 30));
    // a question mark in the hub: the vehicle type is not known
    QPen pen(QColor(40, 40, 40), 1.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    QPainterPath hook;
    hook.moveTo(8.6, 7.2);
    hook.cubicTo(8.6, 4.8, 12.6, 4.8, 12.6, 7.2);
    hook.cubicTo(12.6, 8.8, 10.5, 8.6, 10.5, 10.6);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    ellipse(p, QRectF(9.7, 11.6, 1.7, 1.7), QColor(40, 40, 40));
    return image;
}

// Heavy truck cab, cab-over style: the wheel stands under the cab at x 8..29, y 33..51 of this
// bitmap; the body box joins at the right from the top down to row 33, the chassis below it.
QImage truckHead(const QColor &paint, const QColor &dark, bool bonnet)
{
    QImage image = blank(37, 46);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // chassis rail running into the chassis bar at the right edge
    fillRect(p, QRectF(14, 33, 23, 13), body);
    QPainterPath cab;
    if (bonnet) {
        // light truck: short bonnet in front of a lower cab
        cab.moveTo(0, 20);
        cab.quadTo(0, 17, 3, 17);
        cab.lineTo(11, 16);
        cab.lineTo(16, 3);
        cab.quadTo(17, 1, 19, 1);
        cab.lineTo(34, 1);
        cab.lineTo(34, 40);
        cab.lineTo(0, 40);
        cab.closeSubpath();
    } else {
        cab.moveTo(1, 6);
        cab.quadTo(1, 0, 7, 0);
        cab.lineTo(34, 0);
        cab.lineTo(34, 40);
        cab.lineTo(1, 40);
        cab.closeSubpath();
    }
    fill(p, cab, paint);
    if (bonnet) {
        fillPolygon(p, QPolygonF({{17.5, 4}, {30, 4}, {30, 16}, {13, 16}}), glass);
        fillRect(p, QRectF(12.4, 16, 1.2, 1), glassEdge);
        fillRect(p, QRectF(0, 21, 2.5, 4), lamp);
        fillRect(p, QRectF(22, 18, 1, 18), dark);
    } else {
        fillPolygon(p, QPolygonF({{3.5, 4}, {20, 4}, {20, 18}, {3, 18}}), glass);
        fillRect(p, QRectF(1, 4, 1.5, 14), glassEdge);
        fillRect(p, QRectF(1, 26, 2.5, 4), lamp);
        fillRect(p, QRectF(22, 3, 1, 30), dark);
        fillRect(p, QRectF(5, 21, 15, 1), dark);
    }
    // door handle and front bumper
    fillRect(p, QRectF(24, 20, 4, 1.5), dark);
    fillRect(p, QRectF(0, 33, 9, 7), QColor(50, 50, 50));
    // wheel arch: a white hollow around the wheel position
    ellipse(p, QRectF(5, bonnet ? 34.5 : 30.5, 27, 24), Qt::white);
    // gap between the cab and the body box behind it
    fillRect(p, QRectF(35, 0, 2, 33), Qt::white);
    return image;
}

QImage carTire()
{
    QImage image = blank(15, 14);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    wheel(p, QRectF(0.5, 0.5, 14, 13));
    return image;
}

// Car front: bonnet, windscreen and front door; the roof box joins the right edge (rows 0..23).
// The front wheel covers x 17..32, rows 17..24.
QImage carHead()
{
    QImage image = blank(50, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPainterPath shape;
    shape.moveTo(0, 14);
    shape.quadTo(0, 10, 5, 9.5);
    shape.lineTo(21, 8.5);
    shape.lineTo(32, 1);
    shape.quadTo(34, 0, 37, 0);
    shape.lineTo(50, 0);
    shape.lineTo(50, 25);
    shape.lineTo(1, 25);
    shape.quadTo(0, 25, 0, 23);
    shape.closeSubpath();
    fill(p, shape, body);
    fillPolygon(p, QPolygonF({{24.5, 8.5}, {33, 2.5}, {47, 2.5}, {47, 8.5}}), glass);
    fillRect(p, QRectF(0, 11.5, 3, 2.5), lamp);
    fillRect(p, QRectF(36, 10.5, 3, 1), steel);
    ellipse(p, QRectF(15, 15, 19, 19), Qt::white);
    return image;
}

// Car rear: rear door, rear window and boot; the rear wheel covers x 13..28, rows 17..24.
QImage carBack()
{
    QImage image = blank(41, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPainterPath shape;
    shape.moveTo(0, 0);
    shape.lineTo(14, 0);
    shape.quadTo(17, 0, 19, 2);
    shape.lineTo(27, 8.5);
    shape.lineTo(38, 9.5);
    shape.quadTo(41, 10, 41, 13);
    shape.lineTo(41, 23);
    shape.quadTo(41, 25, 39, 25);
    shape.lineTo(0, 25);
    shape.closeSubpath();
    fill(p, shape, body);
    fillPolygon(p, QPolygonF({{2, 2.5}, {16, 2.5}, {23, 8.5}, {2, 8.5}}), glass);
    fillRect(p, QRectF(38, 11.5, 3, 3), tailLamp);
    fillRect(p, QRectF(4, 10.5, 3, 1), steel);
    ellipse(p, QRectF(11, 15, 19, 19), Qt::white);
    return image;
}

QImage vanTire()
{
    QImage image = blank(18, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    wheel(p, QRectF(0.5, 0.5, 17, 16));
    return image;
}

// Van front: short bonnet, steep windscreen, cab door with window. Roof box joins rows 0..36;
// the front wheel covers x 19..37 from row 28 down.
QImage vanHead()
{
    QImage image = blank(57, 38);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPainterPath shape;
    shape.moveTo(0, 22);
    shape.quadTo(0, 17, 5, 16.5);
    shape.lineTo(13, 15.5);
    shape.lineTo(24, 2);
    shape.quadTo(26, 0, 30, 0);
    shape.lineTo(57, 0);
    shape.lineTo(57, 38);
    shape.lineTo(2, 38);
    shape.quadTo(0, 38, 0, 35);
    shape.closeSubpath();
    fill(p, shape, body);
    fillPolygon(p, QPolygonF({{16, 15.5}, {26, 3.5}, {41, 3.5}, {41, 15.5}}), glass);
    fillPolygon(p, QPolygonF({{44, 3.5}, {55, 3.5}, {55, 15.5}, {44, 15.5}}), glass);
    fillRect(p, QRectF(0, 19, 3, 3.5), lamp);
    fillRect(p, QRectF(35, 18.5, 4, 1.2), steel);
    ellipse(p, QRectF(16.5, 25.5, 23, 22), Qt::white);
    return image;
}

// Van rear: windowed side and the upright rear door; the rear wheel covers x 12..30 from row 28.
QImage vanBack()
{
    QImage image = blank(42, 38);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPainterPath shape;
    shape.moveTo(0, 0);
    shape.lineTo(38, 0);
    shape.quadTo(41, 0, 41, 3);
    shape.lineTo(41, 36);
    shape.quadTo(41, 38, 39, 38);
    shape.lineTo(0, 38);
    shape.closeSubpath();
    fill(p, shape, body);
    fillRect(p, QRectF(2, 3.5, 12, 12), glass);
    fillRect(p, QRectF(17, 3.5, 17, 12), glass);
    fillRect(p, QRectF(39, 22, 2, 5), tailLamp);
    ellipse(p, QRectF(9.5, 25.5, 23, 22), Qt::white);
    return image;
}

QImage busTire()
{
    QImage image = blank(23, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    wheel(p, QRectF(0.5, 0.5, 22, 16));
    return image;
}

// Bus front: upright windscreen, destination sign, front door and the first windows. The body
// box joins rows 0..38; the front wheel covers x 28..51 from row 28.
QImage busHead()
{
    QImage image = blank(79, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPainterPath shape;
    shape.moveTo(0, 5);
    shape.quadTo(0, 0, 5, 0);
    shape.lineTo(79, 0);
    shape.lineTo(79, 40);
    shape.lineTo(2, 40);
    shape.quadTo(0, 40, 0, 37);
    shape.closeSubpath();
    fill(p, shape, body);
    fillRect(p, QRectF(1, 2, 2, 23), glassEdge);
    fillRect(p, QRectF(5, 2, 17, 3), lamp.darker(130));
    // front door: two glass leaves
    fillRect(p, QRectF(6, 7, 6, 28), glass);
    fillRect(p, QRectF(13, 7, 6, 28), glass);
    for (int x = 23; x + 12 <= 79; x += 14) {
        fillRect(p, QRectF(x, 7, 12, 14), glass);
    }
    fillRect(p, QRectF(0, 30, 3, 3), lamp);
    ellipse(p, QRectF(25, 25.5, 29, 22), Qt::white);
    return image;
}

// Bus rear: the last windows, engine grille and tail lamp; the rear wheel covers x 20..43.
QImage busBack()
{
    QImage image = blank(62, 40);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QPainterPath shape;
    shape.moveTo(0, 0);
    shape.lineTo(57, 0);
    shape.quadTo(61, 0, 61, 5);
    shape.lineTo(61, 37);
    shape.quadTo(61, 40, 58, 40);
    shape.lineTo(0, 40);
    shape.closeSubpath();
    fill(p, shape, body);
    for (int x = 2; x + 12 <= 58; x += 14) {
        fillRect(p, QRectF(x, 7, 12, 14), glass);
    }
    for (int x = 47; x <= 57; x += 2) {
        fillRect(p, QRectF(x, 25, 1, 8), steel);
    }
    fillRect(p, QRectF(59, 24, 2, 6), tailLamp);
    ellipse(p, QRectF(17, 25.5, 29, 22), Qt::white);
    return image;
}

// The bellows joint of an articulated bus, drawn over the middle of its body box.
QImage busLink()
{
    QImage image = blank(16, 40);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    fillRect(p, QRectF(0, 0, 16, 40), QColor(45, 45, 45));
    for (int x = 1; x < 16; x += 3) {
        fillRect(p, QRectF(x, 2, 2, 36), QColor(110, 110, 110));
    }
    return image;
}

QImage motorTire()
{
    QImage image = blank(16, 15);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    spokedWheel(p, QRectF(0.5, 0.5, 15, 14));
    return image;
}

// Motorbike front half, a faired touring bike: the front wheel (x 7..23, rows 15..29; it hides
// the wheel item beneath), fork, handlebar, windscreen and the front of the fairing, which the
// body box carries on between the wheels (rows 4..26).
QImage motorHead()
{
    QImage image = blank(30, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    spokedWheel(p, QRectF(7.5, 15.5, 15, 14));
    QPen fork(steel, 1.8);
    fork.setCapStyle(Qt::RoundCap);
    p.setPen(fork);
    p.drawLine(QPointF(15, 22.5), QPointF(19, 9));
    QPen bar(QColor(60, 60, 60), 1.2);
    bar.setCapStyle(Qt::RoundCap);
    p.setPen(bar);
    p.drawLine(QPointF(22, 4.5), QPointF(18, 2));
    p.setPen(Qt::NoPen);
    fillPolygon(p, QPolygonF({{17, 5.5}, {20, 0.5}, {22.5, 0.5}, {22, 5}}), glass);
    QPainterPath fairing;
    fairing.moveTo(9, 14);
    fairing.lineTo(12, 8.5);
    fairing.quadTo(15, 5, 21, 4.5);
    fairing.lineTo(30, 4);
    fairing.lineTo(30, 27);
    fairing.lineTo(25, 27);
    fairing.lineTo(25, 18);
    fairing.quadTo(22, 13.5, 15, 13.8);
    fairing.closeSubpath();
    fill(p, fairing, body);
    ellipse(p, QRectF(10.5, 9, 3.5, 3), lamp);
    // front mudguard
    QPen guard(body, 1.3);
    p.setPen(guard);
    p.drawArc(QRectF(8.5, 15, 13, 12), 40 * 16, 110 * 16);
    return image;
}

// Motorbike rear half: seat, tail with its lamp, swing arm, exhaust and the rear wheel
// (x 7..23, rows 15..29). The left edge carries the fairing on (rows 4..26).
QImage motorBack()
{
    QImage image = blank(31, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    spokedWheel(p, QRectF(7.5, 15.5, 15, 14));
    QPen arm(QColor(60, 60, 60), 1.8);
    arm.setCapStyle(Qt::RoundCap);
    p.setPen(arm);
    p.drawLine(QPointF(4, 20), QPointF(15, 22.5));
    p.setPen(Qt::NoPen);
    QPainterPath tail;
    tail.moveTo(0, 4);
    tail.lineTo(21, 4.5);
    tail.quadTo(27, 5, 30, 7);
    tail.lineTo(27.5, 9.5);
    tail.lineTo(19, 12);
    tail.lineTo(9, 13.5);
    tail.quadTo(6.5, 15, 6.5, 18);
    tail.lineTo(6.5, 27);
    tail.lineTo(0, 27);
    tail.closeSubpath();
    fill(p, tail, body);
    fillPolygon(p, QPolygonF({{2, 4}, {17, 4.4}, {15, 2}, {4, 2}}), QColor(70, 70, 70));
    fillRect(p, QRectF(27.5, 6.5, 3, 2.5), tailLamp);
    QPen exhaust(steel, 2);
    exhaust.setCapStyle(Qt::RoundCap);
    p.setPen(exhaust);
    p.drawLine(QPointF(6, 19.5), QPointF(27, 16.5));
    return image;
}

QImage tractorTire()
{
    QImage image = blank(14, 14);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    wheel(p, QRectF(0.5, 0.5, 13, 13));
    return image;
}

// Tractor unit cab, cab-over: the front wheel (x 7..21, rows 32..46) is part of the picture since
// the cab lies over the wheel item; the body box joins rows 15..32 at the right.
QImage tractorHead()
{
    QImage image = blank(28, 46);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    fillRect(p, QRectF(20, 15, 8, 19), body);
    QPainterPath cab;
    cab.moveTo(1, 5);
    cab.quadTo(1, 0, 6, 0);
    cab.lineTo(25, 0);
    cab.lineTo(25, 36);
    cab.lineTo(1, 36);
    cab.closeSubpath();
    fill(p, cab, tractorGreen);
    fillPolygon(p, QPolygonF({{3.5, 4}, {17, 4}, {17, 16}, {3, 16}}), glass);
    fillRect(p, QRectF(1, 4, 1.5, 12), glassEdge);
    fillRect(p, QRectF(19, 3, 1, 29), tractorGreenDark);
    fillRect(p, QRectF(21, 18, 3, 1.5), tractorGreenDark);
    fillRect(p, QRectF(1, 24, 2.5, 4), lamp);
    fillRect(p, QRectF(0, 30, 8, 6), QColor(50, 50, 50));
    ellipse(p, QRectF(5, 30, 18, 18), Qt::white);
    wheel(p, QRectF(7.5, 32.5, 13, 13));
    return image;
}

// Tractor unit rear: chassis rails, fifth-wheel coupling, mudguard and the rear wheel
// (x 9..23, rows 32..46). The upper part stays white: a semi-trailer body covers it.
QImage tractorBack()
{
    QImage image = blank(33, 46);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    fillRect(p, QRectF(0, 15, 6, 19), body);
    fillRect(p, QRectF(0, 19, 33, 13), body);
    fillRect(p, QRectF(8, 16.5, 18, 2.5), steel);
    fillRect(p, QRectF(14, 14.5, 6, 2), steel);
    fillRect(p, QRectF(31, 21, 2, 4), tailLamp);
    ellipse(p, QRectF(7, 30, 18, 18), Qt::white);
    QPen guard(QColor(60, 60, 60), 1.5);
    p.setPen(guard);
    p.drawArc(QRectF(6.5, 29.5, 19, 18), 20 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    wheel(p, QRectF(9.5, 32.5, 13, 13));
    return image;
}

void putLe(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes.append(char((value >> (8 * i)) & 0xff));
    }
}

// Writes an 8-bit palette BMP by hand: Qt's writer picks 4 or 1 bits per pixel for images with
// few colours. The palette holds the painted colours, so nothing is dithered.
bool writeIndexed(const QImage &image, const QString &path)
{
    QVector<QRgb> table;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y) | 0xff000000u;
            if (!table.contains(colour)) {
                table.append(colour);
            }
        }
    }
    const QImage indexed = table.size() <= 256
        ? image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither)
        : image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    const QVector<QRgb> palette = indexed.colorTable();
    const quint32 rowBytes = (quint32(indexed.width()) + 3) / 4 * 4;
    const quint32 paletteBytes = 256 * 4;
    const quint32 dataOffset = 14 + 40 + paletteBytes;
    const quint32 dataBytes = rowBytes * quint32(indexed.height());

    QByteArray bytes;
    bytes.append("BM");
    putLe(bytes, dataOffset + dataBytes, 4);
    putLe(bytes, 0, 4);
    putLe(bytes, dataOffset, 4);
    putLe(bytes, 40, 4);
    putLe(bytes, quint32(indexed.width()), 4);
    putLe(bytes, quint32(indexed.height()), 4); // positive: rows stored bottom-up
    putLe(bytes, 1, 2);
    putLe(bytes, 8, 2);
    putLe(bytes, 0, 4); // no compression
    putLe(bytes, dataBytes, 4);
    putLe(bytes, 2835, 4); // 72 dpi
    putLe(bytes, 2835, 4);
    putLe(bytes, 256, 4);
    putLe(bytes, 0, 4);
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < palette.size() ? palette.at(i) : qRgb(0, 0, 0);
        bytes.append(char(qBlue(colour)));
        bytes.append(char(qGreen(colour)));
        bytes.append(char(qRed(colour)));
        bytes.append(char(0));
    }
    for (int y = indexed.height() - 1; y >= 0; --y) {
        const uchar *line = indexed.constScanLine(y);
        bytes.append(reinterpret_cast<const char *>(line), indexed.width());
        bytes.append(QByteArray(int(rowBytes) - indexed.width(), '\0'));
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writeTrueColour(const QImage &image, const QString &path)
{
    return image.convertToFormat(QImage::Format_RGB32).save(path, "BMP");
}

} // namespace

int main(int argc, char *argv[])
{
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res/bmps");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    struct Bitmap
    {
        const char *name;
        QImage image;
        bool indexed;
    };
    const QVector<Bitmap> bitmaps = {
        {"TruckWheel1", truckWheel(), true},
        {"TruckHead1", truckHead(truckRed, truckRedDark, false), true},
        {"LightTruckHead", truckHead(lightBlue, lightBlueDark, true), true},
        {"CarTireS", carTire(), true},
        {"CarHeadS1", carHead(), true},
        {"CarBackS1", carBack(), true},
        {"VanTire", vanTire(), false},
        {"VanHead", vanHead(), false},
        {"VanBack", vanBack(), false},
        {"BusTire", busTire(), true},
        {"BusHead", busHead(), true},
        {"BusBack", busBack(), true},
        {"BusLink", busLink(), true},
        {"MotorTire2", motorTire(), false},
        {"MotorHead2", motorHead(), false},
        {"MotorBack2", motorBack(), false},
        {"UnclassifiedWheel", unclassifiedWheel(), true},
        {"TractorTire", tractorTire(), false},
        {"TractorHead", tractorHead(), false},
        {"TractorBack", tractorBack(), false},
    };
    int failures = 0;
    for (const Bitmap &bitmap : bitmaps) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(bitmap.name) + ".bmp");
        const bool written = bitmap.indexed ? writeIndexed(bitmap.image, path)
                                            : writeTrueColour(bitmap.image, path);
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
