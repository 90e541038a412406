// The classification sheet's layout: its columns, the one picture scale, the rows grouped by
// category, the closing list and the pages they fall on, and the items of each page.
#include "sheetlayout.h"
#include "appidentity.h"
#include "conf.h"
#include "printable.h"
#include "vehicledrawing.h"
#include "windowtable.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QHash>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPdfWriter>
#include <QSize>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ClassificationSheet", text);
}

// The editor's views are this high: the sheet's vehicles stand on the same lines as on screen.
constexpr int pictureHeight = 90;
// Longest text of the file shown in one place; a cell elides it further to its width.
constexpr int longestText = 80;
// A picture pixel is at most this wide on paper, so that a sheet of small vehicles is no
// poster; the scale is the largest whole number of device pixels within it.
constexpr qreal largestPixelMm = 0.2;
// The share of the width the pictures may take before the columns beside them get too narrow.
constexpr qreal pictureShare = 0.38;

constexpr qreal marginMm = 12;
constexpr qreal gapMm = 2.5; // between columns and between cells
constexpr qreal padMm = 1.2; // above and below a row's contents
constexpr qreal detailsLeastMm = 62; // the details column is never narrower

enum Detail { Gaps, Axles, Constraints, Gvw, Details };

QString dash()
{
    return QStringLiteral("\u2014");
}

QString fileText(const QString &text)
{
    return text.isEmpty() ? dash() : printable(text, longestText);
}

// A stored value in the display unit with two decimals, as the editor's fields show it.
QString shown(const QString &stored, float factor)
{
    if (stored.isEmpty()) {
        return dash();
    }
    bool ok = false;
    const float value = stored.toFloat(&ok);
    if (!ok) {
        return QLatin1Char('"') + printable(stored, longestText) + QLatin1Char('"');
    }
    return QString::number(double(value / factor), 'f', 2);
}

} // namespace

struct SheetLayout::RowTexts
{
    QString number;
    QString category;
    QString configuration;
    QString axles;
    QStringList cells[Details];
};

SheetLayout::SheetLayout(const Conf &conf, const SheetOptions &options, QPaintDevice *device)
    : conf(conf)
    , options(options)
    , units(conf, options)
{
    if (!this->options.printed.isValid()) {
        this->options.printed = QDateTime::currentDateTime();
    }
    dpi = device->logicalDpiY() > 0 ? device->logicalDpiY() : 1200;
    area = QRectF(0, 0, device->width(), device->height());
    QFont base(QStringLiteral("DejaVu Sans"));
    const struct
    {
        qreal points;
        bool bold;
    } kinds[] = {{8, false}, {8, true}, {7, false}, {10.5, true}, {15, true}};
    for (int i = 0; i <= SheetItem::Title; ++i) {
        QFont font = base;
        font.setPointSizeF(kinds[i].points);
        font.setBold(kinds[i].bold);
        // Without ligatures a reader of the PDF finds and copies the words as they are spelt.
        font.setStyleStrategy(QFont::PreferNoShaping);
        fonts[i] = QFont(font, device);
    }

    // The rows: every subclass not in the invalid list, grouped by category in the order the
    // analysis knows them (the order of first appearance), blank categories last.
    const QVector<quint16> invalid = conf.get_invalid_subclasses();
    QVector<quint16> rows;
    auto next = invalid.constBegin();
    for (const quint16 number : conf.get_subclass_numbers()) {
        if (next != invalid.constEnd() && *next == number) {
            ++next;
        } else {
            rows.append(number);
        }
    }
    QStringList order = WindowTable(conf).categories();
    QHash<QString, int> index;
    for (const QString &category : qAsConst(order)) {
        index.insert(category, index.size());
    }
    // With an empty header bound the analysis trusts no window; the rows still group alike.
    for (const quint16 number : qAsConst(rows)) {
        const QString category = conf.get_subclass(number).get_category();
        if (!index.contains(category)) {
            index.insert(category, order.size());
            order.append(category);
        }
    }
    std::stable_partition(order.begin(), order.end(),
        [](const QString &category) { return !category.trimmed().isEmpty(); });
    QVector<QVector<quint16>> groups(order.size());
    for (int i = 0; i < order.size(); ++i) {
        index[order.at(i)] = i;
    }
    for (const quint16 number : qAsConst(rows)) {
        groups[index.value(conf.get_subclass(number).get_category())].append(number);
    }
    categoryTexts = order;

    measure(rows);
    paginate(groups, invalid);
}

SheetLayout SheetLayout::forPdf(const Conf &conf, const SheetOptions &options)
{
    QBuffer nowhere;
    QPdfWriter writer(&nowhere);
    setUpPdf(writer, options);
    return SheetLayout(conf, options, &writer);
}

QPageLayout SheetLayout::pageLayout(const SheetOptions &options)
{
    const QPageSize size(
        options.paper == SheetOptions::Paper::Letter ? QPageSize::Letter : QPageSize::A4);
    return QPageLayout(size, options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
}

void SheetLayout::setUpPdf(QPdfWriter &writer, const SheetOptions &options)
{
    writer.setResolution(1200);
    writer.setPageLayout(pageLayout(options));
}

qreal SheetLayout::mm(qreal millimetres) const
{
    return millimetres * dpi / 25.4;
}

qreal SheetLayout::lineHeight(SheetItem::Font which) const
{
    // Some fonts give a negative leading: lines would then cut into each other's descent.
    const QFontMetricsF metrics(fonts[which]);
    return qMax(metrics.lineSpacing(), metrics.height());
}

std::unique_ptr<QGraphicsScene> SheetLayout::picture(quint16 subclass) const
{
    const Subclass &s = conf.get_subclass(subclass);
    // As in the editor, a subclass that cannot be drawn has an empty picture.
    if (!s.can_draw()) {
        return nullptr;
    }
    return VehicleDrawing::buildScene(s, DistancePass::Minimum, QSize(0, pictureHeight));
}

SheetLayout::RowTexts SheetLayout::rowTexts(quint16 number) const
{
    const Subclass &s = conf.get_subclass(number);
    RowTexts texts;
    texts.number = QString::number(number);
    texts.category = fileText(s.get_category());
    texts.configuration = fileText(s.get_axle_configuration());
    texts.axles = fileText(s.get_number_of_axles());
    const int axles = qBound(0, s.get_number_of_axles().toInt(), FileFormat::MaxAxles);
    const float length = units.lengthFactor;
    const float weight = units.weightFactor;
    for (int i = 0; i + 1 < axles; ++i) {
        texts.cells[Gaps] << QStringLiteral("%1: %2\u2013%3")
                                 .arg(i + 1)
                                 .arg(shown(s.get_min_distance_at_index(i), length),
                                     shown(s.get_max_distance_at_index(i), length));
    }
    for (int i = 0; i < axles; ++i) {
        texts.cells[Axles] << QStringLiteral("%1: %2 / %3")
                                  .arg(i + 1)
                                  .arg(shown(s.get_max_axle_weight_at_index(i), weight),
                                      fileText(s.get_tyre_type_at_index(i)));
    }
    for (int i = 0; i < s.get_combined_constraint_count(); ++i) {
        const QString constraint = s.get_combined_constraint_at_index(i);
        const int comma = constraint.lastIndexOf(QLatin1Char(','));
        texts.cells[Constraints] << (comma < 0
                ? fileText(constraint)
                : QStringLiteral("%1: %2").arg(printable(constraint.left(comma), longestText),
                    shown(constraint.mid(comma + 1), weight)));
    }
    texts.cells[Gvw] << tr("max. %1").arg(shown(s.get_max_GVW(), weight));
    const auto target = [&](const char *words, const QString &limit, const QString &to) {
        if (!limit.isEmpty() || !to.isEmpty()) {
            texts.cells[Gvw] << tr(words).arg(shown(limit, weight), fileText(to));
        }
    };
    target(QT_TRANSLATE_NOOP("ClassificationSheet", "above %1 \u2192 %2"), s.get_upper_GVW_limit(),
        s.get_reclassify_up_to_subclass());
    target(QT_TRANSLATE_NOOP("ClassificationSheet", "below %1 \u2192 %2"), s.get_lower_GVW_limit(),
        s.get_reclassify_down_to_subclass());
    return texts;
}

void SheetLayout::measure(const QVector<quint16> &rows)
{
    const QFontMetricsF body(fonts[SheetItem::Body]);
    const QFontMetricsF bold(fonts[SheetItem::Bold]);
    const QFontMetricsF label(fonts[SheetItem::Label]);
    const qreal gap = mm(gapMm);
    numberW = label.horizontalAdvance(tr("No."));
    categoryW = label.horizontalAdvance(tr("Cat."));
    configurationW = label.horizontalAdvance(tr("Configuration"));
    axlesW = label.horizontalAdvance(tr("Axles"));
    qreal widest[Details] = {};
    for (const quint16 number : rows) {
        const RowTexts texts = rowTexts(number);
        numberW = qMax(numberW, bold.horizontalAdvance(texts.number));
        categoryW = qMax(categoryW, body.horizontalAdvance(texts.category));
        configurationW = qMax(configurationW, body.horizontalAdvance(texts.configuration));
        axlesW = qMax(axlesW, body.horizontalAdvance(texts.axles));
        for (int d = 0; d < Details; ++d) {
            for (const QString &cell : texts.cells[d]) {
                widest[d] = qMax(widest[d], body.horizontalAdvance(cell));
            }
        }
        if (const auto scene = picture(number)) {
            source |= scene->itemsBoundingRect();
        }
    }
    // Long texts of the file are elided to these widths rather than crowd out the details.
    categoryW = qMin(categoryW, mm(18));
    configurationW = qMin(configurationW, mm(26));
    axlesW = qMin(axlesW, mm(10));
    const qreal fixed = numberW + categoryW + configurationW + axlesW + 5 * gap;

    // One whole scale for every picture, the largest the widest one allows.
    const qreal caption = label.horizontalAdvance(tr("Vehicle"));
    const qreal largest = qMax<qreal>(1, std::floor(mm(largestPixelMm)));
    if (source.isEmpty()) {
        scale = largest;
    } else {
        const qreal share = area.width() * pictureShare;
        const qreal allowed = qMax(mm(20), area.width() - fixed - mm(detailsLeastMm));
        const qreal room = qMin(share, allowed);
        if (source.width() <= room) {
            scale = qMin(std::floor(room / source.width()), largest);
        } else if (source.width() <= allowed) {
            scale = 1;
        } else {
            // Not even one device pixel per picture pixel fits: never cut a picture off.
            scale = allowed / source.width();
        }
    }
    pictureW = qMax(caption, source.width() * scale);

    numberX = pictureX + pictureW + gap;
    categoryX = numberX + numberW + gap;
    configurationX = categoryX + categoryW + gap;
    axlesX = configurationX + configurationW + gap;
    detailsX = axlesX + axlesW + gap;
    const QString labels[Details]
        = {tr("gaps (%1)").arg(units.lengthMark), tr("axles (%1) / tyre").arg(units.weightMark),
            tr("combined (%1)").arg(units.weightMark), tr("GVW (%1)").arg(units.weightMark)};
    labelW = 0;
    for (const QString &text : labels) {
        labelW = qMax(labelW, label.horizontalAdvance(text));
    }
    cellsX = detailsX + labelW + gap;
    cellsW = qMax(mm(10), area.width() - cellsX);
    for (int d = 0; d < Details; ++d) {
        cellW[d] = qMin(widest[d] + gap, cellsW + gap);
        perLine[d] = qMax(1, int((cellsW + gap) / qMax(cellW[d], 1.0)));
    }
    captionHeight = lineHeight(SheetItem::Label) + mm(1.5);
    footerHeight = lineHeight(SheetItem::Body) + mm(2);
}

int SheetLayout::rowLines(const RowTexts &texts) const
{
    int lines = 0;
    for (int d = 0; d < Details; ++d) {
        lines += (texts.cells[d].size() + perLine[d] - 1) / perLine[d];
    }
    return qMax(lines, 1);
}

qreal SheetLayout::headingHeight() const
{
    return lineHeight(SheetItem::Heading) + mm(2.5);
}

qreal SheetLayout::rowHeight(int lines, bool withPicture) const
{
    const qreal text = lines * lineHeight(SheetItem::Body);
    const qreal pictureH = withPicture ? source.height() * scale : 0;
    return qMax(text, pictureH) + 2 * mm(padMm);
}

void SheetLayout::newPage(bool closing, int category)
{
    const bool continued = closing && pageList.last().closing;
    SheetPage page;
    page.closing = closing;
    pageList.append(page);
    SheetBlock top;
    top.kind = closing ? SheetBlock::ClosingTitle : SheetBlock::Captions;
    top.firstLine = continued ? 1 : 0;
    top.height = captionHeight;
    if (closing) {
        QVector<SheetItem> measured;
        closingTitleItems(top, measured);
        for (const SheetItem &item : qAsConst(measured)) {
            top.height = qMax(top.height, item.rect.bottom() + mm(2));
        }
    }
    pageList.last().blocks.append(top);
    y = top.height;
    if (category >= 0) {
        // A reader who turns the page still sees which category the rows belong to.
        SheetBlock heading;
        heading.kind = SheetBlock::Category;
        heading.category = category;
        heading.firstLine = 1;
        heading.top = y;
        heading.height = headingHeight();
        pageList.last().blocks.append(heading);
        y += heading.height;
    }
    fresh = true;
}

void SheetLayout::place(SheetBlock block, int lines, qreal firstPartHeight)
{
    const qreal bottom = area.height() - footerHeight;
    const qreal step = lineHeight(SheetItem::Body);
    const auto height = [&](int from, int count) {
        return qMax(count * step, from == 0 ? firstPartHeight : 0) + 2 * mm(padMm);
    };
    int from = 0;
    do {
        const int count = qMax(lines - from, 0);
        // A block goes to a new page unless it is the first there: one that fits no page is
        // split between its lines, as many on each page as it holds.
        if (y + height(from, count) > bottom && !fresh) {
            newPage(pageList.last().closing, block.kind == SheetBlock::Row ? block.category : -1);
        }
        int fit = count;
        while (fit > 1 && y + height(from, fit) > bottom) {
            --fit;
        }
        block.firstLine = from;
        block.lines = fit;
        block.top = y;
        block.height = height(from, fit);
        pageList.last().blocks.append(block);
        y += block.height;
        fresh = false;
        from += qMax(fit, 1);
    } while (from < lines);
}

void SheetLayout::paginate(const QVector<QVector<quint16>> &groups, const QVector<quint16> &invalid)
{
    const qreal bottom = area.height() - footerHeight;

    pageList.append(SheetPage());
    SheetBlock head;
    head.kind = SheetBlock::Head;
    QVector<SheetItem> measured;
    headItems(head, measured);
    for (const SheetItem &item : qAsConst(measured)) {
        head.height = qMax(head.height, item.rect.bottom() + mm(3));
    }
    pageList.last().blocks.append(head);
    y = head.height;

    bool captions = false;
    for (int c = 0; c < groups.size(); ++c) {
        const QVector<quint16> &group = groups.at(c);
        if (group.isEmpty()) {
            continue;
        }
        if (!captions) {
            SheetBlock block;
            block.kind = SheetBlock::Captions;
            block.top = y;
            block.height = captionHeight;
            pageList.last().blocks.append(block);
            y += captionHeight;
            captions = true;
        }
        SheetBlock heading;
        heading.kind = SheetBlock::Category;
        heading.category = c;
        heading.height = headingHeight();
        // A heading stays with its first row, or with as much of it as a page holds.
        const qreal firstRow
            = qMin(rowHeight(rowLines(rowTexts(group.first())), true), bottom - captionHeight);
        if (y + heading.height + firstRow > bottom && !fresh) {
            newPage(false);
        }
        heading.top = y;
        pageList.last().blocks.append(heading);
        y += heading.height;
        for (const quint16 number : group) {
            SheetBlock row;
            row.kind = SheetBlock::Row;
            row.subclass = number;
            row.category = c;
            const bool drawn = !source.isEmpty() && conf.get_subclass(number).can_draw();
            place(row, rowLines(rowTexts(number)), drawn ? source.height() * scale : 0);
        }
    }

    if (!invalid.isEmpty()) {
        newPage(true);
        for (const quint16 number : invalid) {
            SheetBlock entry;
            entry.kind = SheetBlock::NotTakingPart;
            entry.subclass = number;
            place(entry, entryLines(number).size(), 0);
        }
    }
}

QStringList SheetLayout::entryLines(quint16 number) const
{
    // The first line names the subclass; every rule follows, wrapped, its first line marked.
    const Subclass &s = conf.get_subclass(number);
    QStringList lines;
    lines << tr("Subclass %1 \u00b7 %2 \u00b7 category %3 \u00b7 %4 axles")
                 .arg(number)
                 .arg(fileText(s.get_axle_configuration()), fileText(s.get_category()),
                     fileText(s.get_number_of_axles()));
    // In the words the checker uses: the model says once why each rule fails.
    for (const QString &rule : conf.get_failing_subclass_rules(number)) {
        bool first = true;
        for (const QString &line : wrapped(rule, SheetItem::Body, area.width() - mm(7))) {
            lines << (first ? QStringLiteral("\u2022") : QString()) + QLatin1Char('\t') + line;
            first = false;
        }
    }
    return lines;
}

void SheetLayout::text(QVector<SheetItem> &items, SheetItem::Font font, qreal x, qreal y,
    qreal width, const QString &text, bool alignRight) const
{
    const QFontMetricsF metrics(fonts[font]);
    SheetItem item;
    item.text = metrics.elidedText(text, Qt::ElideRight, width);
    item.font = font;
    const qreal advance = metrics.horizontalAdvance(item.text);
    item.rect = QRectF(alignRight ? x + width - advance : x, y, advance, metrics.height());
    items.append(item);
}

QVector<SheetItem> SheetLayout::items(int page) const
{
    QVector<SheetItem> items;
    if (page < 0 || page >= pageList.size()) {
        return items;
    }
    for (const SheetBlock &block : pageList.at(page).blocks) {
        switch (block.kind) {
        case SheetBlock::Head:
            headItems(block, items);
            break;
        case SheetBlock::Captions:
            captionItems(block.top, items);
            break;
        case SheetBlock::Category:
            categoryItems(block, items);
            break;
        case SheetBlock::Row:
            rowItems(block, items);
            break;
        case SheetBlock::ClosingTitle:
            closingTitleItems(block, items);
            break;
        case SheetBlock::NotTakingPart:
            entryItems(block, items);
            break;
        }
    }
    footerItems(page, items);
    return items;
}

QStringList SheetLayout::headPairs() const
{
    // Label and value, one pair after the other; the first two and the last two pairs take the
    // whole width, the others two columns.
    const auto length = [this](const QString &stored) {
        return stored.isEmpty() ? dash()
                                : shown(stored, units.lengthFactor) + ' ' + units.lengthMark;
    };
    const QString weight = conf.get_min_avg_axle_weight().isEmpty()
        ? dash()
        : shown(conf.get_min_avg_axle_weight(), units.weightFactor) + ' ' + units.weightMark;
    return {tr("File"), options.fileName.isEmpty() ? dash() : printable(options.fileName, 200),
        tr("Classification version"), fileText(conf.get_classification_version()),
        tr("Country code"), fileText(conf.get_country_code()), tr("g (m/s\u00b2)"),
        fileText(conf.get_g_acceleration_constant()), tr("Min. axle distance"),
        length(conf.get_min_axle_distance()), tr("Max. axle distance"),
        length(conf.get_max_axle_distance()), tr("Group max. distance"),
        length(conf.get_group_max_distance()), tr("Min. two-axle truck spacing"),
        length(conf.get_min_2axle_truck_spacing()), tr("Min. average axle weight"), weight,
        tr("Unclassified subclass"), fileText(conf.get_unclassified_vehicles_subclass()),
        tr("Uncategorised category"), fileText(conf.get_uncategorised_vehicle_category()),
        tr("Printed"), options.printed.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
        tr("Made with"),
        QStringLiteral("%1 %2").arg(QLatin1String(AppIdentity::applicationName),
            QLatin1String(AppIdentity::applicationVersion)),
        tr("Units"), units.description};
}

QStringList SheetLayout::wrapped(const QString &words, SheetItem::Font font, qreal width) const
{
    const QFontMetricsF metrics(fonts[font]);
    QStringList lines;
    QString line;
    for (const QString &word : words.split(QLatin1Char(' '))) {
        const QString wider = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(wider) > width && !line.isEmpty()) {
            lines << line;
            line = word;
        } else {
            line = wider;
        }
    }
    lines << line;
    return lines;
}

void SheetLayout::headItems(const SheetBlock &block, QVector<SheetItem> &items) const
{
    qreal top = block.top;
    text(items, SheetItem::Title, 0, top, area.width(), tr("Classification sheet"));
    top += lineHeight(SheetItem::Title) + mm(2);

    const QStringList pairs = headPairs();
    const QFontMetricsF label(fonts[SheetItem::Label]);
    qreal labelWidth = 0;
    for (int i = 0; i < pairs.size(); i += 2) {
        labelWidth = qMax(labelWidth, label.horizontalAdvance(pairs.at(i)));
    }
    const qreal step = lineHeight(SheetItem::Body) * 1.15;
    const qreal shift = QFontMetricsF(fonts[SheetItem::Body]).ascent() - label.ascent();
    const qreal columnW = (area.width() - mm(6)) / 2;
    const auto pair = [&](int i, qreal x, qreal lineY, qreal width) {
        text(items, SheetItem::Label, x, lineY + shift, labelWidth, pairs.at(2 * i));
        const qreal valueX = x + labelWidth + mm(2);
        text(items, SheetItem::Body, valueX, lineY, x + width - valueX, pairs.at(2 * i + 1));
    };
    const int count = pairs.size() / 2;
    pair(0, 0, top, area.width());
    top += step;
    const int columns = count - 2;
    const int perColumn = (columns + 1) / 2;
    for (int i = 0; i < columns; ++i) {
        const qreal x = i < perColumn ? 0 : columnW + mm(6);
        pair(1 + i, x, top + (i % perColumn) * step, columnW);
    }
    top += perColumn * step;
    pair(count - 1, 0, top, area.width());
    top += step + mm(2);

    const qreal bodyStep = lineHeight(SheetItem::Body);
    if (conf.stopped_at_line() > 0) {
        const QString stopped
            = tr("Reading stopped at line %1, which could not be read: \"%2\". The subclass it "
                 "stands in and the rest of the file are not on this sheet.")
                  .arg(conf.stopped_at_line())
                  .arg(printable(conf.stopped_line_text(), longestText));
        for (const QString &line : wrapped(stopped, SheetItem::Bold, area.width())) {
            text(items, SheetItem::Bold, 0, top, area.width(), line);
            top += bodyStep;
        }
    }
    const int all = conf.get_subclass_numbers().size();
    const int invalid = conf.get_invalid_subclasses().size();
    QString summary = tr("Subclasses in the file: %1. Taking part: %2, in categories: %3. Not "
                         "taking part: %4")
                          .arg(all)
                          .arg(all - invalid)
                          .arg(categoryTexts.size())
                          .arg(invalid);
    if (invalid > 0) {
        summary += tr(", listed with the rules they fail on the closing page");
    }
    for (const QString &line : wrapped(summary + QLatin1Char('.'), SheetItem::Body, area.width())) {
        text(items, SheetItem::Body, 0, top, area.width(), line);
        top += bodyStep;
    }
}

void SheetLayout::captionItems(qreal top, QVector<SheetItem> &items) const
{
    const auto caption = [&](qreal x, qreal width, const QString &words) {
        text(items, SheetItem::Label, x, top, width, words);
    };
    caption(pictureX, pictureW, tr("Vehicle"));
    caption(numberX, numberW, tr("No."));
    caption(categoryX, categoryW, tr("Cat."));
    caption(configurationX, configurationW, tr("Configuration"));
    caption(axlesX, axlesW, tr("Axles"));
    caption(detailsX, area.width() - detailsX, tr("Windows and limits"));
    SheetItem rule;
    rule.kind = SheetItem::Line;
    rule.rect = QRectF(0, top + captionHeight - mm(0.5), area.width(), 0);
    items.append(rule);
}

void SheetLayout::categoryItems(const SheetBlock &block, QVector<SheetItem> &items) const
{
    const QString category = categoryTexts.value(block.category);
    text(items, SheetItem::Heading, 0, block.top + mm(1.5), area.width(),
        (category.trimmed().isEmpty() ? tr("Blank category \"%1\"").arg(category)
                                      : tr("Category %1").arg(printable(category, longestText)))
            + (block.firstLine > 0 ? tr(" (continued)") : QString()));
}

void SheetLayout::rowItems(const SheetBlock &block, QVector<SheetItem> &items) const
{
    const RowTexts texts = rowTexts(block.subclass);
    const qreal top = block.top + mm(padMm);
    const qreal step = lineHeight(SheetItem::Body);
    text(items, SheetItem::Bold, numberX, top, numberW, texts.number);
    if (block.firstLine > 0) {
        // The picture stands with the first part only.
        text(items, SheetItem::Label, pictureX, top, pictureW, tr("continued"));
    }
    text(items, SheetItem::Body, categoryX, top, categoryW, texts.category);
    text(items, SheetItem::Body, configurationX, top, configurationW, texts.configuration);
    text(items, SheetItem::Body, axlesX, top, axlesW, texts.axles);
    if (block.firstLine == 0 && !source.isEmpty() && conf.get_subclass(block.subclass).can_draw()) {
        SheetItem picture;
        picture.kind = SheetItem::Picture;
        picture.subclass = block.subclass;
        picture.rect = QRectF(pictureX, top, source.width() * scale, source.height() * scale);
        items.append(picture);
    }

    const QString labels[Details]
        = {tr("gaps (%1)").arg(units.lengthMark), tr("axles (%1) / tyre").arg(units.weightMark),
            tr("combined (%1)").arg(units.weightMark), tr("GVW (%1)").arg(units.weightMark)};
    const qreal shift = QFontMetricsF(fonts[SheetItem::Body]).ascent()
        - QFontMetricsF(fonts[SheetItem::Label]).ascent();
    const qreal gap = mm(gapMm);
    int line = 0;
    for (int d = 0; d < Details; ++d) {
        const QStringList &cells = texts.cells[d];
        for (int first = 0; first < cells.size(); first += perLine[d], ++line) {
            if (line < block.firstLine || line >= block.firstLine + block.lines) {
                continue;
            }
            const qreal lineY = top + (line - block.firstLine) * step;
            if (first == 0) {
                text(items, SheetItem::Label, detailsX, lineY + shift, labelW, labels[d]);
            }
            for (int k = first; k < qMin(cells.size(), first + perLine[d]); ++k) {
                text(items, SheetItem::Body, cellsX + (k - first) * cellW[d], lineY,
                    qMin(cellW[d] - gap, cellsW), cells.at(k));
            }
        }
    }
    SheetItem rule;
    rule.kind = SheetItem::Line;
    rule.rect = QRectF(0, block.top + block.height, area.width(), 0);
    items.append(rule);
}

void SheetLayout::closingTitleItems(const SheetBlock &block, QVector<SheetItem> &items) const
{
    const bool continued = block.firstLine > 0;
    qreal top = block.top;
    text(items, SheetItem::Heading, 0, top, area.width(),
        continued ? tr("Not taking part (continued)") : tr("Not taking part"));
    if (continued) {
        return;
    }
    top += lineHeight(SheetItem::Heading) + mm(1);
    const QString intro = tr("These subclasses are in the invalid list: they are not rows of "
                             "this sheet, and vehicles are not classified into them until "
                             "they pass every check. Each is listed with the rules it fails, "
                             "values in metres and kilonewtons as the file keeps them.");
    for (const QString &line : wrapped(intro, SheetItem::Body, area.width())) {
        text(items, SheetItem::Body, 0, top, area.width(), line);
        top += lineHeight(SheetItem::Body);
    }
}

void SheetLayout::entryItems(const SheetBlock &block, QVector<SheetItem> &items) const
{
    const QStringList lines = entryLines(block.subclass);
    const qreal step = lineHeight(SheetItem::Body);
    qreal top = block.top + mm(padMm);
    for (int i = block.firstLine; i < qMin(lines.size(), block.firstLine + block.lines); ++i) {
        const QString &line = lines.at(i);
        if (i == 0) {
            text(items, SheetItem::Bold, 0, top, area.width(), line);
        } else {
            const int tab = line.indexOf(QLatin1Char('\t'));
            if (tab > 0) {
                text(items, SheetItem::Body, mm(3), top, mm(4), line.left(tab));
            }
            text(items, SheetItem::Body, mm(7), top, area.width() - mm(7), line.mid(tab + 1));
        }
        top += step;
    }
}

void SheetLayout::footerItems(int page, QVector<SheetItem> &items) const
{
    const qreal top = area.height() - footerHeight + mm(2);
    SheetItem rule;
    rule.kind = SheetItem::Line;
    rule.rect = QRectF(0, top - mm(1), area.width(), 0);
    items.append(rule);
    const QString name = options.fileName.isEmpty() ? tr("Classification sheet")
                                                    : printable(options.fileName, 200);
    text(items, SheetItem::Label, 0, top, area.width() * 0.7,
        QStringLiteral("%1 \u00b7 %2").arg(name, fileText(conf.get_classification_version())));
    text(items, SheetItem::Body, area.width() * 0.7, top, area.width() * 0.3,
        tr("page %1 of %2").arg(page + 1).arg(pageList.size()), true);
}
