// The analysis of the configuration being edited: its table kept current per edit, runs on one
// worker thread after edits settle, stale results dropped, and the baseline changes are marked
// against.
#include "liveanalysis.h"

#include <QMutexLocker>

LiveAnalysis::LiveAnalysis(const Conf &conf, QObject *parent)
    : QObject(parent)
    , conf(conf)
    , current(conf)
{
    settle.setSingleShot(true);
    settle.setInterval(250);
    connect(&settle, &QTimer::timeout, this, &LiveAnalysis::dispatch);
    // The worker's calls run in the thread of this context; an object that moves to another
    // thread can have no parent, so it is deleted once the thread has ended.
    workerContext = new QObject;
    workerContext->moveToThread(&thread);
    thread.setObjectName(QStringLiteral("analysis"));
    thread.start(QThread::LowPriority);
}

LiveAnalysis::~LiveAnalysis()
{
    wanted = 0; // a run going on gives up
    thread.quit();
    thread.wait();
    delete workerContext;
}

bool LiveAnalysis::busy() const
{
    return active && (!newest || newest->generation != generation);
}

bool LiveAnalysis::shows_changes() const
{
    return newest && newest->hasRecords && baseline && newest->outcomes != baseline;
}

int LiveAnalysis::changed_count() const
{
    return shows_changes() ? newest->changedCount : 0;
}

void LiveAnalysis::set_active(bool on)
{
    if (active == on) {
        return;
    }
    active = on;
    if (active) {
        dispatch();
    } else {
        // Nobody looks: a run going on gives up, and showing again runs anew.
        settle.stop();
        wanted = 0;
        dispatched = 0;
    }
    set_busy(busy());
}

void LiveAnalysis::set_records(const QByteArray &text, const QString &name)
{
    records = name.isEmpty() ? QByteArray() : text;
    recordsName = name;
    baseline.reset();
    changed();
    baselineWanted = has_records();
    baselineGeneration = generation;
    baselineTable = BoundsTable();
    // Asked for: no reason to wait for edits to settle.
    settle.stop();
    dispatch();
}

void LiveAnalysis::set_baseline()
{
    baselineTable = BoundsTable();
    if (!has_records()) {
        baseline.reset();
        baselineWanted = false;
        return;
    }
    if (newest && newest->generation == generation) {
        baseline = newest->outcomes;
        baselineWanted = false;
        emit resultsChanged();
        return;
    }
    // The runs to come are compared with the configuration as it is now, whatever is edited
    // before the next run begins.
    baselineWanted = true;
    baselineGeneration = generation;
    baselineTable = current;
}

void LiveAnalysis::headerChanged(FileFormat::Header key)
{
    if (current.header_changed(conf, key)) {
        changed();
    }
}

void LiveAnalysis::subclassChanged(quint16 number)
{
    current.subclass_changed(conf, number);
    changed();
}

void LiveAnalysis::subclassAdded(quint16 number)
{
    subclassChanged(number);
}

void LiveAnalysis::subclassRemoved(quint16 number)
{
    subclassChanged(number);
}

void LiveAnalysis::reset()
{
    current.reset(conf);
    changed();
}

void LiveAnalysis::changed()
{
    ++generation;
    wanted = generation; // a run going on gives up
    emit tableChanged();
    if (active) {
        settle.start();
    }
    set_busy(busy());
}

void LiveAnalysis::dispatch()
{
    if (!active || dispatched == generation || (newest && newest->generation == generation)) {
        return;
    }
    AnalysisJob job;
    job.generation = generation;
    job.table = current;
    job.hasRecords = has_records();
    job.records = records;
    job.baseline = baseline;
    if (baselineWanted && baselineGeneration != generation) {
        job.makeBaseline = true;
        job.baselineTable = baselineTable;
    }
    dispatched = generation;
    wanted = generation;
    {
        QMutexLocker lock(&worker.mutex);
        worker.job = job;
        worker.hasJob = true;
    }
    QMetaObject::invokeMethod(
        workerContext, [this] { work(); }, Qt::QueuedConnection);
}

void LiveAnalysis::work()
{
    AnalysisJob job;
    {
        QMutexLocker lock(&worker.mutex);
        if (!worker.hasJob) {
            return; // a later call took it
        }
        job = worker.job;
        worker.job = AnalysisJob();
        worker.hasJob = false;
    }
    const quint64 mine = job.generation;
    const std::shared_ptr<const AnalysisRun> run = AnalysisRun::run(
        std::move(job), worker.reading, [this, mine] { return wanted.load() != mine; });
    if (run) {
        QMetaObject::invokeMethod(
            this, [this, run] { deliver(run); }, Qt::QueuedConnection);
    }
}

void LiveAnalysis::deliver(const std::shared_ptr<const AnalysisRun> &run)
{
    if (run->generation != generation) {
        return; // an edit overtook it; its own run follows
    }
    newest = run;
    if (baselineWanted) {
        baseline = run->madeBaseline ? run->madeBaseline : run->outcomes;
        baselineWanted = false;
        baselineTable = BoundsTable();
    }
    emit resultsChanged();
    set_busy(busy());
}

void LiveAnalysis::set_busy(bool now)
{
    if (now != wasBusy) {
        wasBusy = now;
        emit busyChanged(now);
    }
}
