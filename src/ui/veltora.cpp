// The main window's construction and wiring, and the Help and Options menu commands.
#include "veltora.h"
#include "about.h"
#include "appidentity.h"
#include "measurementunits.h"
#include "numbervalidators.h"
#include "ui_veltora.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QSizePolicy>
#include <QUrl>

Veltora::Veltora(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::Veltora)
    , validStyle(QStringLiteral("QLineEdit {background-color: lime}"))
    , invalidStyle(QStringLiteral("QLineEdit {background-color: red}"))
    , titleText(QStringLiteral("Veltora "))
    , tipAcceptsReal(tr("Accepts real values."))
    , tipAxleSelection(tr("Used for selecting to which axles we want to apply the constraint."))
    , tipTyreType(tr("Integer value representing tyre type. Should be between 1 and 4."))
    , tipRemoveConstraint(tr("To remove a constraint, delete the text."))
    , tipCountryCode(tr("Enter a two letter ISO code."))
    , tipSubclassMissing(tr("Subclass does not exist. Click on button \"New\" to create one"))
    , tipCopyTargetExists(tr("The subclass you wish to copy to already exists. Please choose a "
                             "different value or delete the subclass."))
    , tipLowerThanSubclasses(tr("Value is lower than some subclasses."))
    , tipAxleConfFormat(tr("Proper format is XaYb where X must be one of:\n"
                           "A=tractor, B=bus, C=car, H=heavy truck, L=light truck, M=motorbike, "
                           "V=van\n"
                           "and Y is one of (D=dolly, T=trailer, S=semi-trailer).\n"
                           "a and b represent the number of axles on the part and must be equal "
                           "to number of axles."))
    , tipAxleCountRange(tr("Value must be between 2 and 20"))
    , tipMaxDistance(tr("Value must be higher than corresponding min distance and between min "
                        "and max distances in header."))
    , tipMinDistance(tr("Value must be lower than corresponding max distance and between min "
                        "and max distances in header."))
    , tipConstraintFormat(tr("Proper format is {a1+a2+...an,c} where a are axles and c is a real "
                             "value representing maximum combined weight."))
    , tipTyreTypeRange(tr("Valid types are between 1 and 4"))
    , tipReclassifyTarget(tr("Subclass must exist and have the same number of axles as current."))
    , textSubclassesValid(tr("Subclasses are valid."))
    , textInvalidSubclasses(tr("Invalid subclasses:"))
    , conf()
{
    const QString version = QLatin1Char('v') + QLatin1String(AppIdentity::applicationVersion);
    titleText += version;

    ui->setupUi(this);
    setWindowTitle(titleText);

    weightUnit = Tons;
    lengthUnit = Meters;
    constraintEditCount = 0;

    connect(ui->actionNew, &QAction::triggered, this, &Veltora::menuNewClicked);
    connect(ui->actionOpen, &QAction::triggered, this, &Veltora::menuOpenClicked);
    connect(ui->actionSave, &QAction::triggered, this, &Veltora::menuSaveClicked);
    connect(ui->actionConfiguration, &QAction::triggered, this,
            &Veltora::menuConfigurationClicked);
    connect(ui->actionAbout, &QAction::triggered, this, &Veltora::menuAboutClicked);
    connect(ui->actionUpdate, &QAction::triggered, this, &Veltora::menuUpdateClicked);

    connectHeaderFields();

    for (QLineEdit *edit : {ui->lineEditCategory, ui->lineEditMaxGrossWeight,
                            ui->lineEditConfString, ui->lineEditPrepend, ui->lineEditAppend,
                            ui->lineEditReclassUpGvw, ui->lineEditReclassUpTo,
                            ui->lineEditReclassDownGvw, ui->lineEditReclassDownTo}) {
        connect(edit, &QLineEdit::textEdited, this, &Veltora::textChanged);
    }

    weightFactor = 9.80665f;
    lengthFactor = 1.0f;

    for (QLineEdit *edit : {ui->lineEditGroupMaxDist, ui->lineEditMinAxleSpacing,
                            ui->lineEditMinAvgAxleWeight, ui->lineEditMaxAxleDist,
                            ui->lineEditMinAxleDist, ui->lineEditMaxGrossWeight,
                            ui->lineEditAddConstraint, ui->lineEditPrepend, ui->lineEditAppend,
                            ui->lineEditReclassUpGvw, ui->lineEditReclassUpTo,
                            ui->lineEditReclassDownGvw, ui->lineEditReclassDownTo}) {
        edit->setValidator(inModelLocale(new QDoubleValidator(this)));
    }
    for (QLineEdit *edit : {ui->lineEditUnclassified, ui->lineEditUncategorised,
                            ui->lineEditSubclass, ui->lineEditCopy, ui->lineEditCategory}) {
        edit->setValidator(inModelLocale(new QIntValidator(this)));
    }
    ui->lineEditNumOfAxles->setValidator(inModelLocale(new AxleCountValidator(this)));

    resetSubclassPanel();

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

    // Hiding the subclass panel must not make the window jump when it is shown again.
    for (QWidget *frame : {static_cast<QWidget *>(ui->frameSubclassBottom),
                           static_cast<QWidget *>(ui->frameMiddle)}) {
        QSizePolicy policy = frame->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        frame->setSizePolicy(policy);
    }
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
    // The page behind the address tells the user whether there is anything newer; a missing
    // browser or network is not reported.
    const QUrl url(QLatin1String(AppIdentity::updateScheme) + QLatin1String("://")
                       + QLatin1String(AppIdentity::updateHost)
                       + QLatin1String(AppIdentity::updatePathAndQuery),
                   QUrl::TolerantMode);
    QDesktopServices::openUrl(url);
}

void Veltora::menuConfigurationClicked()
{
    // Each command makes a fresh dialog with the current units; the previous one goes now, so
    // repeated use does not pile dialogs up under the window.
    const float g = weightUnit == Tons ? weightFactor : 9.80665f;
    delete unitsDialog;
    unitsDialog = new MeasurementUnits(this, weightUnit, lengthUnit, g);
    connect(unitsDialog, &MeasurementUnits::sendUnits, this, &Veltora::receiveUnits);
    unitsDialog->exec();
}
