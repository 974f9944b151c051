#include "editor/CRecoveryStore.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "editor/CRecoveryWriter.h"
#include "editor/ModelFile.h"

namespace fs = std::filesystem;

namespace {

CRecoveryStore* g_store = nullptr;
bool g_failOpen = false;

const char* const kLockName = "lock";
const char* const kCopySuffix = ".rec";
const char* const kNewPrefix = ".new-";

// The lock of `folder`, held by this program on success; -1 when another
// program holds it or it cannot be opened. Never through a link, never
// waiting on a FIFO; the lock of a folder that cannot be written is taken
// through a descriptor that only reads.
int TakeLock(const std::string& folder)
{
    const std::string path = folder + "/" + kLockName;
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | flags, 0600);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = ::open(path.c_str(), O_RDONLY | flags);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void RemoveFolder(const std::string& folder)
{
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

// The folders under `base` that may be orphans, oldest first: real folders
// (a link is never followed), not `own`, not one still being made.
std::vector<fs::path> CandidateFolders(const std::string& base, const std::string& own)
{
    std::vector<fs::path> folders;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.symlink_status(error).type() == fs::file_type::directory && entry.path().string() != own &&
            name.rfind(kNewPrefix, 0) != 0)
            folders.push_back(entry.path());
    }
    // Names are <pid>-<time>-<n>: by the time, then by the number.
    const auto key = [](const fs::path& folder) {
        const std::string name = folder.filename().string();
        const char* time = name.c_str() + std::min(name.find('-') + 1, name.size());
        char* rest = nullptr;
        const long long ms = std::strtoll(time, &rest, 10);
        return std::make_pair(ms, std::strtol(*rest == '-' ? rest + 1 : rest, nullptr, 10));
    };
    std::sort(folders.begin(), folders.end(), [&key](const fs::path& a, const fs::path& b) { return key(a) < key(b); });
    return folders;
}

// The readable copies in `folder`, in the order their windows were first
// changed: by the number in the name.
std::vector<CRecoveryStore::Orphan> ReadCopies(const fs::path& folder)
{
    std::vector<fs::path> copies;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == kCopySuffix)
            copies.push_back(entry.path());
    }
    std::sort(copies.begin(), copies.end(), [](const fs::path& a, const fs::path& b) {
        return std::strtol(a.stem().c_str(), nullptr, 10) < std::strtol(b.stem().c_str(), nullptr, 10);
    });
    std::vector<CRecoveryStore::Orphan> orphans;
    for (const fs::path& copy : copies) {
        FileBuffer bytes;
        std::size_t length = 0;
        RecoveryRecord record;
        if (ReadWholeFile(copy.c_str(), SIZE_MAX / 2, &bytes, &length) == LoadStatus::Ok &&
            DecodeRecoveryRecord(bytes.get(), length, &record))
            orphans.push_back({folder.string(), copy.string(), std::move(record)});
    }
    return orphans;
}

}  // namespace

CRecoveryStore* TheRecoveryStore()
{
    return g_store;
}

void SetRecoveryStore(CRecoveryStore* store)
{
    g_store = store;
}

void CRecoveryStore::FailOpenForTests(bool fail)
{
    g_failOpen = fail;
}

CRecoveryStore::CRecoveryStore() = default;

CRecoveryStore::~CRecoveryStore()
{
    m_writer.reset();  // what was queued is written first
    for (const auto& [folder, taken] : m_taken)
        ::close(taken.fd);
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    if (g_store == this)
        g_store = nullptr;
}

bool CRecoveryStore::Open(const std::string& base)
{
    if (IsOpen())
        return true;
    m_base = base;
    m_openError = base.empty() ? ENOENT : g_failOpen ? EACCES : 0;
    if (m_openError != 0)
        return false;
    std::error_code error;
    fs::create_directories(base, error);
    const long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    static int opened = 0;  // several stores of one process (tests) get folders of their own
    const std::string name = std::to_string(::getpid()) + "-" + std::to_string(now) + "-" + std::to_string(++opened);
    const std::string fresh = base + "/" + kNewPrefix + name;
    // The folder's own failure says why: the base not being a folder shows there too.
    if (::mkdir(fresh.c_str(), 0700) != 0) {
        m_openError = errno;
        return false;
    }
    const int fd = TakeLock(fresh);
    const std::string folder = base + "/" + name;
    if (fd < 0 || ::rename(fresh.c_str(), folder.c_str()) != 0) {
        m_openError = errno != 0 ? errno : EIO;
        if (fd >= 0)
            ::close(fd);
        RemoveFolder(fresh);
        return false;
    }
    m_folder = folder;
    m_lockFd = fd;
    m_writer = std::make_unique<CRecoveryWriter>();
    return true;
}

std::string CRecoveryStore::CopyPath(int id) const
{
    return m_folder + "/" + std::to_string(id) + kCopySuffix;
}

void CRecoveryStore::Keep(int id, const RecoveryRecord& record)
{
    if (!m_writer)
        return;
    m_writer->Write(CopyPath(id), EncodeRecoveryRecord(record));
    m_kept.insert(id);
}

void CRecoveryStore::Keep(int id, RecoveryRecord record, std::function<std::string()> textBytes)
{
    if (!m_writer)
        return;
    m_writer->Write(CopyPath(id), [record = std::move(record), textBytes = std::move(textBytes)]() mutable {
        record.bytes = textBytes();
        return EncodeRecoveryRecord(record);
    });
    m_kept.insert(id);
}

void CRecoveryStore::Drop(int id)
{
    if (m_writer)
        m_writer->Remove(CopyPath(id));
    m_kept.erase(id);
    Settle(id);
}

void CRecoveryStore::Flush()
{
    if (!m_writer)
        return;
    m_writer->Flush();
    for (auto it = m_adopted.begin(); it != m_adopted.end();) {
        const int id = (it++)->first;
        if (Held(id))
            Settle(id);
    }
}

// Window `id`'s own copy is on disk with its newest text.
bool CRecoveryStore::Held(int id)
{
    return m_writer && m_kept.count(id) != 0 && !m_writer->Failed(CopyPath(id));
}

void CRecoveryStore::Settle(int id)
{
    const auto adopted = m_adopted.find(id);
    if (adopted == m_adopted.end())
        return;
    ::unlink(adopted->second.copy.c_str());
    const std::string folder = adopted->second.folder;
    m_adopted.erase(adopted);
    const auto taken = m_taken.find(folder);
    if (taken != m_taken.end() && --taken->second.left <= 0)
        Forget(folder, true);
}

void CRecoveryStore::Forget(const std::string& folder, bool remove)
{
    const auto taken = m_taken.find(folder);
    if (taken == m_taken.end())
        return;
    // Removed while still locked, so that no other program takes it half gone.
    if (remove)
        RemoveFolder(folder);
    ::close(taken->second.fd);
    m_taken.erase(taken);
}

void CRecoveryStore::RemoveAll()
{
    if (!IsOpen())
        return;
    m_writer.reset();
    RemoveFolder(m_folder);
    ::close(m_lockFd);
    m_lockFd = -1;
}

std::vector<CRecoveryStore::Orphan> CRecoveryStore::TakeOrphans()
{
    std::vector<Orphan> orphans;
    if (m_base.empty())
        return orphans;
    for (const fs::path& folder : CandidateFolders(m_base, m_folder)) {
        if (m_taken.count(folder.string()) != 0)
            continue;
        const int fd = TakeLock(folder.string());
        if (fd < 0)
            continue;  // its program is still running
        std::vector<Orphan> copies = ReadCopies(folder);
        m_taken[folder.string()] = Taken{fd, static_cast<int>(copies.size()), false};
        // A program that ended with nothing unsaved left only its lock.
        if (copies.empty())
            Forget(folder.string(), true);
        for (Orphan& copy : copies)
            orphans.push_back(std::move(copy));
    }
    return orphans;
}

void CRecoveryStore::Adopt(int id, const Orphan& orphan)
{
    const auto taken = m_taken.find(orphan.folder);
    if (taken == m_taken.end() || m_adopted.count(id) != 0)
        return;
    taken->second.adopted = true;
    m_adopted[id] = {orphan.folder, orphan.copy};
}

void CRecoveryStore::ReleaseOrphans()
{
    ForgetUnadopted(false);
}

void CRecoveryStore::DiscardOrphans()
{
    ForgetUnadopted(true);
}

void CRecoveryStore::ForgetUnadopted(bool remove)
{
    for (auto it = m_taken.begin(); it != m_taken.end();) {
        const auto next = std::next(it);
        if (!it->second.adopted)
            Forget(it->first, remove);
        it = next;
    }
}
