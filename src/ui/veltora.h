#pragma once

#include "conf.h"
#include "fileformat.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class AnalysisPanel;
class CompareDialog;
class Document;
struct SheetOptions;
class MeasurementUnits;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QFrame;
class QLabel;
class QDragEnterEvent;
class QDropEvent;
class QLineEdit;
class QMimeData;
class Subclass;

namespace Ui {
class Veltora;
}

// Display units; the codes are the ids of the units dialog's radio buttons.
enum WeightUnit : quint8 { Tons = 0, Pounds = 1, Kilonewtons = 2 };
enum LengthUnit : quint8 { Meters = 0, Feet = 1, Inches = 2 };

// The main window: owns the form, the one configuration model and the display-unit state.
// Its editing behaviour is split by concern over src/editor/ (one file per concern).
class Veltora : public QMainWindow
{
    Q_OBJECT

public:
    explicit Veltora(QWidget *parent = nullptr);
    ~Veltora() override;

    // The configuration being edited. Only the editing object writes it: every change goes
    // through its edit API, so that it can be undone and the window shows it.
    const Conf &configuration() const { return conf; }
    Document *editingDocument() const { return document; }
    // The analysis dock (View -> Analysis), hidden until asked for.
    AnalysisPanel *analysisPanel() const { return analysis; }

    // Colouring and conversion shared by every editing concern (src/editor/fieldstyle.cpp).
    void validateEdit(QLineEdit *edit, bool valid, const QString &tip);
    void validateEditThreeWay(QLineEdit *edit, int state);
    bool isMarkedInvalid(QLineEdit *edit) const;
    double toDisplayValue(const QString &text, bool isWeight) const;
    QString toStoredText(const QString &text, bool isWeight) const;
    QString editToStoredText(QLineEdit *edit, bool isWeight) const;
    void showConvertedValue(QLineEdit *edit, const QString &text, bool isWeight, bool valid);
    void showConvertedValueThreeWay(QLineEdit *edit, const QString &text, bool isWeight, int state);
    void showConvertedConstraint(QLineEdit *edit, const QString &text, bool valid);

    // The invalid-subclass list (src/editor/headerpanel.cpp).
    void fillInvalidList();
    void updateInvalidListEntry(const Subclass &subclass);
    void clearInvalidList();

    // The two pictures of the selected subclass (src/editor/pictures.cpp).
    void drawVehicles(const Subclass &subclass);
    void clearImage();

    // Subclass panel (src/editor/subclasses.cpp).
    void resetSubclassPanel();
    void clearSubclassPanel();
    void showSubclassPanel();
    void validateReclassifyTargets(const Subclass &subclass);

    // Per-axle rows and combined constraints (src/editor/axlerows.cpp). Row r holds gap r's
    // distances at position r of the distance frames and axle r + 1's widgets at position
    // r + 1 of the axle frames; position 0 is each frame's label.
    // The rows are widgets only: what they hold is the model's, which the editing object
    // changes.
    void addAxleRow(int row);
    void showAxleRow(int row);
    void removeAxleRow(int row);
    void validateAxleRow(const Subclass &subclass, int row);
    void clearAxleRows();
    QLineEdit *lineEditAt(QFrame *frame, int position) const;
    void hideAndClear(QWidget *widget);
    void setupAxleEdit(
        QLineEdit *edit, bool realValues, const QString &statusTip, const QString &objectName);
    void setupConstraintEdit(QLineEdit *edit, const QString &objectName);
    // Lines the rows up however wide their captions and edits have grown: each gap's distances
    // between its two axles, each check box under its axle's weight.
    void alignAxleRows();

    // Display units (src/editor/units.cpp).
    void setUnitSuffix(QLabel *label, const QString &suffix);
    void redisplayAllValues();
    void showHeader();
    void storeHeaderFields(Conf &into);

    // The file commands' work once a path is chosen (src/editor/filecommands.cpp). Each tells
    // the user itself when it fails and answers whether it succeeded.
    bool openConfiguration(const QString &path);
    bool saveConfiguration(const QString &path);
    // Before work is thrown away (close, Open, New, a drop): when the configuration has
    // unsaved changes, asks whether to save them. False when the command must not go on.
    bool maybeSave();

    // Shows the comparison of the file at `path` (old) with the configuration being edited
    // (src/editor/comparecommands.cpp). Tells the user itself when the file cannot be opened.
    bool compareWith(const QString &path);

public slots:
    // Selects the subclass in the editor, as choosing it in the selector does; a number that
    // names no subclass changes nothing.
    void showSubclass(quint16 number);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void menuNewClicked();
    void menuOpenClicked();
    void menuSaveClicked();
    void menuAboutClicked();
    void menuUpdateClicked();
    void menuConfigurationClicked();
    void menuCompareWithClicked();
    void menuCompareWithSavedClicked();
    void on_comboBoxSubclasses_currentIndexChanged(const QString &arg1);
    void on_lineEditSubclass_textChanged(const QString &arg1);
    void on_lineEditNumOfAxles_textChanged(const QString &arg1);
    void on_buttonAddConstraint_clicked();
    void on_comboBoxInvalid_activated(const QString &arg1);
    void on_buttonSubclass_clicked();
    void on_buttonCopy_clicked();
    void on_lineEditCopy_textEdited(const QString &arg1);
    void textChanged(const QString &text);
    void receiveUnits(quint8 weight, quint8 length, float g);
    void menuExportSheetClicked();
    void menuPrintClicked();

private:
    enum class Input { Text, Whole, Real };
    using Header = FileFormat::Header;
    using Section = FileFormat::Section;
    enum class Unit { None, Length, Weight };

    // One header field, described once: connections, validators, showing, storing and
    // redisplaying all read this table. A field with neither check is only stored.
    struct HeaderField
    {
        Header key;
        QLineEdit *Ui::Veltora::*edit;
        QLabel *Ui::Veltora::*label;
        Input input;
        Unit unit;
        void (Conf::*store)(QString);
        QString (Conf::*stored)() const;
        bool (Conf::*check)() const;
        int (Conf::*threeWayCheck)() const;
        const QString Veltora::*tip;
    };

    // One scalar field of the selected subclass. A reclassify target is checked against the
    // number of axles of the subclass it names (targetCheck); other fields by `check`; a field
    // with neither is shown valid when loaded and never coloured when edited.
    struct SubclassField
    {
        Section key;
        QLineEdit *Ui::Veltora::*edit;
        QLabel *Ui::Veltora::*label;
        Input input;
        Unit unit;
        bool reclassify;
        QString (Subclass::*stored)() const;
        bool (Subclass::*check)() const;
        bool (Subclass::*targetCheck)(QString) const;
        const QString Veltora::*tip;
    };

    static const QVector<HeaderField> &headerFields();
    static const QVector<SubclassField> &subclassFields();

    // Construction steps, in order.
    void connectMenus();
    void connectHeaderFields();
    void connectSubclassFields();
    void installValidators();
    void createShortcuts();
    void createAxleOneWidgets();
    void createEditMenu();
    void connectDocument();
    void createAnalysisPanel();
    void connectCompare();

    float factor(bool isWeight) const;
    // The g in use for tonnes: the configuration's own when it is above 0, else the standard.
    float gInUse() const;
    // The configuration's g as the units dialog compares it: none stands for the standard g.
    float storedG() const;
    void updateWeightFactor();
    void showUnitsInAnalysis();
    bool isWeight(Unit unit) const { return unit == Unit::Weight; }
    QString unitSuffix(Unit unit) const;
    void storeG(Conf &into) const;
    void showHeaderField(const HeaderField &field);
    void colourHeaderField(const HeaderField &field);
    void showSubclassField(const SubclassField &field, const Subclass &subclass);
    bool subclassFieldValid(const SubclassField &field, const Subclass &subclass);
    void colourSubclassField(const SubclassField &field, const Subclass &subclass);
    void storeHeaderField(const HeaderField &field);
    // The field's label as a step's name: "Max. gvw (t):" gives "Max. gvw".
    static QString stepName(const QString &label);

    // The views follow the editing object's signals, each in one place.
    void headerChanged(FileFormat::Header key);
    void subclassChanged(quint16 number);
    void subclassAdded(quint16 number);
    void subclassRemoved(quint16 number);
    void documentReset();
    void stepReplayed(int subclass);
    void updateTitle();
    // Re-colours every field of the selected subclass and its rows by the model's checks,
    // reshapes the rows when its count of axles or constraints changed, and redraws it.
    void refreshSelectedSubclass(const Subclass &subclass);
    void colourAxleRows(const Subclass &subclass, int axles);
    void colourHeader();
    void recheckMaxAxleDistance();
    void subclassMayChangeMaxAxleDistance(quint16 number);
    void selectSubclass(quint16 number);
    // Lists the subclass in the invalid list, in its place, or takes it off.
    void showInvalidEntry(quint16 number, bool invalid);

    // The subclass that lineEditSubclass names, or null: its whole text must read as a
    // subclass number of an existing subclass.
    const Subclass *selectedSubclass() const;
    // The selectors' entry of a subclass ("subclass_12"), and where it stands in each list.
    // Both lists are in ascending number: an entry is found, and inserted, by its place.
    static QString entryText(quint16 number);
    static QStringList entryTexts(const QVector<quint16> &numbers);
    static int entryPlace(const QComboBox *list, quint16 number, bool *found);
    static void insertEntry(QComboBox *list, quint16 number);
    int subclassEntry(quint16 number) const;
    int invalidEntry(quint16 number) const;
    void showSubclassIfAny(int number);
    QString targetAxles(const QString &target, bool editing);
    void loadSubclass(const QString &itemText);
    void showSelectedNumber(const QString &number);
    void loadAxleRows(const Subclass &subclass, int axles);
    void shapeAxleRows(int axles);
    void loadConstraints(const Subclass &subclass);
    void loadAxleOne(const Subclass &subclass);
    void createSubclass();
    void deleteSubclass();
    void emptySubclassFields();
    void showEmptySubclassPanel();
    void showAxleOneWidgets();
    void editAxleValue(QLineEdit *edit, quint16 number);
    void editConstraint(QLineEdit *edit, int index, quint16 number);
    void fitWindowToContents();
    int createdRows() const;
    QWidget *widgetAt(QFrame *frame, int position) const;
    QString askFileName(bool save);
    // After Open: the box that says where reading stopped early, or which values were read
    // otherwise than the file writes them; nothing when the file was read as it stands.
    void tellWhatWasRead(const QString &path);
    QString readNotesText() const;
    // The sheet of the configuration as shown: its file's name and the display units.
    SheetOptions sheetOptions() const;
    // File -> Save with its checks, questions and dialog; true when it wrote the file.
    bool saveWithChecks();
    static bool isConfigurationFile(const QMimeData *data, QString *path);
    // What Open read, as the status bar tells it ("Opened PATH: 19 subclasses, 0 invalid").
    QString openedMessage(const QString &path) const;
    // Shows a command's outcome in the status bar for a few seconds.
    void showOutcome(const QString &text);
    void warn(const QString &title, const QString &text);

    bool writeFile(const QString &path, const Conf &written);

    Ui::Veltora *ui;
    MeasurementUnits *unitsDialog = nullptr;
    CompareDialog *compareDialog = nullptr;
    QString titleText;
    QString versionText;

    QString tipAcceptsReal;
    QString tipAxleSelection;
    QString tipTyreType;
    QString tipRemoveConstraint;
    QString tipCountryCode;
    QString tipSubclassMissing;
    QString tipCopyTargetExists;
    QString tipLowerThanSubclasses;
    QString tipAxleConfFormat;
    QString tipAxleCountRange;
    QString tipMaxDistance;
    QString tipMinDistance;
    QString tipConstraintFormat;
    QString tipTyreTypeRange;
    QString tipReclassifyTarget;
    QString textSubclassesValid;
    QString textInvalidSubclasses;

    Conf conf;
    Document *document = nullptr;
    AnalysisPanel *analysis = nullptr;
    float weightFactor = FileFormat::StandardG;
    float lengthFactor = 1.0f;
    quint8 weightUnit = Tons;
    quint8 lengthUnit = Meters;
    int constraintEditCount = 0;

    // Set while the editor itself fills the fields from the model: nothing it sets is an edit.
    bool filling = false;
    // The field the user is typing in, while the edit's refresh runs: a reclassify target
    // typed there is checked by the editing rule.
    QLineEdit *typedField = nullptr;
    // The axles whose rows are shown (0: none), and the constraint edits shown.
    int shownAxles = 0;
    int shownConstraints = 0;
    // The state of the header's maximum axle distance check (0, 1 or 2), and a subclass whose
    // distances make it 1 (-1: none).
    int maxAxleState = 2;
    int aboveMaxWitness = -1;
};
