#pragma once

#include <QDialog>

namespace Ui {
class MeasurementUnits;
}

// The Options -> "Configuration" dialog: lets the user pick the display units for weights and
// lengths and, for tonnes, the g constant. Owned by the main window, which receives the choice
// through sendUnits; the file itself always keeps kilonewtons and metres.
class MeasurementUnits : public QDialog
{
    Q_OBJECT

public:
    MeasurementUnits(QWidget *parent, quint8 weight, quint8 length, float g);
    ~MeasurementUnits() override;

signals:
    void sendUnits(quint8 weight, quint8 length, float g);

public slots:
    void weightUnitChanged(int radioButton);

private slots:
    void on_lineEditG_textEdited(const QString &arg1);
    void on_buttonBox_accepted();

private:
    Ui::MeasurementUnits *ui;
    float g;
};
