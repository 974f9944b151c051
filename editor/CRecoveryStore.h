#pragma once
// Where recovery copies live: a folder per running program under the user's
// state directory, locked by that program for as long as it runs. A folder
// whose lock nobody holds belongs to a program that is no longer running
// (it crashed or was killed): its copies are orphans, offered back at the
// next start. Two programs running at once never take each other's copies.
//
// Layout: <base>/<pid>-<time>-<n>/lock and one <id>.rec per editor window with
// unsaved changes (RecoveryRecord.h). A folder is made under a temporary name
// and renamed once its lock is held, so no folder is ever seen unlocked while
// its program is alive.
#include <memory>
#include <string>
#include <vector>

#include "editor/RecoveryRecord.h"

class CRecoveryWriter;

class CRecoveryStore {
public:
    CRecoveryStore();
    ~CRecoveryStore();  // the folder stays unless RemoveAll was called: a crash-free exit calls it
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    // Makes this program's folder under `base`. False when it cannot be made;
    // the store then keeps nothing and every call below does nothing.
    bool Open(const std::string& base);
    bool IsOpen() const { return m_lockFd >= 0; }
    const std::string& Folder() const { return m_folder; }

    // A number for a window's copy, unique in this program.
    int NewId() { return ++m_lastId; }
    // Queues the copy of window `id` (written away from this thread), or its removal.
    void Keep(int id, const RecoveryRecord& record);
    void Drop(int id);
    // Returns when every queued copy is on disk.
    void Flush();
    // A normal end: this program's folder goes, with every copy in it.
    void RemoveAll();

    struct Orphan {
        std::string folder;
        RecoveryRecord record;
    };
    // The copies left by programs that are no longer running, oldest folder
    // first. Their folders stay locked by this program until DiscardOrphans.
    std::vector<Orphan> TakeOrphans();
    // Deletes the folders TakeOrphans found.
    void DiscardOrphans();

private:
    std::string CopyPath(int id) const;

    std::string m_base;
    std::string m_folder;
    int m_lockFd = -1;
    int m_lastId = 0;
    std::unique_ptr<CRecoveryWriter> m_writer;
    std::vector<std::pair<std::string, int>> m_taken;  // orphan folders and their lock descriptors
};

// The store in force (the application's), or nullptr: windows keep no copies then.
CRecoveryStore* TheRecoveryStore();
void SetRecoveryStore(CRecoveryStore* store);
