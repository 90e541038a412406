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

// Reads recorded vehicles from CSV text as spreadsheets write it (RFC 4180): a header row naming
// the columns, then one vehicle per row, one at a time so that a file of any length needs no more
// memory than its longest row. A field in double quotes may hold commas, ";" and line breaks (a
// row then runs over several lines and is named by the line it starts on), "" stands for a quote.
// A row that cannot be used is answered with its reason and the reading goes on.
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
    // The next row that is not blank, cut into at most `most` cells (the rest of the row is
    // read and ignored); false at the end. The cells stay valid until the next call.
    bool next_row(int most);
    void read_header();
    bool read_row(VehicleRecord *record, QString *reason) const;

    QTextStream in;
    QString line;
    QVector<QString> quotedCells; // a row with quotes, its fields unquoted
    QVector<QStringRef> cells;
    int rowLine = 0;
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
