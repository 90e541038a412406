// The main window's construction and wiring, and the Help and Options menu commands.
#include "veltora.h"
#include "about.h"
#include "analysispanel.h"
#include "appidentity.h"
#include "document.h"
#include "fieldstyle.h"
#include "measurementunits.h"
#include "numbervalidators.h"
#include "ruletexts.h"
#include "textfit.h"
#include "ui_veltora.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QSizePolicy>
#include <QUndoStack>
#include <QUrl>

Veltora::Veltora(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::Veltora)
    , titleText(QStringLiteral("Veltora "))
    , tipAcceptsReal(tr(RuleTexts::tipAcceptsReal))
    , tipAxleSelection(tr(RuleTexts::tipAxleSelection))
    , tipTyreType(tr(RuleTexts::tipTyreType))
    , tipRemoveConstraint(tr(RuleTexts::tipRemoveConstraint))
    , tipCountryCode(tr(RuleTexts::tipCountryCode))
    , tipSubclassMissing(tr(RuleTexts::tipSubclassMissing))
    , tipCopyTargetExists(tr(RuleTexts::tipCopyTargetExists))
    , tipLowerThanSubclasses(tr(RuleTexts::tipLowerThanSubclasses))
    , tipAxleConfFormat(tr(RuleTexts::tipAxleConfFormat))
    , tipAxleCountRange(tr(RuleTexts::tipAxleCountRange))
    , tipMaxDistance(tr(RuleTexts::tipMaxDistance))
    , tipMinDistance(tr(RuleTexts::tipMinDistance))
    , tipConstraintFormat(tr(RuleTexts::tipConstraintFormat))
    , tipTyreTypeRange(tr(RuleTexts::tipTyreTypeRange))
    , tipReclassifyTarget(tr(RuleTexts::tipReclassifyTarget))
    , textSubclassesValid(tr(RuleTexts::textSubclassesValid))
    , textInvalidSubclasses(tr(RuleTexts::textInvalidSubclasses))
    , conf()
    , document(new Document(conf, this))
{
    versionText = QLatin1String(AppIdentity::applicationVersion);
    titleText += QLatin1Char('v') + versionText;

    ui->setupUi(this);
    updateTitle();

    weightUnit = Tons;
    lengthUnit = Meters;
    constraintEditCount = 0;
    connectMenus();
    connectHeaderFields();
    connectSubclassFields();
    weightFactor = FileFormat::StandardG;
    lengthFactor = 1.0f;
    installValidators();
    resetSubclassPanel();
    createShortcuts();
    createAxleOneWidgets();
    createEditMenu();
    connectDocument();
    createAnalysisPanel();
    connectCompare();
    setAcceptDrops(true);

    // The selectors hold up to 65,536 entries: they are sized for the longest entry there can
    // be ("subclass_65535") instead of measuring every entry when they are first shown.
    for (QComboBox *selector : {ui->comboBoxSubclasses, ui->comboBoxInvalid}) {
        selector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        selector->setMinimumContentsLength(14);
    }

    // Hiding the subclass panel, or the caption of the selected number, must not make the
    // window jump when it is shown again.
    for (QWidget *frame : {static_cast<QWidget *>(ui->frameSubclassBottom),
             static_cast<QWidget *>(ui->frameMiddle), static_cast<QWidget *>(ui->labelSelected)}) {
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
    }

    // The large selected number stands apart from the invalid list's caption beside it, so
    // that the two never read as one sentence ("14 Subclasses are valid.").
    constexpr int numberToCaption = 12;
    ui->gridLayout_3->setContentsMargins(
        0, 0, numberToCaption - ui->gridLayout->horizontalSpacing(), 0);

    // The fields' own look first: an empty field's italic placeholder is what its width is
    // then measured with.
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        FieldStyle::keepReadable(edit);
    }
    TextFit::keep(this);
    alignAxleRows();
}

const QVector<Veltora::HeaderField> &Veltora::headerFields()
{
    // In the order the header is shown after Open and stored for New.
    static const QVector<HeaderField> fields = {
        {Header::ClassificationVersion, &Ui::Veltora::lineEditVersion, &Ui::Veltora::labelVersion,
            Input::Text, Unit::None, &Conf::set_classification_version,
            &Conf::get_classification_version, nullptr, nullptr, nullptr},
        {Header::CountryCode, &Ui::Veltora::lineEditCountry, &Ui::Veltora::labelCountry,
            Input::Text, Unit::None, &Conf::set_country_code, &Conf::get_country_code,
            &Conf::is_country_code_valid, nullptr, &Veltora::tipCountryCode},
        {Header::GroupMaxDistance, &Ui::Veltora::lineEditGroupMaxDist,
            &Ui::Veltora::labelGroupMaxDist, Input::Real, Unit::Length,
            &Conf::set_group_max_distance, &Conf::get_group_max_distance,
            &Conf::is_group_max_distance_valid, nullptr, nullptr},
        {Header::Min2AxleTruckSpacing, &Ui::Veltora::lineEditMinAxleSpacing,
            &Ui::Veltora::labelMinAxleSpacing, Input::Real, Unit::Length,
            &Conf::set_min_2axle_truck_spacing, &Conf::get_min_2axle_truck_spacing, nullptr,
            nullptr, nullptr},
        {Header::MinAvgAxleWeight, &Ui::Veltora::lineEditMinAvgAxleWeight,
            &Ui::Veltora::labelMinAvgAxleWeight, Input::Real, Unit::Weight,
            &Conf::set_min_avg_axle_weight, &Conf::get_min_avg_axle_weight, nullptr, nullptr,
            nullptr},
        {Header::UnclassifiedVehiclesSubclass, &Ui::Veltora::lineEditUnclassified,
            &Ui::Veltora::labelUnclassified, Input::Whole, Unit::None,
            &Conf::set_unclassified_vehicles_subclass, &Conf::get_unclassified_vehicles_subclass,
            &Conf::is_unclassified_vehicles_subclass_valid, nullptr, nullptr},
        // The form's rows carry crossed names: labelMinAxleDist captions the maximum.
        {Header::MaxAxleDistance, &Ui::Veltora::lineEditMaxAxleDist, &Ui::Veltora::labelMinAxleDist,
            Input::Real, Unit::Length, &Conf::set_max_axle_distance, &Conf::get_max_axle_distance,
            nullptr, &Conf::check_max_axle_distance, nullptr},
        {Header::MinAxleDistance, &Ui::Veltora::lineEditMinAxleDist, &Ui::Veltora::labelMaxAxleDist,
            Input::Real, Unit::Length, &Conf::set_min_axle_distance, &Conf::get_min_axle_distance,
            &Conf::is_min_axle_distance_valid, nullptr, nullptr},
        {Header::UncategorisedVehicleCategory, &Ui::Veltora::lineEditUncategorised,
            &Ui::Veltora::labelUncategorised, Input::Whole, Unit::None,
            &Conf::set_uncategorised_vehicle_category, &Conf::get_uncategorised_vehicle_category,
            &Conf::is_uncategorised_vehicle_category_valid, nullptr, nullptr},
    };
    return fields;
}

const QVector<Veltora::SubclassField> &Veltora::subclassFields()
{
    // In the order a subclass is loaded: the reclassify group comes after the per-axle rows.
    static const QVector<SubclassField> fields = {
        {Section::Category, &Ui::Veltora::lineEditCategory, &Ui::Veltora::labelCategory,
            Input::Whole, Unit::None, false, &Subclass::get_category, &Subclass::is_category_valid,
            nullptr, nullptr},
        {Section::MaxGVW, &Ui::Veltora::lineEditMaxGrossWeight, &Ui::Veltora::labelMaxGrossWeight,
            Input::Real, Unit::Weight, false, &Subclass::get_max_GVW, &Subclass::is_max_GVW_valid,
            nullptr, nullptr},
        {Section::AxleConfiguration, &Ui::Veltora::lineEditConfString,
            &Ui::Veltora::labelConfString, Input::Text, Unit::None, false,
            &Subclass::get_axle_configuration, &Subclass::is_axle_configuration_valid, nullptr,
            &Veltora::tipAxleConfFormat},
        {Section::Prepend, &Ui::Veltora::lineEditPrepend, &Ui::Veltora::labelPrepend, Input::Real,
            Unit::Length, false, &Subclass::get_prepend, nullptr, nullptr, nullptr},
        {Section::Append, &Ui::Veltora::lineEditAppend, &Ui::Veltora::labelAppend, Input::Real,
            Unit::Length, false, &Subclass::get_append, nullptr, nullptr, nullptr},
        {Section::UpperGVWLimit, &Ui::Veltora::lineEditReclassUpGvw,
            &Ui::Veltora::labelReclassUpGvw, Input::Real, Unit::Weight, true,
            &Subclass::get_upper_GVW_limit, nullptr, nullptr, nullptr},
        {Section::ReclassifyUpToSubclass, &Ui::Veltora::lineEditReclassUpTo,
            &Ui::Veltora::labelReclassUpTo, Input::Real, Unit::None, true,
            &Subclass::get_reclassify_up_to_subclass, nullptr, &Subclass::is_reclassify_up_valid,
            &Veltora::tipReclassifyTarget},
        {Section::LowerGVWLimit, &Ui::Veltora::lineEditReclassDownGvw,
            &Ui::Veltora::labelReclassDownGvw, Input::Real, Unit::Weight, true,
            &Subclass::get_lower_GVW_limit, nullptr, nullptr, nullptr},
        {Section::ReclassifyDownToSubclass, &Ui::Veltora::lineEditReclassDownTo,
            &Ui::Veltora::labelReclassDownTo, Input::Real, Unit::None, true,
            &Subclass::get_reclassify_down_to_subclass, nullptr,
            &Subclass::is_reclassify_down_valid, &Veltora::tipReclassifyTarget},
    };
    return fields;
}

void Veltora::connectMenus()
{
    ui->actionNew->setShortcut(QKeySequence::New);
    ui->actionOpen->setShortcut(QKeySequence::Open);
    ui->actionSave->setShortcut(QKeySequence::Save);
    ui->actionExit->setShortcut(QKeySequence::Quit);
    connect(ui->actionNew, &QAction::triggered, this, &Veltora::menuNewClicked);
    connect(ui->actionOpen, &QAction::triggered, this, &Veltora::menuOpenClicked);
    connect(ui->actionSave, &QAction::triggered, this, &Veltora::menuSaveClicked);
    connect(ui->actionConfiguration, &QAction::triggered, this, &Veltora::menuConfigurationClicked);
    connect(ui->actionAbout, &QAction::triggered, this, &Veltora::menuAboutClicked);
    connect(ui->actionUpdate, &QAction::triggered, this, &Veltora::menuUpdateClicked);
    ui->actionPrint->setShortcut(QKeySequence::Print);
    connect(ui->actionExportSheet, &QAction::triggered, this, &Veltora::menuExportSheetClicked);
    connect(ui->actionPrint, &QAction::triggered, this, &Veltora::menuPrintClicked);
}

void Veltora::connectSubclassFields()
{
    // textEdited only: loading a subclass into the fields must never write back into it.
    for (const SubclassField &field : subclassFields()) {
        connect(ui->*field.edit, &QLineEdit::textEdited, this, &Veltora::textChanged);
    }
}

void Veltora::installValidators()
{
    // Every field accepts numbers exactly as the model reads them (see inModelLocale).
    const auto install = [this](QLineEdit *edit, Input input) {
        if (input == Input::Real) {
            edit->setValidator(inModelLocale(new QDoubleValidator(this)));
        } else if (input == Input::Whole) {
            edit->setValidator(inModelLocale(new QIntValidator(this)));
        }
    };
    for (const HeaderField &field : headerFields()) {
        install(ui->*field.edit, field.input);
    }
    for (const SubclassField &field : subclassFields()) {
        install(ui->*field.edit, field.input);
    }
    install(ui->lineEditSubclass, Input::Whole);
    install(ui->lineEditCopy, Input::Whole);
    install(ui->lineEditAddConstraint, Input::Real);
    ui->lineEditNumOfAxles->setValidator(inModelLocale(new AxleCountValidator(this)));
}

void Veltora::createShortcuts()
{
    // Browsing moves only the selector; its currentIndexChanged loads the subclass.
    const auto selectPrevious = [this] {
        const int index = ui->comboBoxSubclasses->currentIndex();
        if (index > 0) {
            ui->comboBoxSubclasses->setCurrentIndex(index - 1);
        }
    };
    const auto selectNext = [this] {
        const int index = ui->comboBoxSubclasses->currentIndex();
        if (index < ui->comboBoxSubclasses->count() - 1) {
            ui->comboBoxSubclasses->setCurrentIndex(index + 1);
        }
    };
    for (const QKeySequence &keys :
        {QKeySequence(Qt::Key_Up), QKeySequence(Qt::ALT + Qt::Key_Left)}) {
        connect(new QShortcut(keys, this, nullptr, nullptr, Qt::WindowShortcut),
            &QShortcut::activated, this, selectPrevious);
    }
    for (const QKeySequence &keys :
        {QKeySequence(Qt::Key_Down), QKeySequence(Qt::ALT + Qt::Key_Right)}) {
        connect(new QShortcut(keys, this, nullptr, nullptr, Qt::WindowShortcut),
            &QShortcut::activated, this, selectNext);
    }
}

void Veltora::createAxleOneWidgets()
{
    // Axle 1 has no gap of its own, so its widgets exist from the start; every further axle
    // brings a whole row.
    auto *weightEdit = new QLineEdit(this);
    setupAxleEdit(weightEdit, true, tipAcceptsReal, QStringLiteral("MaxAxleWeightEdit1"));
    ui->frameMaxAxleWeightsEdits->layout()->addWidget(weightEdit);
    weightEdit->hide();

    auto *weightBox = new QCheckBox(QStringLiteral("1 "), this);
    weightBox->setStatusTip(tipAxleSelection);
    weightBox->setObjectName(QStringLiteral("MaxAxleWeightBox1"));
    ui->frameMaxAxleWeightsBoxes->layout()->addWidget(weightBox);
    weightBox->hide();

    auto *tyreEdit = new QLineEdit(this);
    setupAxleEdit(tyreEdit, false, tipTyreType, QStringLiteral("TyreType1"));
    ui->frameTyreTypes->layout()->addWidget(tyreEdit);
    tyreEdit->hide();
}

void Veltora::createEditMenu()
{
    QUndoStack *stack = document->undoStack();
    QAction *undo = stack->createUndoAction(this);
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = stack->createRedoAction(this);
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcut(QKeySequence::Redo);
    ui->menuEdit->addAction(undo);
    ui->menuEdit->addAction(redo);

    // A line edit claims Ctrl+Z for its own little history; the window has one history for
    // every field, whatever has the focus. The filter watches the line edits of the window,
    // those made later for new rows included (see setupAxleEdit).
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        edit->installEventFilter(this);
    }
    // Keystrokes merge into one step only while the user stays in the same field.
    connect(qApp, &QApplication::focusChanged, document, &Document::endMerging);
}

void Veltora::connectDocument()
{
    connect(document, &Document::headerChanged, this, &Veltora::headerChanged);
    connect(document, &Document::subclassChanged, this, &Veltora::subclassChanged);
    connect(document, &Document::subclassAdded, this, &Veltora::subclassAdded);
    connect(document, &Document::subclassRemoved, this, &Veltora::subclassRemoved);
    connect(document, &Document::reset, this, &Veltora::documentReset);
    connect(document, &Document::stepReplayed, this, &Veltora::stepReplayed);
    connect(document, &Document::filePathChanged, this, &Veltora::updateTitle);
    connect(document, &Document::modifiedChanged, this, &Veltora::setWindowModified);
}

void Veltora::createAnalysisPanel()
{
    analysis = new AnalysisPanel(conf, this);
    analysis->setObjectName(QStringLiteral("dockAnalysis"));
    addDockWidget(Qt::RightDockWidgetArea, analysis);
    // Hidden at start: the window is the editor alone until the analysis is asked for.
    analysis->hide();
    QAction *toggle = analysis->toggleViewAction();
    toggle->setText(tr("Analysis"));
    toggle->setObjectName(QStringLiteral("actionAnalysis"));
    toggle->setStatusTip(tr("Show the window map, the overlapping subclasses and the recorded "
                            "vehicles of the configuration as it is edited."));
    ui->menuView->addAction(toggle);

    connect(document, &Document::headerChanged, analysis, &AnalysisPanel::headerChanged);
    connect(document, &Document::subclassChanged, analysis, &AnalysisPanel::subclassChanged);
    connect(document, &Document::subclassAdded, analysis, &AnalysisPanel::subclassAdded);
    connect(document, &Document::subclassRemoved, analysis, &AnalysisPanel::subclassRemoved);
    // Open and New give the vehicles a new baseline, and so does each Save.
    connect(document, &Document::reset, analysis, [this] {
        analysis->reset();
        analysis->setBaseline();
    });
    connect(document, &Document::saved, analysis, &AnalysisPanel::setBaseline);
    connect(analysis, &AnalysisPanel::subclassActivated, this, &Veltora::selectSubclass);
    showUnitsInAnalysis();
    analysis->setBaseline();
}

void Veltora::updateTitle()
{
    // Qt draws the placeholder as "*" while the window is marked modified.
    const QString path = document->filePath();
    setWindowTitle(
        titleText + (path.isEmpty() ? QString() : QLatin1Char(' ') + path) + QStringLiteral("[*]"));
}

bool Veltora::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            // Left unaccepted, the key goes on to the window's Undo and Redo actions.
            event->ignore();
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu) {
        // The field's own menu, with its Undo and Redo acting on the window's history. Qt
        // names its actions by their text only ("&Undo", then a tab and the keys).
        QMenu *menu = edit->createStandardContextMenu();
        QUndoStack *stack = document->undoStack();
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions) {
            const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
            const bool undo = text == QCoreApplication::translate("QLineEdit", "&Undo");
            if (!undo && text != QCoreApplication::translate("QLineEdit", "&Redo")) {
                continue;
            }
            action->disconnect();
            action->setEnabled(undo ? stack->canUndo() : stack->canRedo());
            connect(
                action, &QAction::triggered, stack, undo ? &QUndoStack::undo : &QUndoStack::redo);
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

Veltora::~Veltora()
{
    delete ui;
}

void Veltora::menuAboutClicked()
{
    About about(this, versionText);
    about.exec();
}

void Veltora::menuUpdateClicked()
{
    // The page behind the address tells the user whether there is anything newer.
    const QUrl url(QLatin1String(AppIdentity::updateScheme) + QLatin1String("://")
            + QLatin1String(AppIdentity::updateHost)
            + QLatin1String(AppIdentity::updatePathAndQuery),
        QUrl::TolerantMode);
    if (QDesktopServices::openUrl(url)) {
        return;
    }
    // Without a browser the command would do nothing at all. The address is shown instead,
    // selectable so that it can be copied, in a box that does not hold up the editor.
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Check for Updates"),
        tr("No web browser could be started. The update page is:\n%1").arg(url.toString()),
        QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void Veltora::menuConfigurationClicked()
{
    // Each command makes a fresh dialog with the current units; the previous one goes now, so
    // repeated use does not pile dialogs up under the window. Offered for tonnes: the g in
    // use, the configuration's own, so that switching to tonnes does not silently show weights
    // with another g than the file's.
    delete unitsDialog;
    unitsDialog = new MeasurementUnits(this, weightUnit, lengthUnit, gInUse());
    connect(unitsDialog, &MeasurementUnits::sendUnits, this, &Veltora::receiveUnits);
    unitsDialog->exec();
}

void Veltora::fitWindowToContents()
{
    // The form's fixed minimum width keeps the layout from widening the window by itself: where
    // the fonts or many axles make a row wider, the window grows rather than cut the panel off.
    // The window's text fitter does the same after every change of layout; this is for the
    // commands that show more at once.
    const QSize needed = minimumSizeHint();
    if (needed.width() > width() || needed.height() > height()) {
        resize(size().expandedTo(needed));
    }
}
