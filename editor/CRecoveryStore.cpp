#include "editor/CRecoveryStore.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

#include "editor/CRecoveryWriter.h"
#include "editor/ModelFile.h"

namespace fs = std::filesystem;

namespace {

CRecoveryStore* g_store = nullptr;

const char* const kLockName = "lock";
const char* const kCopySuffix = ".rec";
const char* const kNewPrefix = ".new-";

// The lock of `folder`, held by this program on success; -1 when another
// program holds it or it cannot be opened.
int TakeLock(const std::string& folder)
{
    const int fd = ::open((folder + "/" + kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
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

}  // namespace

CRecoveryStore* TheRecoveryStore()
{
    return g_store;
}

void SetRecoveryStore(CRecoveryStore* store)
{
    g_store = store;
}

CRecoveryStore::CRecoveryStore() = default;

CRecoveryStore::~CRecoveryStore()
{
    m_writer.reset();  // what was queued is written first
    for (const auto& [folder, fd] : m_taken)
        ::close(fd);
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    if (g_store == this)
        g_store = nullptr;
}

bool CRecoveryStore::Open(const std::string& base)
{
    if (IsOpen() || base.empty())
        return IsOpen();
    std::error_code error;
    fs::create_directories(base, error);
    const long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    static int opened = 0;  // several stores of one process (tests) get folders of their own
    const std::string name = std::to_string(::getpid()) + "-" + std::to_string(now) + "-" + std::to_string(++opened);
    const std::string fresh = base + "/" + kNewPrefix + name;
    if (!fs::create_directory(fresh, error))
        return false;
    const int fd = TakeLock(fresh);
    const std::string folder = base + "/" + name;
    if (fd < 0 || ::rename(fresh.c_str(), folder.c_str()) != 0) {
        if (fd >= 0)
            ::close(fd);
        RemoveFolder(fresh);
        return false;
    }
    m_base = base;
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
    if (m_writer)
        m_writer->Write(CopyPath(id), EncodeRecoveryRecord(record));
}

void CRecoveryStore::Drop(int id)
{
    if (m_writer)
        m_writer->Remove(CopyPath(id));
}

void CRecoveryStore::Flush()
{
    if (m_writer)
        m_writer->Flush();
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
    if (!IsOpen())
        return orphans;
    std::vector<fs::path> folders;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_base, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(error) && entry.path().string() != m_folder && name.rfind(kNewPrefix, 0) != 0)
            folders.push_back(entry.path());
    }
    // Names start with the process number, then the time: sort by the time.
    std::sort(folders.begin(), folders.end(), [](const fs::path& a, const fs::path& b) {
        const std::string x = a.filename().string(), y = b.filename().string();
        return x.substr(x.find('-') + 1) < y.substr(y.find('-') + 1);
    });
    for (const fs::path& folder : folders) {
        const int fd = TakeLock(folder.string());
        if (fd < 0)
            continue;  // its program is still running
        m_taken.emplace_back(folder.string(), fd);
        std::vector<fs::path> copies;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().extension() == kCopySuffix)
                copies.push_back(entry.path());
        }
        // In the order their windows were first changed: by the number in the name.
        std::sort(copies.begin(), copies.end(), [](const fs::path& a, const fs::path& b) {
            return std::strtol(a.stem().c_str(), nullptr, 10) < std::strtol(b.stem().c_str(), nullptr, 10);
        });
        for (const fs::path& copy : copies) {
            FileBuffer bytes;
            std::size_t length = 0;
            RecoveryRecord record;
            if (ReadWholeFile(copy.c_str(), SIZE_MAX / 2, &bytes, &length) == LoadStatus::Ok &&
                DecodeRecoveryRecord(bytes.get(), length, &record))
                orphans.push_back({folder.string(), std::move(record)});
        }
    }
    return orphans;
}

void CRecoveryStore::DiscardOrphans()
{
    for (const auto& [folder, fd] : m_taken) {
        RemoveFolder(folder);
        ::close(fd);
    }
    m_taken.clear();
}
