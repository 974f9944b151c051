#pragma once
// The workspace an exit writes to _nuv_.cfg. The writer (theConfigWriter) lives
// from the first step of an exit to its end, and across an exit that waits for
// a run to end, so that the pass after the run goes on with the same file.
// Write failures do not stop the exit: records simply stop being added, and
// Finish names the failure once. Nothing reaches the disk before Finish.
#include <QHash>
#include <QList>
#include <QString>
#include <memory>

#include "config/CConfigFile.h"

class CNuvChild;
class QMdiSubWindow;

class CWorkspaceWriter {
public:
    CWorkspaceWriter();
    ~CWorkspaceWriter();
    CWorkspaceWriter(const CWorkspaceWriter&) = delete;
    CWorkspaceWriter& operator=(const CWorkspaceWriter&) = delete;

    // Creates the writer of a new _nuv_.cfg in `directory`, unless one exists
    // already; the old file stays as it is until Finish. When the object
    // cannot be allocated there is none.
    void Begin(const QString& directory);
    // The frame, status-bar and tool-bar records, each only while the writer's
    // status is CFG_OK; once per file.
    void WriteFrame(const WINDOWPLACEMENT& placement, const LOGFONTA& font, BOOL statusBarVisible,
                    BOOL toolBarVisible);
    // The places of `windows` as they are now. An exit notes them before it
    // closes anything, because closing changes the others' places: a
    // maximised window hands its state on, a question restores a minimised one.
    void NotePlaces(const QList<QMdiSubWindow*>& windows);
    // An editor window (with the caret where it is now) or the output window
    // while it is shown, at its noted place (else where it is); nothing for any
    // other child or without a writer.
    void WriteWindow(CNuvChild* child, const LOGFONTA& font);
    // The writer dropped with its records: an exit that was cancelled leaves
    // the file as it was.
    void Discard();
    // No _nuv_.cfg left in `directory`, and nothing written: the writer
    // dropped and the directory's own entry deleted (CConfigFile::Remove).
    void Remove(const QString& directory);
    // The end of an exit that saves: the records replace _nuv_.cfg whole;
    // "Not enough memory to save current configuration" without a writer, else
    // the message of a failed writer's status; then the writer is dropped.
    void Finish();
    // The writer closed and dropped without a word: an end that nobody watches.
    void Close();

    static const char* const kFileName;  // "_nuv_.cfg"

private:
    bool Ok() const;
    WINDOWPLACEMENT PlaceOf(const CNuvChild* child) const;

    std::unique_ptr<CConfigFile> theConfigWriter;
    QHash<const QMdiSubWindow*, WINDOWPLACEMENT> m_places;
    bool m_frameWritten = false;
};
