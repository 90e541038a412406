#pragma once

#include "fileformat.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

class Conf;
class Subclass;

// The one editing object of the main window: the only code that writes the window's
// configuration. Every user edit goes through its small edit API as one undoable step, and every
// change, done, undone or redone, is announced by one signal per kind, from which the window
// refreshes its colours, lists and pictures. It also holds the history, the file the
// configuration belongs to and whether it has changed since that file was read or written.
class Document : public QObject
{
    Q_OBJECT

public:
    // The per-axle lists a single entry of which can be edited.
    enum class AxleList { MaxDistance, MinDistance, MaxWeight, TyreType, Constraint };

    // `conf` is the window's own configuration, which outlives the document.
    explicit Document(Conf &conf, QObject *parent = nullptr);

    const Conf &configuration() const { return conf; }
    QUndoStack *undoStack() { return &stack; }
    // The file the configuration was read from or last written to; empty for none.
    QString filePath() const { return path; }
    // Changed since it was read or written (undoing back to that point clears it).
    bool isModified() const { return !stack.isClean(); }

    // Open and New: the configuration is replaced whole, by one read from or written to
    // `file`, and the history starts afresh.
    void replace(Conf replacement, const QString &file);
    // Save wrote the configuration to `file`.
    void markSaved(const QString &file);
    // Ends the merging of keystrokes: the next edit is a step of its own (the focus moved, or
    // another subclass was selected).
    void endMerging();

    // The edits. Each is pushed only when it changes the configuration; consecutive edits of
    // the same field of the same subclass merge into one step. `label` names the field in the
    // step's text ("Undo Max. gvw").
    void setHeaderValue(FileFormat::Header key, const QString &value, const QString &label);
    // The g constant chosen in the units dialog: a step of its own, never merged.
    void setG(const QString &value);
    void setSubclassValue(
        quint16 number, FileFormat::Section key, const QString &value, const QString &label);
    // Entry `index` of a list (for constraints, the constraint's text as it is to be stored).
    void setListEntry(
        quint16 number, AxleList list, int index, const QString &value, const QString &label);
    // The number of axles as typed. A valid count shapes the lists: the gaps and axles beyond
    // it are dropped, new ones start empty; an invalid one ("1" on the way to "12") is only
    // stored.
    void setAxleCount(quint16 number, const QString &count);
    // `shownBefore` is the subclass shown when the step was made, shown again by its undo.
    void createSubclass(quint16 number, const QString &category, int shownBefore);
    void copySubclass(quint16 source, quint16 target);
    void removeSubclass(quint16 number);
    void addConstraint(quint16 number, const QString &constraint);
    void removeConstraint(quint16 number, int index);

    // The model changes behind the edits and their undoing; only the commands call them.
    void writeHeader(FileFormat::Header key, const QString &value);
    void writeSubclassValue(quint16 number, FileFormat::Section key, const QString &value);
    void writeListEntry(quint16 number, AxleList list, int index, const QString &value);
    void dropLastListEntry(quint16 number, AxleList list);
    void writeSubclass(quint16 number, const Subclass &subclass);
    void insertSubclass(quint16 number, const Subclass &subclass);
    void eraseSubclass(quint16 number);
    void announceReplay(int subclass) { emit stepReplayed(subclass); }
    int mergeEpoch() const { return epoch; }

    static QString headerValue(const Conf &conf, FileFormat::Header key);
    static QString subclassValue(const Subclass &subclass, FileFormat::Section key);
    static QString listEntry(const Subclass &subclass, AxleList list, int index);
    static int listLength(const Subclass &subclass, AxleList list);
    // What a change of the number of axles makes of a subclass.
    static Subclass withAxleCount(Subclass subclass, const QString &count);

signals:
    // One header value changed (the g constant included).
    void headerChanged(FileFormat::Header key);
    // A value or a list of one subclass changed.
    void subclassChanged(quint16 number);
    void subclassAdded(quint16 number);
    void subclassRemoved(quint16 number);
    // Open or New replaced the whole configuration.
    void reset();
    // Save wrote the configuration.
    void saved();
    void filePathChanged(const QString &path);
    void modifiedChanged(bool modified);
    // Undo or redo replayed a step: `subclass` is the one it happened in (or the one to show
    // again), -1 for a step of the header.
    void stepReplayed(int subclass);

private:
    Conf &conf;
    QUndoStack stack;
    QString path;
    int epoch = 0;
};
