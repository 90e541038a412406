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
    // The drawing takes the subclass's own append length, kept in metres, so the picture stays
    // the same whatever unit the fields show.
    VehicleDrawing::drawInto(ui->graphicsViewMin, subclass, DistancePass::Minimum);
    VehicleDrawing::drawInto(ui->graphicsViewMax, subclass, DistancePass::Maximum);
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
