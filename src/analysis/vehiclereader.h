#pragma once

#include <QString>
#include <QTextStream>
#include <QVector>

class Conf;
class QIODevice;

// One recorded vehicle, in metres and kilonewtons.
struct VehicleRecord
{
    int line = 0;
    QString id;
    QVector<float> gaps;
    // One per axle, or empty when the row gives none.
    QVector<float> axleWeights;
    bool hasGross = false;
    float gross = 0;
    bool hasExpected = false;
    quint16 expected = 0;
};

// Reads recorded vehicles from CSV text: a header row naming the columns, then one vehicle per
// row, one at a time so that a file of any length needs no more memory than its longest row. A
// row that cannot be used is answered with its reason and the reading goes on.
class VehicleReader
{
public:
    // Reads from `device`, open for reading; tonnes convert with the configuration's g, and an
    // expected subclass must be one of its subclasses.
    VehicleReader(QIODevice *device, const Conf &conf);

    // Empty when the header row names the columns a vehicle needs; otherwise why not, and
    // next() reads nothing.
    QString header_problem() const { return problem; }

    enum Outcome { Vehicle, Skipped, End };
    // The next row: a vehicle in `record`, or a row that cannot be used (record->line says
    // which) with its reason in `reason`. Blank rows are passed over.
    Outcome next(VehicleRecord *record, QString *reason);

private:
    enum Column { Id, Axles, Gaps, Weights, Gross, Expected, ColumnCount };
    void read_header(const QString &line);
    bool read_row(const QString &line, VehicleRecord *record, QString *reason) const;

    QTextStream in;
    const Conf &conf;
    float g;
    int lineNumber = 0;
    QString problem;
    // Per column, its position in a row (-1: absent), its name and the factor to the model's unit.
    int position[ColumnCount];
    QString name[ColumnCount];
    float factor[ColumnCount];
    int lastNeeded = 0;
};
