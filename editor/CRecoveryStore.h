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
//
// An orphan taken back into a window (Adopt) stays on disk, locked by this
// program, until its text is safe elsewhere: the window's own copy is on disk,
// or the window's text was saved or given up. Its folder goes with its last
// orphan. So whatever ends this program meanwhile, the text is still on disk.
#include <functional>
#include <map>
#include <memory>
#include <set>
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

    // Makes this program's folder under `base`. False when it cannot be made
    // (OpenError says why): the store then keeps no copies, but the orphans
    // under `base` can still be taken back.
    bool Open(const std::string& base);
    bool IsOpen() const { return m_lockFd >= 0; }
    const std::string& Folder() const { return m_folder; }
    // The errno of the Open that failed; 0 after one that succeeded.
    int OpenError() const { return m_openError; }

    // A number for a window's copy, unique in this program.
    int NewId() { return ++m_lastId; }
    // Queues the copy of window `id` (written away from this thread), or its
    // removal; a removal also lets go of the orphan the window adopted.
    void Keep(int id, const RecoveryRecord& record);
    // The same for a record whose bytes are made by `textBytes` on the writer's
    // thread: the caller's thread pays only for what the function holds.
    void Keep(int id, RecoveryRecord record, std::function<std::string()> textBytes);
    void Drop(int id);
    // Returns when every queued copy is on disk; the orphans whose windows'
    // copies are now on disk go.
    void Flush();
    // A normal end: this program's folder goes, with every copy in it.
    void RemoveAll();

    struct Orphan {
        std::string folder;
        std::string copy;  // the copy's file
        RecoveryRecord record;
    };
    // The readable copies left by programs that are no longer running, oldest
    // folder first. Their folders stay locked by this program until they are
    // settled by one of the three calls below (or this program ends).
    std::vector<Orphan> TakeOrphans();
    // The orphan's text is now in window `id` (see above).
    void Adopt(int id, const Orphan& orphan);
    // Leaves every orphan not adopted where it is, for the next start.
    void ReleaseOrphans();
    // Deletes the folders of every orphan not adopted.
    void DiscardOrphans();

    // Tests: while set, Open fails as a folder that cannot be written does.
    static void FailOpenForTests(bool fail);

private:
    struct Taken {
        int fd = -1;
        int left = 0;          // its orphans not yet settled
        bool adopted = false;  // one of them was adopted
    };
    struct Adopted {
        std::string folder;
        std::string copy;
    };
    std::string CopyPath(int id) const;
    bool Held(int id);
    void Settle(int id);
    void Forget(const std::string& folder, bool remove);
    void ForgetUnadopted(bool remove);

    std::string m_base;
    std::string m_folder;
    int m_lockFd = -1;
    int m_openError = 0;
    int m_lastId = 0;
    std::unique_ptr<CRecoveryWriter> m_writer;
    std::map<std::string, Taken> m_taken;  // orphan folders by path
    std::map<int, Adopted> m_adopted;      // by the id of the window that took them
    std::set<int> m_kept;                  // ids whose copy was queued since their last removal
};

// The store in force (the application's), or nullptr: windows keep no copies then.
CRecoveryStore* TheRecoveryStore();
void SetRecoveryStore(CRecoveryStore* store);
