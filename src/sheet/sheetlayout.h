#pragma once

#include "sheetoptions.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class Conf;
class QGraphicsScene;
class QPageLayout;
class QPaintDevice;
class QPdfWriter;

// One thing placed on a page, in the device pixels of the page's paintable area: a line of
// text that fits its rectangle, a subclass's picture, or a thin rule.
struct SheetItem
{
    enum Kind { Text, Picture, Line };
    enum Font { Body, Bold, Label, Heading, Title };

    Kind kind = Text;
    QRectF rect;
    QString text;
    Font font = Body;
    quint16 subclass = 0; // the picture's
};

// A block of a page, from `top` down by `height`: the page head, the column captions, a
// category's heading, a subclass's row, the title of the closing list or one subclass in it. A
// row or an entry too tall for any page is the only thing continued on the next: `firstLine`
// and `lines` say which of its lines a block holds. A closing title or a category's heading
// with `firstLine` above 0 continues the list or the category of an earlier page.
struct SheetBlock
{
    enum Kind { Head, Captions, Category, Row, ClosingTitle, NotTakingPart };

    Kind kind = Row;
    quint16 subclass = 0;
    int category = -1; // an index into SheetLayout::categories()
    int firstLine = 0;
    int lines = 0;
    qreal top = 0;
    qreal height = 0;
};

struct SheetPage
{
    // A page of the closing list "Not taking part" rather than of the rows.
    bool closing = false;
    QVector<SheetBlock> blocks;
};

// The classification sheet laid out before anything is painted: its pages with their blocks,
// measured for one paint device (a PDF writer or a printer) in that device's pixels. The items
// of a page are made again when asked for, from the configuration, so memory does not grow
// with the pages painted. Keeps a reference to the configuration, which must outlive it.
class SheetLayout
{
public:
    SheetLayout(const Conf &conf, const SheetOptions &options, QPaintDevice *device);

    // The layout a PDF of these options gets.
    static SheetLayout forPdf(const Conf &conf, const SheetOptions &options);
    // The paper, orientation and margins of the options' pages, for a PDF writer and for a
    // printer before its print dialog.
    static QPageLayout pageLayout(const SheetOptions &options);
    // Sets a PDF writer's page layout and resolution from the options.
    static void setUpPdf(QPdfWriter &writer, const SheetOptions &options);

    const QVector<SheetPage> &pages() const { return pageList; }
    // Every item of a page, its footer included.
    QVector<SheetItem> items(int page) const;
    // The paintable area of a page.
    QRectF pageArea() const { return area; }
    // The categories of the rows, in the order the sheet groups them.
    const QStringList &categories() const { return categoryTexts; }

    // Device pixels per picture pixel: a whole number unless even one device pixel per picture
    // pixel would not fit the widest picture on the page.
    qreal pictureScale() const { return scale; }
    // The part of every picture's scene that is painted, the same for every row, so that all
    // vehicles stand on one line at one scale.
    QRectF pictureSource() const { return source; }
    // The picture of a subclass, as the rows paint it; null when it cannot be drawn.
    std::unique_ptr<QGraphicsScene> picture(quint16 subclass) const;
    // The font of one kind of text, measured for the device.
    const QFont &font(SheetItem::Font which) const { return fonts[which]; }

private:
    struct RowTexts;
    struct Cells;
    RowTexts rowTexts(quint16 number) const;
    QStringList entryLines(quint16 number) const;
    QStringList headPairs() const;
    QStringList wrapped(const QString &words, SheetItem::Font font, qreal width) const;
    qreal mm(qreal millimetres) const;
    qreal lineHeight(SheetItem::Font which) const;
    int rowLines(const RowTexts &texts) const;
    qreal rowHeight(int lines, bool withPicture) const;
    qreal headingHeight() const;

    void measure(const QVector<quint16> &rows);
    void paginate(const QVector<QVector<quint16>> &groups, const QVector<quint16> &invalid);
    void place(SheetBlock block, int lines, qreal firstPartHeight);
    // A new last page, with its captions or the closing list's title, and the heading of
    // `category` continued from the page before when that is 0 or above.
    void newPage(bool closing, int category = -1);

    void headItems(const SheetBlock &block, QVector<SheetItem> &items) const;
    void captionItems(qreal top, QVector<SheetItem> &items) const;
    void categoryItems(const SheetBlock &block, QVector<SheetItem> &items) const;
    void rowItems(const SheetBlock &block, QVector<SheetItem> &items) const;
    void closingTitleItems(const SheetBlock &block, QVector<SheetItem> &items) const;
    void entryItems(const SheetBlock &block, QVector<SheetItem> &items) const;
    void footerItems(int page, QVector<SheetItem> &items) const;
    void text(QVector<SheetItem> &items, SheetItem::Font font, qreal x, qreal y, qreal width,
        const QString &text, bool alignRight = false) const;

    const Conf &conf;
    SheetOptions options;
    SheetUnits units;
    qreal dpi = 1200;
    QRectF area;
    QFont fonts[SheetItem::Title + 1];

    QStringList categoryTexts;
    QVector<SheetPage> pageList;
    // While paginating: where the next block goes on the last page, and whether nothing but
    // its captions or title stands there yet.
    qreal y = 0;
    bool fresh = false;

    // Columns of the rows, as x and width.
    qreal pictureX = 0, pictureW = 0;
    qreal numberX = 0, numberW = 0;
    qreal categoryX = 0, categoryW = 0;
    qreal configurationX = 0, configurationW = 0;
    qreal axlesX = 0, axlesW = 0;
    qreal detailsX = 0, labelW = 0, cellsX = 0, cellsW = 0;
    // Per kind of detail (gaps, axles, constraints, GVW): one cell's width and cells per line.
    qreal cellW[4] = {};
    int perLine[4] = {1, 1, 1, 1};

    qreal scale = 1;
    QRectF source;
    qreal captionHeight = 0;
    qreal footerHeight = 0;
    qreal headHeight = 0;
};
