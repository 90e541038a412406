#pragma once

#include "analysisrun.h"
#include "boundstable.h"
#include "fileformat.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

class Conf;

// The analysis of the configuration being edited, kept up to date as it is edited. The editor's
// change notifications keep a BoundsTable current (one subclass's edit costs that subclass);
// once edits have settled, and only while someone looks (active), a snapshot of it goes to one
// worker thread, which runs the overlaps and the recorded vehicles there. A result that an edit
// has overtaken is dropped, and a run an edit overtakes gives up early. Lives on the GUI thread
// with the configuration, which must outlive it.
class LiveAnalysis : public QObject
{
    Q_OBJECT

public:
    explicit LiveAnalysis(const Conf &conf, QObject *parent = nullptr);
    ~LiveAnalysis() override;

    // The table as of the last notification: what the window map draws.
    const BoundsTable &table() const { return current; }
    // The newest run that is up to date or was when made; null before the first.
    std::shared_ptr<const AnalysisRun> latest() const { return newest; }
    // Edits are waiting for a run, or a run is going on.
    bool busy() const;
    // Rows changed since the baseline: none while the latest run is the baseline itself.
    int changed_count() const;
    bool shows_changes() const;

    // Runs are made only while active; becoming active runs at once when anything changed.
    void set_active(bool active);
    bool is_active() const { return active; }
    // The records file's text, read again at every run; the baseline becomes the configuration
    // as it is now. An empty name clears the records.
    void set_records(const QByteArray &text, const QString &name);
    QString records_name() const { return recordsName; }
    const QByteArray &records_text() const { return records; }
    bool has_records() const { return !recordsName.isEmpty(); }
    // The rows' outcomes under the configuration as it is now become the baseline that
    // changes are marked against.
    void set_baseline();
    // How long edits must rest before a run.
    void set_settle_time(int milliseconds) { settle.setInterval(milliseconds); }

public slots:
    void headerChanged(FileFormat::Header key);
    void subclassChanged(quint16 number);
    void subclassAdded(quint16 number);
    void subclassRemoved(quint16 number);
    void reset();

signals:
    // The table changed: anything drawn from it is out of date.
    void tableChanged();
    void busyChanged(bool busy);
    // latest() holds a new run, or the baseline changed.
    void resultsChanged();

private:
    // The worker thread's side: the job to run next and what it keeps between runs.
    struct Worker
    {
        QMutex mutex;
        bool hasJob = false;
        AnalysisJob job;
        ReadingConf reading;
    };

    void changed();
    void dispatch();
    void work();
    void deliver(const std::shared_ptr<const AnalysisRun> &run);
    void set_busy(bool busy);

    const Conf &conf;
    BoundsTable current;
    quint64 generation = 1;
    quint64 dispatched = 0;
    std::atomic<quint64> wanted {1};
    std::shared_ptr<const AnalysisRun> newest;
    bool active = false;
    bool wasBusy = false;
    QTimer settle;

    QString recordsName;
    QByteArray records;
    std::shared_ptr<const RowOutcomes> baseline;
    bool baselineWanted = false;
    quint64 baselineGeneration = 0;
    BoundsTable baselineTable;

    QThread thread;
    QObject *workerContext = nullptr;
    Worker worker;
};
