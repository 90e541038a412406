#pragma once

#include "conf.h"

#include <QMainWindow>
#include <QString>

#include <functional>

class MeasurementUnits;
class QLineEdit;
class Subclass;

namespace Ui {
class Veltora;
}

// Display units; the codes are the ids of the units dialog's radio buttons.
enum WeightUnit : quint8 { Tons = 0, Pounds = 1, Kilonewtons = 2 };
enum LengthUnit : quint8 { Meters = 0, Feet = 1, Inches = 2 };

// The main window: owns the form, the one configuration model and the display-unit state.
// Its editing behaviour is split by concern over src/editor/ and src/drawing/.
class Veltora : public QMainWindow
{
    Q_OBJECT

public:
    explicit Veltora(QWidget *parent = nullptr);
    ~Veltora() override;

    // The configuration being edited (the file commands replace it as a whole).
    const Conf &configuration() const { return conf; }
    Conf &configuration() { return conf; }

    // Colouring and conversion shared by every editing concern (src/editor/fieldstyle.cpp).
    void validateEdit(QLineEdit *edit, bool valid, const QString &tip);
    void validateEditThreeWay(QLineEdit *edit, int state);
    bool isMarkedInvalid(QLineEdit *edit) const;
    double toDisplayValue(const QString &text, bool isWeight) const;
    QString toStoredText(const QString &text, bool isWeight) const;
    QString editToStoredText(QLineEdit *edit, bool isWeight) const;
    void showConvertedValue(QLineEdit *edit, const QString &text, bool isWeight, bool valid);
    void showConvertedValueThreeWay(QLineEdit *edit, const QString &text, bool isWeight,
                                    int state);
    void showConvertedConstraint(QLineEdit *edit, const QString &text, bool valid);

    // Header panel and the invalid-subclass list (src/editor/headerpanel.cpp).
    void checkHeaderField(QLineEdit *edit, const std::function<void(QString)> &setter,
                          const std::function<bool()> &check, const QString &tip);
    void checkHeaderLength(QLineEdit *edit, const std::function<void(QString)> &setter,
                           const std::function<bool()> &check);
    void checkHeaderMaxAxleDistance(QLineEdit *edit, const std::function<void(QString)> &setter,
                                    const std::function<int()> &check);
    void fillInvalidList();
    void updateInvalidListEntry(const Subclass &subclass);
    void clearInvalidList();

    // The two pictures of the selected subclass (src/editor/pictures.cpp).
    void drawVehicles(const Subclass &subclass);
    void clearImage();

    // Subclass panel and per-axle widgets.
    void resetSubclassPanel();
    void setupAxleEdit(QLineEdit *edit, bool realValues, const QString &statusTip,
                       const QString &objectName);

private slots:
    void menuNewClicked();
    void menuOpenClicked();
    void menuSaveClicked();
    void menuAboutClicked();
    void menuUpdateClicked();
    void menuConfigurationClicked();
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

private:
    // The conversion tests set the factors directly: the units dialog is the only other way.
    friend class tst_FieldStyle;

    void connectHeaderFields();
    void recolourDistanceRows();

    Ui::Veltora *ui;
    MeasurementUnits *unitsDialog = nullptr;
    QString validStyle;
    QString invalidStyle;
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
    float weightFactor = 9.80665f;
    float lengthFactor = 1.0f;
    quint8 weightUnit = Tons;
    quint8 lengthUnit = Meters;
    int constraintEditCount = 0;
};
