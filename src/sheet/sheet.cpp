// The classification sheet as a PDF file or on a printer: the layout painted page by page.
#include "sheet.h"
#include "appidentity.h"
#include "conf.h"
#include "sheetlayout.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <QSaveFile>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ClassificationSheet", text);
}

void paintPage(QPainter &painter, const SheetLayout &layout, int page)
{
    // Rules about a tenth of a millimetre wide, whatever the device's resolution.
    const qreal hairline = layout.pageArea().width() / 2000;
    for (const SheetItem &item : layout.items(page)) {
        switch (item.kind) {
        case SheetItem::Text: {
            const QFont &font = layout.font(item.font);
            painter.setFont(font);
            painter.setPen(item.font == SheetItem::Label ? QColor(80, 80, 80) : QColor(Qt::black));
            painter.drawText(
                QPointF(item.rect.left(), item.rect.top() + QFontMetricsF(font).ascent()),
                item.text);
            break;
        }
        case SheetItem::Line:
            painter.setPen(QPen(QColor(160, 160, 160), hairline));
            painter.drawLine(item.rect.topLeft(), item.rect.topRight());
            break;
        case SheetItem::Picture:
            // Built again for each row and dropped at once: nothing grows with the rows. The
            // bitmaps are the same pixmaps in every scene, so a PDF holds each only once.
            if (const auto scene = layout.picture(item.subclass)) {
                scene->render(&painter, item.rect, layout.pictureSource(), Qt::IgnoreAspectRatio);
            }
            break;
        }
    }
}

// Paints the pages `first` to `last` (from 0); the device's pages follow one another by
// newPage.
template <typename Device>
bool paintSheet(const SheetLayout &layout, Device *device, int first, int last)
{
    QPainter painter;
    if (!painter.begin(device)) {
        return false;
    }
    // Pixel art stays sharp and exact: no smoothing, and no lossy compression of the bitmaps.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
#if QT_VERSION >= QT_VERSION_CHECK(5, 13, 0)
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
#endif
    for (int page = first; page <= last; ++page) {
        if (page > first && !device->newPage()) {
            return false;
        }
        paintPage(painter, layout, page);
    }
    return painter.end();
}

} // namespace

bool writeSheetPdf(
    const Conf &conf, const SheetOptions &options, const QString &path, QString *error)
{
    // No direct-write fallback: a sheet half written over an old one would pass for complete.
    QSaveFile file(path);
    const auto fail = [&](const QString &reason) {
        file.cancelWriting();
        if (error) {
            *error = reason;
        }
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    {
        QPdfWriter writer(&file);
        SheetLayout::setUpPdf(writer, options);
        writer.setCreator(QStringLiteral("%1 %2").arg(QLatin1String(AppIdentity::applicationName),
            QLatin1String(AppIdentity::applicationVersion)));
        writer.setTitle(tr("Classification sheet %1").arg(options.fileName));
        const SheetLayout layout(conf, options, &writer);
        if (!paintSheet(layout, &writer, 0, layout.pages().size() - 1)) {
            return fail(file.error() != QFileDevice::NoError ? file.errorString()
                                                             : tr("the PDF could not be made"));
        }
    }
    if (file.error() != QFileDevice::NoError) {
        return fail(file.errorString());
    }
    if (!file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

bool printSheet(const Conf &conf, const SheetOptions &options, QPrinter *printer, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error) {
            *error = reason;
        }
        return false;
    };
    if (!printer || !printer->isValid()) {
        return fail(tr("the printer is not available"));
    }
    const SheetLayout layout(conf, options, printer);
    const int pages = layout.pages().size();
    // The pages the print dialog's range names (from 1; 0 for all), the footers still counting
    // every page of the sheet.
    int first = 1;
    int last = pages;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        first = printer->fromPage();
        last = printer->toPage() > 0 ? qMin(printer->toPage(), pages) : pages;
    }
    if (first > last) {
        return fail(tr("the sheet has %1 pages; page %2 is not one of them").arg(pages).arg(first));
    }
    if (!paintSheet(layout, printer, first - 1, last - 1)) {
        return fail(tr("the printer could not print the pages"));
    }
    return true;
}
