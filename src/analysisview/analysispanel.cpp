// The analysis dock: window map, overlaps, covered subclasses and cycles, recorded vehicles.
#include "analysispanel.h"
#include "liveanalysis.h"
#include "vehiclemodel.h"
#include "windowmap.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Tab { MapTab, OverlapsTab, CoveredTab, VehiclesTab };

// The role that holds what a column sorts by, and the role of a row's place in the run.
constexpr int SortRole = Qt::UserRole + 1;
constexpr int PlaceRole = Qt::UserRole + 2;

// Listed at most, of skipped rows and of subclasses not taking part: a broken file may have
// thousands, and the summary says how many.
constexpr int longestList = 1000;
constexpr int longestNumberList = 200;
// A records file is read into memory whole, to be read again at each run.
constexpr qint64 largestRecordsFile = 512 * 1024 * 1024;

// Whole numbers by value, then texts: as the confusion table orders categories.
QString categoryKey(const QString &category)
{
    bool whole = false;
    const qlonglong value = category.toLongLong(&whole);
    return whole && value >= 0 ? QStringLiteral("0%1").arg(value, 20, 10, QLatin1Char('0'))
                               : QLatin1Char('1') + category;
}

QStandardItem *item(const QVariant &shown, const QVariant &sortKey = QVariant())
{
    auto *cell = new QStandardItem;
    cell->setData(shown, Qt::DisplayRole);
    cell->setData(sortKey.isValid() ? sortKey : shown, SortRole);
    cell->setEditable(false);
    return cell;
}

QStandardItem *number(quint16 subclass)
{
    return item(int(subclass));
}

QStandardItem *category(const QString &text)
{
    return item(text.left(AnalysisTexts::longestShownText), categoryKey(text));
}

QLabel *wrappingLabel(const QString &objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

AnalysisPanel::AnalysisPanel(const Conf &conf, QWidget *parent)
    : QDockWidget(tr("Analysis"), parent)
    , live(new LiveAnalysis(conf, this))
{
    setObjectName(QStringLiteral("dockAnalysis"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabWidgetAnalysis"));
    tabs->addTab(makeMapTab(), tr("Window map"));
    tabs->addTab(makeOverlapsTab(), tr("Overlaps"));
    tabs->addTab(makeCoveredTab(), tr("Covered and cycles"));
    tabs->addTab(makeVehiclesTab(), tr("Recorded vehicles"));
    setWidget(tabs);

    spinner = new QTimer(this);
    spinner->setInterval(100);
    connect(spinner, &QTimer::timeout, this, [this] {
        ++spinnerStep;
        showBusy(true);
    });
    connect(live, &LiveAnalysis::tableChanged, this, &AnalysisPanel::tableChanged);
    connect(live, &LiveAnalysis::resultsChanged, this, &AnalysisPanel::showResults);
    connect(live, &LiveAnalysis::busyChanged, this, &AnalysisPanel::showBusy);
    connect(this, &QDockWidget::visibilityChanged, live, &LiveAnalysis::set_active);
    connect(map, &WindowMap::subclassClicked, this, &AnalysisPanel::subclassActivated);
    showNotTakingPart();
    showResults();
}

AnalysisPanel::~AnalysisPanel() = default;

QTableView *AnalysisPanel::makeTable(const QString &objectName)
{
    auto *view = new QTableView(this);
    view->setObjectName(objectName);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->installEventFilter(this);
    return view;
}

QWidget *AnalysisPanel::makeMapTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    map = new WindowMap(live->table(), tab);
    map->setObjectName(QStringLiteral("windowMap"));
    auto *scroll = new QScrollArea(tab);
    scroll->setObjectName(QStringLiteral("scrollAreaMap"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(map);
    layout->addWidget(scroll, 1);
    notTakingPartCaption = wrappingLabel(QStringLiteral("labelNotTakingPart"), tab);
    layout->addWidget(notTakingPartCaption);
    notTakingPartList = new QLabel(tab);
    notTakingPartList->setObjectName(QStringLiteral("labelNotTakingPartList"));
    notTakingPartList->setWordWrap(true);
    notTakingPartList->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    notTakingPartList->setTextFormat(Qt::RichText);
    notTakingPartList->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(notTakingPartList, &QLabel::linkActivated, this,
        [this](const QString &link) { emit subclassActivated(link.toUShort()); });
    listScroll = new QScrollArea(tab);
    listScroll->setWidgetResizable(true);
    listScroll->setFrameShape(QFrame::NoFrame);
    listScroll->setWidget(notTakingPartList);
    // On the tab's own background, like the caption above it.
    listScroll->viewport()->setAutoFillBackground(false);
    notTakingPartList->setAutoFillBackground(false);
    layout->addWidget(listScroll);
    return tab;
}

QWidget *AnalysisPanel::makeOverlapsTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    overlapsHeadline = wrappingLabel(QStringLiteral("labelOverlaps"), tab);
    layout->addWidget(overlapsHeadline);
    auto *row = new QHBoxLayout;
    ambiguousOnly = new QCheckBox(tr("Ambiguous only"), tab);
    ambiguousOnly->setObjectName(QStringLiteral("checkBoxAmbiguousOnly"));
    ambiguousOnly->setToolTip(tr("Only the pairs whose categories differ: the same vehicle "
                                 "could be put in either category"));
    copyWitnessButton = new QPushButton(tr("Copy witness"), tab);
    copyWitnessButton->setObjectName(QStringLiteral("buttonCopyWitness"));
    copyWitnessButton->setToolTip(
        tr("Copies a vehicle both subclasses accept, as a recorded-vehicles file"));
    copyWitnessButton->setEnabled(false);
    row->addWidget(ambiguousOnly);
    row->addStretch(1);
    row->addWidget(copyWitnessButton);
    layout->addLayout(row);

    overlaps = new QStandardItemModel(0, 6, this);
    // Short headers, so that the witness fits beside them: a row reads "1, category 2, with 2,
    // category 3", and each cell's tip says it in words.
    overlaps->setHorizontalHeaderLabels({tr("Subclass"), tr("Category"), tr("With"), tr("Category"),
        tr("Ambiguous"), tr("Witness")});
    overlapsFilter = new QSortFilterProxyModel(this);
    overlapsFilter->setSourceModel(overlaps);
    overlapsFilter->setSortRole(SortRole);
    overlapsFilter->setFilterKeyColumn(4);
    overlapsView = makeTable(QStringLiteral("tableOverlaps"));
    overlapsView->setModel(overlapsFilter);
    overlapsView->setSortingEnabled(true);
    overlapsView->sortByColumn(0, Qt::AscendingOrder);
    layout->addWidget(overlapsView, 1);

    connect(ambiguousOnly, &QCheckBox::toggled, this,
        [this](bool on) { overlapsFilter->setFilterFixedString(on ? tr("yes") : QString()); });
    connect(copyWitnessButton, &QPushButton::clicked, this, &AnalysisPanel::copyWitness);
    connect(overlapsView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) { copyWitnessButton->setEnabled(current.isValid()); });
    connect(overlapsView, &QTableView::doubleClicked, this, &AnalysisPanel::overlapActivated);
    return tab;
}

QWidget *AnalysisPanel::makeCoveredTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    coveredHeadline = wrappingLabel(QStringLiteral("labelCovered"), tab);
    layout->addWidget(coveredHeadline);
    covered = new QStandardItemModel(0, 4, this);
    covered->setHorizontalHeaderLabels(
        {tr("Subclass"), tr("Covered by"), tr("Kind"), tr("What it means")});
    auto *coveredView = makeTable(QStringLiteral("tableCovered"));
    coveredView->setModel(covered);
    layout->addWidget(coveredView, 2);
    cyclesHeadline = wrappingLabel(QStringLiteral("labelCycles"), tab);
    layout->addWidget(cyclesHeadline);
    cycles = new QStandardItemModel(0, 2, this);
    cycles->setHorizontalHeaderLabels({tr("Direction"), tr("Subclasses")});
    auto *cyclesView = makeTable(QStringLiteral("tableCycles"));
    cyclesView->setModel(cycles);
    layout->addWidget(cyclesView, 1);
    for (QTableView *view : {coveredView, cyclesView}) {
        connect(view, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
            const QVariant first = index.sibling(index.row(), 0).data(PlaceRole);
            if (first.isValid()) {
                emit subclassActivated(quint16(first.toUInt()));
            }
        });
    }
    return tab;
}

QWidget *AnalysisPanel::makeVehiclesTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    auto *top = new QHBoxLayout;
    auto *load = new QPushButton(tr("Load recorded vehicles…"), tab);
    load->setObjectName(QStringLiteral("buttonLoadVehicles"));
    recordsLabel = wrappingLabel(QStringLiteral("labelRecords"), tab);
    top->addWidget(load);
    top->addWidget(recordsLabel, 1);
    layout->addLayout(top);

    auto *filterRow = new QHBoxLayout;
    auto *show = new QLabel(tr("Show:"), tab);
    verdictFilter = new QComboBox(tab);
    verdictFilter->setObjectName(QStringLiteral("comboBoxVerdict"));
    verdictFilter->addItem(tr("all vehicles"), int(VehicleModel::All));
    for (const auto verdict : {VehicleMatch::Once, VehicleMatch::OneCategory,
             VehicleMatch::Ambiguous, VehicleMatch::Unmatched}) {
        verdictFilter->addItem(AnalysisTexts::verdict_word(verdict), int(verdict));
    }
    verdictFilter->addItem(tr("changed by your edits"), int(VehicleModel::ChangedOnly));
    show->setBuddy(verdictFilter);
    changedLabel = new QLabel(tab);
    changedLabel->setObjectName(QStringLiteral("labelChanged"));
    filterRow->addWidget(show);
    filterRow->addWidget(verdictFilter);
    filterRow->addStretch(1);
    filterRow->addWidget(changedLabel);
    layout->addLayout(filterRow);

    auto *splitter = new QSplitter(Qt::Vertical, tab);
    vehicles = new VehicleModel(this);
    vehiclesView = makeTable(QStringLiteral("tableVehicles"));
    vehiclesView->setModel(vehicles);
    splitter->addWidget(vehiclesView);

    auto *below = new QWidget(splitter);
    auto *belowLayout = new QVBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    skippedCaption = wrappingLabel(QStringLiteral("labelSkipped"), below);
    belowLayout->addWidget(skippedCaption);
    skipped = new QStandardItemModel(0, 2, this);
    skipped->setHorizontalHeaderLabels({tr("Line"), tr("Why it was skipped")});
    skippedView = makeTable(QStringLiteral("tableSkipped"));
    skippedView->setModel(skipped);
    belowLayout->addWidget(skippedView);
    summaryLabel = wrappingLabel(QStringLiteral("labelSummary"), below);
    belowLayout->addWidget(summaryLabel);
    confusion = new QStandardItemModel(this);
    confusionView = makeTable(QStringLiteral("tableConfusion"));
    confusionView->setModel(confusion);
    confusionView->setAlternatingRowColors(false);
    confusionView->horizontalHeader()->setStretchLastSection(false);
    belowLayout->addWidget(confusionView, 1);
    splitter->addWidget(below);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);

    connect(load, &QPushButton::clicked, this, &AnalysisPanel::askForRecords);
    connect(verdictFilter, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        [this](int index) { vehicles->setFilter(verdictFilter->itemData(index).toInt()); });
    connect(vehiclesView, &QTableView::doubleClicked, this, &AnalysisPanel::vehicleActivated);
    return tab;
}

void AnalysisPanel::headerChanged(FileFormat::Header key)
{
    live->headerChanged(key);
}

void AnalysisPanel::subclassChanged(quint16 number)
{
    live->subclassChanged(number);
}

void AnalysisPanel::subclassAdded(quint16 number)
{
    live->subclassAdded(number);
}

void AnalysisPanel::subclassRemoved(quint16 number)
{
    live->subclassRemoved(number);
}

void AnalysisPanel::reset()
{
    live->reset();
}

void AnalysisPanel::setSelectedSubclass(quint16 number)
{
    map->setSelected(number);
}

void AnalysisPanel::setDisplayUnits(
    float lengthFactor, const QString &lengthUnit, float weightFactor, const QString &weightUnit)
{
    // A factor of 0 or less would divide by nothing: the units stay as they were.
    if (!(lengthFactor > 0) || !(weightFactor > 0)) {
        return;
    }
    units = {lengthFactor, lengthUnit, weightFactor, weightUnit};
    map->setUnits(units);
    vehicles->setUnits(units);
    if (shownRun) {
        showOverlaps(*shownRun);
    }
}

void AnalysisPanel::setBaseline()
{
    live->set_baseline();
}

void AnalysisPanel::tableChanged()
{
    map->tableChanged();
    showNotTakingPart();
}

void AnalysisPanel::showNotTakingPart()
{
    const BoundsTable &table = live->table();
    if (!table.header_problem().isEmpty() && !table.rows().isEmpty()) {
        notTakingPartCaption->setText(
            tr("No subclass takes part: %1.").arg(table.header_problem()));
        notTakingPartList->clear();
        notTakingPartShown.clear();
        notTakingPartTotal = -1;
        return;
    }
    notTakingPartCaption->setText(tr("Not taking part (in the invalid list):"));
    QVector<quint16> numbers;
    int total = 0;
    for (const SubclassBounds &row : table.rows()) {
        if (!row.takesPart) {
            if (numbers.size() < longestNumberList) {
                numbers.append(row.number);
            }
            ++total;
        }
    }
    // Most edits leave the list as it was: the label is rebuilt only when it changed.
    if (numbers == notTakingPartShown && total == notTakingPartTotal) {
        return;
    }
    notTakingPartShown = numbers;
    notTakingPartTotal = total;
    QStringList links;
    for (const quint16 n : qAsConst(numbers)) {
        links << QStringLiteral("<a href=\"%1\">%1</a>").arg(n);
    }
    QString text = links.isEmpty() ? tr("none") : links.join(QStringLiteral(", "));
    if (total > numbers.size()) {
        text += tr(" and %1 more").arg(total - numbers.size());
    }
    notTakingPartList->setText(text);
    // As high as the list, up to four lines; a longer one scrolls.
    const int wanted = notTakingPartList->heightForWidth(listScroll->viewport()->width());
    listScroll->setFixedHeight(
        std::min(std::max(wanted, fontMetrics().lineSpacing()), 4 * fontMetrics().lineSpacing())
        + 2);
}

void AnalysisPanel::showResults()
{
    const std::shared_ptr<const AnalysisRun> run = live->latest();
    if (!run) {
        overlapsHeadline->setText(live->is_active() ? tr("Analysing…") : tr("Not analysed yet."));
        coveredHeadline->setText(QString());
        cyclesHeadline->setText(QString());
        recordsLabel->setText(tr("No recorded vehicles loaded."));
        changedLabel->clear();
        skippedCaption->hide();
        skippedView->hide();
        summaryLabel->clear();
        confusionView->hide();
        return;
    }
    shownRun = run;
    showOverlaps(*run);
    showCovered(*run);
    showVehicles(*run);
}

void AnalysisPanel::showOverlaps(const AnalysisRun &run)
{
    const WindowTable &table = run.table;
    const Overlaps &found = run.overlaps;
    QString headline = AnalysisTexts::overlaps_headline(table, found);
    const QString more = AnalysisTexts::more_not_listed(found.pairTotal, found.pairs.size());
    if (!more.isEmpty()) {
        headline += QStringLiteral("; ") + tr("pairs: %1").arg(more);
    }
    overlapsHeadline->setText(headline);
    tabs->setTabText(OverlapsTab, tr("Overlaps (%1)").arg(found.pairTotal));

    overlaps->removeRows(0, overlaps->rowCount());
    overlaps->setHeaderData(5, Qt::Horizontal, tr("Witness (%1)").arg(units.length));
    for (int p = 0; p < found.pairs.size(); ++p) {
        const QPair<int, int> pair = found.pairs.at(p);
        const bool ambiguous = AnalysisTexts::ambiguous(table, pair);
        QStringList gaps;
        for (const float gap : witness(table, pair.first, pair.second)) {
            gaps << AnalysisTexts::length_text(gap, units);
        }
        QList<QStandardItem *> cells {number(table.windows().at(pair.first).number),
            category(table.category_of(pair.first)), number(table.windows().at(pair.second).number),
            category(table.category_of(pair.second)), item(ambiguous ? tr("yes") : tr("no")),
            item(gaps.join(QStringLiteral("; ")))};
        const QString description = AnalysisTexts::overlap_text(table, pair);
        for (QStandardItem *cell : cells) {
            cell->setToolTip(description);
            if (ambiguous) {
                cell->setForeground(QColor(190, 20, 20));
            }
        }
        cells.first()->setData(p, PlaceRole);
        overlaps->appendRow(cells);
    }
    overlapsView->resizeColumnsToContents();
    copyWitnessButton->setEnabled(overlapsView->currentIndex().isValid());
}

void AnalysisPanel::showCovered(const AnalysisRun &run)
{
    const WindowTable &table = run.table;
    const Overlaps &found = run.overlaps;
    QString coveredText = tr("Covered subclasses: %1").arg(found.coveredTotal);
    const QString moreCovered
        = AnalysisTexts::more_not_listed(found.coveredTotal, found.covered.size());
    if (!moreCovered.isEmpty()) {
        coveredText += QStringLiteral(" (%1)").arg(moreCovered);
    }
    coveredHeadline->setText(coveredText);
    covered->removeRows(0, covered->rowCount());
    for (const CoveredWindow &c : found.covered) {
        const quint16 inner = table.windows().at(c.inner).number;
        QList<QStandardItem *> cells {number(inner), number(table.windows().at(c.outer).number),
            item(AnalysisTexts::covered_kind(c)), item(AnalysisTexts::covered_text(table, c))};
        cells.first()->setData(inner, PlaceRole);
        covered->appendRow(cells);
    }
    QString cyclesText = tr("Reclassification cycles: %1").arg(found.cycleTotal);
    const QString moreCycles
        = AnalysisTexts::more_not_listed(found.cycleTotal, found.cycles.size());
    if (!moreCycles.isEmpty()) {
        cyclesText += QStringLiteral(" (%1)").arg(moreCycles);
    }
    cyclesHeadline->setText(cyclesText);
    cycles->removeRows(0, cycles->rowCount());
    for (const ReclassifyCycle &cycle : found.cycles) {
        QList<QStandardItem *> cells {
            item(cycle.up ? tr("up") : tr("down")), item(AnalysisTexts::cycle_path(table, cycle))};
        cells.first()->setData(table.windows().at(cycle.windows.first()).number, PlaceRole);
        cells.first()->setToolTip(AnalysisTexts::cycle_text(table, cycle));
        cycles->appendRow(cells);
    }
}

void AnalysisPanel::showVehicles(const AnalysisRun &run)
{
    const bool marks = live->shows_changes();
    vehicles->setRun(run.hasRecords ? live->latest() : nullptr, marks);
    const QString name = QFileInfo(live->records_name()).fileName();
    recordsLabel->setToolTip(QDir::toNativeSeparators(live->records_name()));
    if (!run.hasRecords) {
        recordsLabel->setText(tr("No recorded vehicles loaded."));
    } else if (!run.recordsProblem.isEmpty()) {
        recordsLabel->setText(tr("%1: %2").arg(name, run.recordsProblem));
    } else {
        recordsLabel->setText(tr("%1: %2").arg(name, AnalysisTexts::taking_part(run.table)));
    }
    changedLabel->setText(
        run.hasRecords ? tr("changed by your edits: %1").arg(live->changed_count()) : QString());
    vehiclesView->resizeColumnsToContents();
    // Long ids and gap lists stay readable in their tool tip and leave room for the verdict.
    const int widest = 16 * vehiclesView->fontMetrics().averageCharWidth();
    for (const int column : {int(VehicleModel::Id), int(VehicleModel::Gaps)}) {
        vehiclesView->setColumnWidth(column, std::min(vehiclesView->columnWidth(column), widest));
    }

    skipped->removeRows(0, skipped->rowCount());
    for (int i = 0; i < run.skipped.size() && i < longestList; ++i) {
        const SkippedRow &row = run.skipped.at(i);
        QList<QStandardItem *> cells {item(row.line), item(row.reason)};
        if (marks && row.changed) {
            QFont bold = cells.first()->font();
            bold.setBold(true);
            for (QStandardItem *cell : cells) {
                cell->setFont(bold);
                cell->setToolTip(tr("Changed by your edits: it was read before"));
            }
        }
        skipped->appendRow(cells);
    }
    const bool anySkipped = !run.skipped.isEmpty();
    skippedCaption->setVisible(anySkipped);
    // As high as its rows, up to five; more scroll.
    const int rowHeight = skippedView->verticalHeader()->defaultSectionSize();
    skippedView->setFixedHeight(skippedView->horizontalHeader()->sizeHint().height()
        + std::min(skipped->rowCount(), 5) * rowHeight + 2 * skippedView->frameWidth());
    skippedView->setVisible(anySkipped);
    skippedCaption->setText(run.skipped.size() > longestList
            ? tr("Skipped rows: %1 (the first %2 listed)").arg(run.skipped.size()).arg(longestList)
            : tr("Skipped rows: %1").arg(run.skipped.size()));
    skippedView->resizeColumnToContents(0);

    confusion->clear();
    if (!run.hasRecords || !run.recordsProblem.isEmpty()) {
        summaryLabel->clear();
        confusionView->hide();
        return;
    }
    QStringList lines;
    for (const auto &line : AnalysisTexts::summary_items(run.summary)) {
        lines << line.first + QStringLiteral(": ") + line.second;
    }
    lines << tr("confusion: %1").arg(AnalysisTexts::confusion_caption(run.summary));
    summaryLabel->setText(lines.join(QLatin1Char('\n')));
    const QVector<QStringList> table = AnalysisTexts::confusion_table(run.summary);
    confusionView->setVisible(!table.isEmpty());
    if (table.isEmpty()) {
        return;
    }
    confusion->setHorizontalHeaderLabels(table.first());
    for (int r = 1; r < table.size(); ++r) {
        QList<QStandardItem *> cells;
        for (int c = 0; c < table.at(r).size(); ++c) {
            QStandardItem *cell = item(table.at(r).at(c));
            if (c > 0) {
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            // The diagonal: vehicles put in the category expected.
            if (c > 0 && table.first().at(c) == table.at(r).first() && table.at(r).at(c) != "0") {
                QFont bold = cell->font();
                bold.setBold(true);
                cell->setFont(bold);
            }
            cells << cell;
        }
        confusion->appendRow(cells);
    }
    confusionView->resizeColumnsToContents();
}

void AnalysisPanel::showBusy(bool busy)
{
    if (!busy) {
        spinner->stop();
        for (const int tab : {OverlapsTab, CoveredTab, VehiclesTab}) {
            tabs->setTabIcon(tab, QIcon());
            tabs->setTabToolTip(tab, QString());
        }
        return;
    }
    if (!spinner->isActive()) {
        spinner->start();
    }
    // A ring with a turning gap, drawn at the screen's resolution.
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize);
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(QSize(side, side) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(palette().color(QPalette::Highlight), side / 7.0, Qt::SolidLine, Qt::RoundCap));
    const QRectF ring(side * 0.15, side * 0.15, side * 0.7, side * 0.7);
    painter.drawArc(ring, -spinnerStep * 30 * 16, 270 * 16);
    painter.end();
    for (const int tab : {OverlapsTab, CoveredTab, VehiclesTab}) {
        tabs->setTabIcon(tab, QIcon(picture));
        tabs->setTabToolTip(tab, tr("Analysing the configuration as edited…"));
    }
}

bool AnalysisPanel::loadRecords(const QString &path)
{
    QFile file(path);
    QString problem;
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
    } else if (file.size() > largestRecordsFile) {
        problem = tr("The file is larger than %1 MB.").arg(largestRecordsFile / (1024 * 1024));
    }
    QByteArray text;
    if (problem.isEmpty()) {
        text = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            problem = file.errorString();
        }
    }
    if (!problem.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, tr("Could not load recorded vehicles"),
            tr("%1 could not be read:\n%2").arg(QDir::toNativeSeparators(path), problem),
            QMessageBox::Ok);
        box.exec();
        return false;
    }
    live->set_records(text, QFileInfo(path).absoluteFilePath());
    recordsLabel->setText(tr("%1: analysing…").arg(QFileInfo(path).fileName()));
    return true;
}

void AnalysisPanel::askForRecords()
{
    QFileDialog dialog(this, tr("Load recorded vehicles"), QString(),
        tr("Recorded vehicles (*.csv);;All files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        loadRecords(dialog.selectedFiles().first());
    }
}

void AnalysisPanel::copyWitness()
{
    const QModelIndex current = overlapsFilter->mapToSource(overlapsView->currentIndex());
    if (!shownRun || !current.isValid()) {
        return;
    }
    const int place = overlaps->item(current.row(), 0)->data(PlaceRole).toInt();
    if (place < 0 || place >= shownRun->overlaps.pairs.size()) {
        return;
    }
    QApplication::clipboard()->setText(
        AnalysisTexts::witness_records(shownRun->table, shownRun->overlaps.pairs.at(place)));
}

void AnalysisPanel::overlapActivated(const QModelIndex &index)
{
    const QModelIndex source = overlapsFilter->mapToSource(index);
    if (source.isValid()) {
        emit subclassActivated(
            quint16(overlaps->item(source.row(), 0)->data(Qt::DisplayRole).toUInt()));
    }
}

void AnalysisPanel::vehicleActivated(const QModelIndex &index)
{
    const VehicleOutcome *vehicle = vehicles->vehicleAt(index.row());
    if (!vehicle || !shownRun) {
        return;
    }
    map->setVehicle(vehicle->record.gaps);
    const int first = shownRun->first_match(*vehicle);
    if (first >= 0) {
        emit subclassActivated(shownRun->table.windows().at(first).number);
    } else if (vehicle->record.hasExpected) {
        emit subclassActivated(vehicle->record.expected);
    }
}

bool AnalysisPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The window's Up and Down shortcuts step through subclasses; in a table the arrows move
    // through its rows.
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QTableView *>(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            event->accept();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}
