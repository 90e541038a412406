#pragma once

#include "analysistexts.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>
#include <QWidget>

class BoundsTable;

// The spacing windows of every taking-part subclass with the selected subclass's number of
// axles, drawn one lane per gap: a bar per subclass from its minimum to its maximum distance,
// on an axis in the display length unit, with the header's bounds as vertical lines. Bars of
// subclasses that overlap the selected one in every gap are drawn in a warning colour, red when
// their category differs. Drawn from the live bounds table, so it follows every edit. Owned by
// the analysis panel.
class WindowMap : public QWidget
{
    Q_OBJECT

public:
    WindowMap(const BoundsTable &table, QWidget *parent);

    enum class Tone { Plain, Overlapping, Ambiguous, NotTakingPart };
    // A bar as drawn, in the widget's coordinates.
    struct Bar
    {
        quint16 number = 0;
        int gap = 0;
        QRectF rect;
        Tone tone = Tone::Plain;
        bool selected = false;
    };

    // -1: none selected.
    void setSelected(int number);
    void setUnits(const DisplayUnits &units);
    // Marks a recorded vehicle's gaps on the lanes when it has the axles shown; no gaps, no marks.
    void setVehicle(const QVector<float> &gaps);
    // The table changed: what is drawn is worked out again.
    void tableChanged();

    QVector<Bar> bars() const;
    // Where the vehicle's gaps are marked, one point per lane.
    QVector<QPointF> vehiclePoints() const;
    // What the map says instead of lanes (nothing selected, no valid axle count), or empty.
    QString hint() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void subclassClicked(quint16 number);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Row
    {
        int tableRow = 0;
        Tone tone = Tone::Plain;
        bool selected = false;
    };

    struct LegendEntry
    {
        QRectF swatch;
        QColor colour; // invalid: the header's bounds, drawn as a dashed line
        QString text;
        QPointF textAt;
    };
    // The legend laid out for the current width, and the height it takes.
    QVector<LegendEntry> legend(int *height) const;

    void layOut();
    void ensureLaidOut() const;
    // "12 · cat. 3"; with number 0 the text without it, to measure labels by their category.
    QString labelOf(int number, const QString &category) const;
    // Geometry, in logical pixels from the font, so that any scale looks alike.
    int rowHeight() const;
    int laneTitleHeight() const;
    int axisHeight() const;
    int legendHeight() const;
    int laneHeight() const;
    int laneTop(int gap) const;
    double plotLeft() const;
    double plotRight() const;
    double xOf(float metres) const;
    QRectF barRect(int gap, int row) const;
    // The subclass under a point: its bar or its label; -1 for none.
    int rowAt(const QPoint &point, int *gap) const;
    QString tipFor(int row, int gap) const;
    void paintLane(QPainter &painter, int gap, const QRect &exposed) const;
    void paintLegend(QPainter &painter) const;

    const BoundsTable &table;
    DisplayUnits units;
    int selected = -1;
    QVector<float> vehicle;
    bool dirty = true;

    // Worked out by layOut: the subclasses shown, the axle count and the range drawn.
    QVector<Row> rows;
    int axles = 0;
    int gaps = 0;
    QString hintText;
    float low = 0;
    float high = 1;
    int labelWidth = 0;
    int legendSpace = 0;
};
