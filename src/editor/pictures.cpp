// The two pictures of the selected subclass: drawn at its minimum and at its maximum distances.
#include "veltora.h"
#include "ui_veltora.h"

#include "subclass.h"
#include "vehicledrawing.h"

#include <QDebug>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLineEdit>

void Veltora::drawVehicles(const Subclass &subclass)
{
    if (!subclass.can_draw()) {
        clearImage();
        return;
    }
    qDebug() << "Can draw";
    // The field shows the append length in the display unit; the drawing scales metres, so
    // the picture stays the same whatever unit is shown.
    const float append = editToStoredText(ui->lineEditAppend, false).toFloat();
    VehicleDrawing minimum(ui->graphicsViewMin, false, append);
    VehicleDrawing maximum(ui->graphicsViewMax, true, append);
    minimum.draw(subclass);
    maximum.draw(subclass);
}

void Veltora::clearImage()
{
    QGraphicsScene *minimum = ui->graphicsViewMin->scene();
    if (!minimum) {
        return;
    }
    qDebug() << "Clearing image";
    minimum->clear();
    if (QGraphicsScene *maximum = ui->graphicsViewMax->scene()) {
        maximum->clear();
    }
}
