// The window map: the spacing windows of one axle count, one lane per gap, as bars on an axis.
#include "windowmap.h"
#include "boundstable.h"

#include <QHash>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QtNumeric>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor plainColour(70, 130, 180);
const QColor overlappingColour(232, 150, 20);
const QColor ambiguousColour(214, 39, 40);
const QColor boundColour(90, 90, 90);
const QColor vehicleColour(20, 20, 20);

QColor colourOf(WindowMap::Tone tone)
{
    switch (tone) {
    case WindowMap::Tone::Overlapping:
        return overlappingColour;
    case WindowMap::Tone::Ambiguous:
        return ambiguousColour;
    case WindowMap::Tone::NotTakingPart:
        return Qt::gray;
    case WindowMap::Tone::Plain:
        break;
    }
    return plainColour;
}

// A step of 1, 2 or 5 times a power of ten that puts about `count` ticks over `span`.
double tickStep(double span, int count)
{
    const double raw = span / std::max(count, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * power) {
            return factor * power;
        }
    }
    return 10 * power;
}

bool overlapsEveryGap(const SubclassBounds &a, const SubclassBounds &b)
{
    if (a.mins.size() != b.mins.size()) {
        return false;
    }
    for (int i = 0; i < a.mins.size(); ++i) {
        if (!(a.mins.at(i) <= b.maxs.at(i) && b.mins.at(i) <= a.maxs.at(i))) {
            return false;
        }
    }
    return true;
}

bool drawable(const SubclassBounds &row)
{
    for (int i = 0; i < row.mins.size(); ++i) {
        if (!qIsFinite(row.mins.at(i)) || !qIsFinite(row.maxs.at(i))) {
            return false;
        }
    }
    return true;
}

} // namespace

WindowMap::WindowMap(const BoundsTable &table, QWidget *parent)
    : QWidget(parent)
    , table(table)
{
    setMouseTracking(false);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void WindowMap::setSelected(int number)
{
    selected = number;
    tableChanged();
}

void WindowMap::setUnits(const DisplayUnits &shown)
{
    units = shown;
    update();
}

void WindowMap::setVehicle(const QVector<float> &gaps)
{
    vehicle = gaps;
    update();
}

void WindowMap::tableChanged()
{
    dirty = true;
    // Laid out at once when shown, since the height it needs follows from it; otherwise when
    // it is next shown.
    if (isVisible()) {
        layOut();
    }
    update();
}

void WindowMap::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The legend may need another line at another width, and so the map another height.
    legend(&legendSpace);
    const int height = sizeHint().height();
    if (height != minimumHeight()) {
        setMinimumHeight(height);
    }
}

void WindowMap::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (dirty) {
        layOut();
    }
}

void WindowMap::ensureLaidOut() const
{
    if (dirty) {
        const_cast<WindowMap *>(this)->layOut();
    }
}

void WindowMap::layOut()
{
    dirty = false;
    rows.clear();
    axles = 0;
    gaps = 0;
    const int selectedRow = selected >= 0 ? table.row_of(quint16(selected)) : -1;
    if (selectedRow < 0) {
        hintText = tr("Select a subclass to see the spacing windows of its number of axles.");
    } else if (table.rows().at(selectedRow).axles < 2
        || table.rows().at(selectedRow).axles > FileFormat::MaxAxles) {
        hintText = tr("Subclass %1 has no valid number of axles.").arg(selected);
    } else {
        hintText.clear();
        const SubclassBounds &chosen = table.rows().at(selectedRow);
        axles = chosen.axles;
        gaps = axles - 1;
        const QVector<SubclassBounds> &all = table.rows();
        for (int r = 0; r < all.size(); ++r) {
            const SubclassBounds &s = all.at(r);
            const bool isSelected = r == selectedRow;
            // The selected subclass shows even when it does not take part, so that the one
            // being edited never vanishes; its bar is then only an outline.
            if (s.axles != axles || !(s.takesPart || (isSelected && drawable(s)))) {
                continue;
            }
            Row row;
            row.tableRow = r;
            row.selected = isSelected;
            row.tone = !s.takesPart ? Tone::NotTakingPart
                : isSelected || !chosen.takesPart || !overlapsEveryGap(s, chosen) ? Tone::Plain
                : s.category == chosen.category ? Tone::Overlapping
                                                : Tone::Ambiguous;
            rows.append(row);
        }
    }
    // The range drawn: every bar and the header's bounds, with a little room on either side.
    low = std::numeric_limits<float>::max();
    high = std::numeric_limits<float>::lowest();
    for (const Row &row : qAsConst(rows)) {
        const SubclassBounds &s = table.rows().at(row.tableRow);
        for (int i = 0; i < gaps; ++i) {
            low = std::min({low, s.mins.at(i), s.maxs.at(i)});
            high = std::max({high, s.mins.at(i), s.maxs.at(i)});
        }
    }
    for (const float bound : {table.header_min(), table.header_max()}) {
        if (!table.header_unusable() && qIsFinite(bound) && !rows.isEmpty()) {
            low = std::min(low, bound);
            high = std::max(high, bound);
        }
    }
    if (!(low < high)) {
        const float middle = rows.isEmpty() ? 1 : low;
        low = middle - 0.5f;
        high = middle + 0.5f;
    }
    const float margin = (high - low) * 0.04f;
    low = std::max(0.0f, low - margin);
    high += margin;

    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // The widest label without making each one: thousands of rows are laid out per keystroke,
    // and only those on screen are drawn.
    int digit = 0;
    for (char c = '0'; c <= '9'; ++c) {
        digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    }
    QHash<QString, int> categoryWidths;
    labelWidth = 0;
    for (const Row &row : qAsConst(rows)) {
        const SubclassBounds &s = table.rows().at(row.tableRow);
        auto width = categoryWidths.find(s.category);
        if (width == categoryWidths.end()) {
            width = categoryWidths.insert(
                s.category, metrics.horizontalAdvance(labelOf(0, s.category)));
        }
        labelWidth = std::max(labelWidth, *width + digit * int(QString::number(s.number).size()));
    }
    legend(&legendSpace);
    setMinimumHeight(sizeHint().height());
    updateGeometry();
}

QString WindowMap::labelOf(int number, const QString &category) const
{
    // With no number, the text around it.
    const QString shownNumber = number > 0 ? QString::number(number) : QString();
    return tr("%1 · cat. %2").arg(shownNumber, category.left(12));
}

int WindowMap::rowHeight() const
{
    return fontMetrics().height() + 6;
}

int WindowMap::laneTitleHeight() const
{
    return fontMetrics().height() + 10;
}

int WindowMap::axisHeight() const
{
    return fontMetrics().height() + 12;
}

QVector<WindowMap::LegendEntry> WindowMap::legend(int *height) const
{
    const QFontMetrics metrics = fontMetrics();
    const double swatch = metrics.height() - 4;
    const double space = metrics.averageCharWidth();
    const double line = metrics.height() + 6;
    const struct
    {
        QColor colour;
        QString text;
    } entries[]
        = {{plainColour, tr("window")}, {overlappingColour, tr("overlaps the selected one")},
            {ambiguousColour, tr("the same, another category")},
            {QColor(), tr("header's min. and max. axle distance")}};
    // Entries flow on as many lines as the width needs.
    QVector<LegendEntry> placed;
    double x = space;
    double y = 6;
    for (const auto &entry : entries) {
        const double needed = swatch * 1.6 + space / 2 + metrics.horizontalAdvance(entry.text);
        if (x > space && x + needed > width() - space) {
            x = space;
            y += line;
        }
        placed.append({QRectF(x, y, swatch * 1.6, swatch), entry.colour, entry.text,
            QPointF(x + swatch * 1.6 + space / 2, y + metrics.ascent() - 2)});
        x += needed + 2 * space;
    }
    if (height) {
        *height = int(y + line);
    }
    return placed;
}

int WindowMap::legendHeight() const
{
    return legendSpace;
}

int WindowMap::laneHeight() const
{
    return laneTitleHeight() + rows.size() * rowHeight() + axisHeight();
}

int WindowMap::laneTop(int gap) const
{
    return legendHeight() + gap * laneHeight();
}

double WindowMap::plotLeft() const
{
    return labelWidth + 2.0 * fontMetrics().averageCharWidth();
}

double WindowMap::plotRight() const
{
    return width() - 3.0 * fontMetrics().averageCharWidth();
}

double WindowMap::xOf(float metres) const
{
    const double span = double(high) - double(low);
    return plotLeft() + (double(metres) - low) / span * (plotRight() - plotLeft());
}

QRectF WindowMap::barRect(int gap, int row) const
{
    const SubclassBounds &s = table.rows().at(rows.at(row).tableRow);
    const double top = laneTop(gap) + laneTitleHeight() + row * rowHeight() + 2;
    double left = xOf(s.mins.at(gap));
    double right = xOf(s.maxs.at(gap));
    if (right < left) {
        std::swap(left, right);
    }
    // A window of no width still shows.
    if (right - left < 3) {
        const double middle = (left + right) / 2;
        left = middle - 1.5;
        right = middle + 1.5;
    }
    return QRectF(left, top, right - left, rowHeight() - 4);
}

QVector<WindowMap::Bar> WindowMap::bars() const
{
    ensureLaidOut();
    QVector<Bar> all;
    for (int gap = 0; gap < gaps; ++gap) {
        for (int r = 0; r < rows.size(); ++r) {
            all.append({table.rows().at(rows.at(r).tableRow).number, gap, barRect(gap, r),
                rows.at(r).tone, rows.at(r).selected});
        }
    }
    return all;
}

QVector<QPointF> WindowMap::vehiclePoints() const
{
    ensureLaidOut();
    QVector<QPointF> points;
    if (vehicle.size() != gaps) {
        return points;
    }
    for (int gap = 0; gap < gaps; ++gap) {
        points.append(QPointF(xOf(vehicle.at(gap)),
            laneTop(gap) + laneTitleHeight() + rows.size() * rowHeight() + 3));
    }
    return points;
}

QString WindowMap::hint() const
{
    ensureLaidOut();
    return hintText;
}

QSize WindowMap::sizeHint() const
{
    const int height
        = hintText.isEmpty() && gaps > 0 ? legendHeight() + gaps * laneHeight() : 4 * rowHeight();
    return QSize(40 * fontMetrics().averageCharWidth(), height);
}

QSize WindowMap::minimumSizeHint() const
{
    return QSize(24 * fontMetrics().averageCharWidth(), sizeHint().height());
}

int WindowMap::rowAt(const QPoint &point, int *gap) const
{
    ensureLaidOut();
    if (gaps == 0 || point.y() < legendHeight()) {
        return -1;
    }
    *gap = (point.y() - legendHeight()) / laneHeight();
    const int y = point.y() - laneTop(*gap) - laneTitleHeight();
    if (*gap >= gaps || y < 0 || y / rowHeight() >= rows.size()) {
        return -1;
    }
    const int row = y / rowHeight();
    const bool onLabel = point.x() < plotLeft();
    return onLabel || barRect(*gap, row).adjusted(-2, -2, 2, 2).contains(point) ? row : -1;
}

QString WindowMap::tipFor(int row, int gap) const
{
    const SubclassBounds &s = table.rows().at(rows.at(row).tableRow);
    QString tip = tr("Subclass %1 (category %2)\nGap %3: %4 to %5 %6")
                      .arg(s.number)
                      .arg(s.category.left(AnalysisTexts::longestShownText))
                      .arg(gap + 1)
                      .arg(AnalysisTexts::length_text(s.mins.at(gap), units),
                          AnalysisTexts::length_text(s.maxs.at(gap), units), units.length);
    switch (rows.at(row).tone) {
    case Tone::Overlapping:
        tip += tr("\nOverlaps subclass %1 in every gap").arg(selected);
        break;
    case Tone::Ambiguous:
        tip += tr("\nOverlaps subclass %1 in every gap, in another category").arg(selected);
        break;
    case Tone::NotTakingPart:
        tip += tr("\nNot taking part: it is in the invalid list");
        break;
    case Tone::Plain:
        break;
    }
    return tip;
}

bool WindowMap::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        int gap = 0;
        const int row = rowAt(help->pos(), &gap);
        if (row >= 0) {
            QToolTip::showText(help->globalPos(), tipFor(row, gap), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void WindowMap::mousePressEvent(QMouseEvent *event)
{
    int gap = 0;
    const int row = event->button() == Qt::LeftButton ? rowAt(event->pos(), &gap) : -1;
    if (row >= 0) {
        emit subclassClicked(table.rows().at(rows.at(row).tableRow).number);
        return;
    }
    QWidget::mousePressEvent(event);
}

void WindowMap::paintEvent(QPaintEvent *event)
{
    ensureLaidOut();
    QPainter painter(this);
    if (!hintText.isEmpty() || gaps == 0) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(rect().adjusted(8, 8, -8, -8),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, hintText);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (event->rect().top() < legendHeight()) {
        paintLegend(painter);
    }
    for (int gap = 0; gap < gaps; ++gap) {
        const QRect lane(0, laneTop(gap), width(), laneHeight());
        if (lane.intersects(event->rect())) {
            paintLane(painter, gap, event->rect());
        }
    }
}

void WindowMap::paintLegend(QPainter &painter) const
{
    for (const LegendEntry &entry : legend(nullptr)) {
        if (entry.colour.isValid()) {
            painter.fillRect(entry.swatch, entry.colour);
        } else {
            painter.setPen(QPen(boundColour, 1, Qt::DashLine));
            const double x = entry.swatch.center().x();
            painter.drawLine(QPointF(x, entry.swatch.top()), QPointF(x, entry.swatch.bottom()));
        }
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(entry.textAt, entry.text);
    }
}

void WindowMap::paintLane(QPainter &painter, int gap, const QRect &exposed) const
{
    const QFontMetrics metrics = fontMetrics();
    QFont bold = font();
    bold.setBold(true);
    const QColor text = palette().color(QPalette::Text);
    const int top = laneTop(gap);
    const int rowsTop = top + laneTitleHeight();
    const int rowsBottom = rowsTop + rows.size() * rowHeight();

    painter.setFont(bold);
    painter.setPen(text);
    painter.drawText(QRectF(metrics.averageCharWidth(), top + 2, width(), laneTitleHeight() - 2),
        Qt::AlignLeft | Qt::AlignVCenter,
        tr("Gap %1 (axles %2–%3), %4 subclasses")
            .arg(gap + 1)
            .arg(gap + 1)
            .arg(gap + 2)
            .arg(rows.size()));

    // Only the rows the exposed area holds: a lane may hold thousands.
    const int first = std::max(0, (exposed.top() - rowsTop) / rowHeight());
    const int last = std::min(int(rows.size()) - 1, (exposed.bottom() - rowsTop) / rowHeight());
    const QColor stripe = palette().color(QPalette::AlternateBase);
    for (int r = first; r <= last; ++r) {
        const Row &row = rows.at(r);
        const int y = rowsTop + r * rowHeight();
        if (r % 2 == 1) {
            painter.fillRect(QRect(0, y, width(), rowHeight()), stripe);
        }
        painter.setFont(row.selected ? bold : font());
        painter.setPen(row.tone == Tone::Plain || row.tone == Tone::NotTakingPart
                ? text
                : colourOf(row.tone).darker(130));
        painter.drawText(QRectF(metrics.averageCharWidth(), y, labelWidth + 1, rowHeight()),
            Qt::AlignRight | Qt::AlignVCenter,
            labelOf(table.rows().at(row.tableRow).number, table.rows().at(row.tableRow).category));
        const QRectF bar = barRect(gap, r);
        if (row.tone == Tone::NotTakingPart) {
            painter.setPen(
                QPen(colourOf(row.tone).darker(150), row.selected ? 2 : 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.setPen(row.selected ? QPen(text, 2) : QPen(colourOf(row.tone).darker(140), 1));
            painter.setBrush(colourOf(row.tone));
        }
        painter.drawRect(bar);
    }
    painter.setFont(font());

    // The header's bounds across the lane.
    if (!table.header_unusable()) {
        painter.setPen(QPen(boundColour, 1, Qt::DashLine));
        for (const float bound : {table.header_min(), table.header_max()}) {
            if (qIsFinite(bound) && bound >= low && bound <= high) {
                const double x = xOf(bound);
                painter.drawLine(QPointF(x, rowsTop - 2), QPointF(x, rowsBottom + 2));
            }
        }
    }

    // The axis and its ticks, in the display unit.
    const double axisY = rowsBottom + 3;
    painter.setPen(text);
    painter.drawLine(QPointF(plotLeft(), axisY), QPointF(plotRight(), axisY));
    const double factor = units.lengthFactor;
    const double from = low / factor;
    const double to = high / factor;
    const double tickWidth = metrics.horizontalAdvance(QStringLiteral("0000")) * 1.5;
    const double step = tickStep(to - from, int((plotRight() - plotLeft()) / tickWidth));
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    for (double tick = std::ceil(from / step) * step; tick <= to + step * 1e-6; tick += step) {
        const double x = xOf(float(tick * factor));
        painter.drawLine(QPointF(x, axisY), QPointF(x, axisY + 4));
        const QString label = QString::number(tick, 'f', decimals);
        const double w = metrics.horizontalAdvance(label);
        painter.drawText(QPointF(x - w / 2, axisY + 4 + metrics.ascent()), label);
    }
    painter.drawText(
        QPointF(plotRight() + metrics.averageCharWidth() / 2.0, axisY + metrics.ascent() / 2.0),
        units.length);

    // A recorded vehicle's gap: a line through the lane and a point on the axis.
    if (vehicle.size() == gaps) {
        const double x = xOf(vehicle.at(gap));
        painter.setPen(QPen(vehicleColour, 1, Qt::DotLine));
        painter.drawLine(QPointF(x, rowsTop), QPointF(x, axisY));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(vehicleColour);
        const double radius = metrics.height() / 4.0;
        painter.drawEllipse(QPointF(x, axisY), radius, radius);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
}
