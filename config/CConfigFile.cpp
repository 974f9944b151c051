#include "config/CConfigFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileWriter.h"
#include "platform/SafeFile.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

namespace {

constexpr int kNotFound = 182;
constexpr int kWriteError = 185;
constexpr int kCorrupted = 186;
constexpr int kNoMemory = 187;
constexpr int kReadError = 188;

int g_allocationsLeft = -1;

unsigned char* Allocate(std::size_t size)
{
    if (g_allocationsLeft == 0)
        return nullptr;
    if (g_allocationsLeft > 0)
        --g_allocationsLeft;
    return static_cast<unsigned char*>(std::calloc(size, 1));
}

// The size of the plain file `fd`, or -1: anything else (a directory, a pipe
// that would block a read) is no workspace file.
off_t PlainFileSize(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? info.st_size : -1;
}

// Repeats `step` (a read or write of what is left after `done` bytes) until
// `size` bytes have moved; false at the end of the file or on an error.
template <typename Step>
bool Whole(std::size_t size, Step step)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = step(done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::int32_t TypeOf(const unsigned char* record)
{
    return ConfigRecord::Decode(record).type;
}

}  // namespace

void CConfigFile::FailAllocationsAfterForTests(int count)
{
    g_allocationsLeft = count;
}

CConfigFile::CConfigFile(const char* directory, const char* name, int mode)
{
    const bool fits = ComposePath(directory, name);
    // O_NONBLOCK: a FIFO in the file's place must not wait for a writer; it is
    // no workspace file and is refused once open.
    if (mode == kRead)
        OpenForReading(fits ? ::open(m_path, O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1);
    else if (mode == kWrite && fits)
        CreateForWriting();
    else
        m_status = mode == kWrite ? kWriteError : kNotFound;
    AllocateRecord();
}

std::unique_ptr<CConfigFile> CConfigFile::FromBytes(const void* data, std::size_t size)
{
    std::unique_ptr<CConfigFile> file(new CConfigFile);
    int fd = ::memfd_create("nuv_cfg", MFD_CLOEXEC);
    if (fd >= 0) {
        file->m_fd = fd;  // WriteFull writes to m_fd
        const bool copied = file->WriteFull(static_cast<const unsigned char*>(data), size) && ::lseek(fd, 0, SEEK_SET) == 0;
        file->m_fd = -1;
        if (!copied) {
            ::close(fd);
            fd = -1;
        }
    }
    file->OpenForReading(fd);
    file->AllocateRecord();
    return file;
}

CConfigFile::~CConfigFile()
{
    Close();
}

// The whole path or none: a cut path would name another file.
bool CConfigFile::ComposePath(const char* directory, const char* name)
{
    const std::size_t dirLength = directory ? std::strlen(directory) : 0;
    const std::size_t nameLength = name ? std::strlen(name) : 0;
    const bool slash = dirLength > 0 && directory[dirLength - 1] != '/';
    if (nameLength == 0 || dirLength + (slash ? 1 : 0) + nameLength + 1 > sizeof m_path)
        return false;
    char* end = m_path;
    if (dirLength > 0) {
        std::memcpy(end, directory, dirLength);
        end += dirLength;
    }
    if (slash)
        *end++ = '/';
    std::memcpy(end, name, nameLength + 1);
    return true;
}

void CConfigFile::OpenForReading(int fd)
{
    if (fd < 0) {
        m_status = kNotFound;
        return;
    }
    m_fd = fd;
    const off_t size = PlainFileSize(fd);
    if (size < 0) {
        CloseFile();
        m_status = kNotFound;
        return;
    }
    unsigned char header[kRecordSize];
    const bool valid = size % static_cast<off_t>(kRecordSize) == 0 && ReadFull(header, sizeof header) &&
                       ConfigRecord::Decode(header).type == kRecordHeader && ConfigRecord::Decode(header).line == CFG_MAGIC;
    if (!valid) {
        CloseFile();
        m_status = kCorrupted;
    }
}

// The records are put together in memory and reach the disk only at Commit,
// whole: until then the file at m_path keeps what it held.
void CConfigFile::CreateForWriting()
{
    m_fd = ::memfd_create("nuv_cfg", MFD_CLOEXEC);
    if (m_fd < 0) {
        m_status = kWriteError;
        return;
    }
    m_bCreated = true;
    WriteSkeleton();
}

void CConfigFile::WriteSkeleton()
{
    for (std::int32_t type : {kRecordHeader, kSectionFrame, kSectionStatusBar, kSectionToolBar, kSectionWindows}) {
        ConfigRecord header;
        header.type = type;
        if (type == kRecordHeader)
            header.line = CFG_MAGIC;
        ConfigRecord end;
        end.type = kSectionEnd;
        unsigned char bytes[2 * kRecordSize];
        header.Encode(bytes);
        end.Encode(bytes + kRecordSize);
        if (!WriteFull(bytes, sizeof bytes)) {
            CloseFile();
            m_status = kWriteError;
            return;
        }
    }
}

void CConfigFile::AllocateRecord()
{
    if (m_status != CFG_OK)
        return;
    m_record = Allocate(kRecordSize);
    if (!m_record) {
        MessageFromTable(IDS_CFG_NO_MEMORY, MB_ICONEXCLAMATION);
        m_bReported = true;
        CloseFile();
        m_status = kNoMemory;
    }
    m_inSection = FALSE;
}

bool CConfigFile::ReadFull(unsigned char* buffer, std::size_t size)
{
    return Whole(size, [&](std::size_t done) { return ::read(m_fd, buffer + done, size - done); });
}

bool CConfigFile::WriteFull(const unsigned char* data, std::size_t size)
{
    FileWriter& writer = CurrentFileWriter();
    return Whole(size, [&](std::size_t done) { return writer.Write(m_fd, data + done, size - done); });
}

BOOL CConfigFile::FindSection(int type)
{
    if (m_status != CFG_OK)
        return FALSE;
    m_inSection = FALSE;
    if (::lseek(m_fd, 0, SEEK_SET) != 0) {
        m_status = kCorrupted;
        return FALSE;
    }
    while (ReadFull(m_record, kRecordSize)) {
        if (TypeOf(m_record) == type) {
            m_inSection = TRUE;
            return TRUE;
        }
    }
    m_status = kCorrupted;
    return FALSE;
}

const unsigned char* CConfigFile::ReadRecord()
{
    if (m_status != CFG_OK || !m_inSection)
        return nullptr;
    if (!ReadFull(m_record, kRecordSize)) {
        m_inSection = FALSE;
        m_status = kReadError;
        return nullptr;
    }
    if (TypeOf(m_record) == kSectionEnd) {
        m_inSection = FALSE;
        return nullptr;
    }
    return m_record;
}

BOOL CConfigFile::InsertRecord(int section, const unsigned char* record)
{
    if (m_status != CFG_OK)
        return FALSE;
    const off_t size = PlainFileSize(m_fd);
    if (size < 0) {
        m_status = kWriteError;
        return FALSE;
    }
    if (!FindSection(section))
        return FALSE;
    m_inSection = FALSE;
    const off_t at = ::lseek(m_fd, 0, SEEK_CUR);
    if (at < 0 || at > size) {
        m_status = kWriteError;
        return FALSE;
    }
    const std::size_t restLength = static_cast<std::size_t>(size - at);
    unsigned char* rest = Allocate(restLength + 5);
    if (!rest) {
        m_status = kNoMemory;
        return FALSE;
    }
    const bool written = ReadFull(rest, restLength) && ::lseek(m_fd, at, SEEK_SET) == at &&
                         WriteFull(record, kRecordSize) && WriteFull(rest, restLength);
    std::free(rest);
    if (!written) {
        m_status = kWriteError;
        return FALSE;
    }
    return TRUE;
}

BOOL CConfigFile::Insert(int section, const ConfigRecord& record)
{
    if (m_status != CFG_OK)
        return FALSE;
    unsigned char bytes[kRecordSize];
    record.Encode(bytes);
    return InsertRecord(section, bytes);
}

BOOL CConfigFile::WriteFrameRecord(const WINDOWPLACEMENT& placement, const LOGFONTA& font)
{
    ConfigRecord record;
    record.type = kRecordFrame;
    record.placement = placement;
    record.active = 1;
    record.font = font;
    return Insert(kSectionFrame, record);
}

BOOL CConfigFile::WriteStatusBarRecord(BOOL visible)
{
    ConfigRecord record;
    record.type = kRecordStatusBar;
    record.active = visible ? 1 : 0;
    return Insert(kSectionStatusBar, record);
}

BOOL CConfigFile::WriteToolBarRecord(BOOL visible)
{
    ConfigRecord record;
    record.type = kRecordToolBar;
    record.active = visible ? 1 : 0;
    return Insert(kSectionToolBar, record);
}

BOOL CConfigFile::WriteEditorRecord(const WINDOWPLACEMENT& placement, BOOL active, const char* name, int column,
                                    int line, const LOGFONTA& font)
{
    ConfigRecord record;
    record.type = kRecordEditor;
    record.placement = placement;
    record.active = active ? 1 : 0;
    if (name)
        std::memcpy(record.name, name, strnlen(name, sizeof record.name - 1));
    record.column = column;
    record.line = line;
    record.font = font;
    return Insert(kSectionWindows, record);
}

BOOL CConfigFile::WriteOutputRecord(const WINDOWPLACEMENT& placement, BOOL active)
{
    ConfigRecord record;
    record.type = kRecordOutput;
    record.placement = placement;
    record.active = active ? 1 : 0;
    return Insert(kSectionWindows, record);
}

BOOL CConfigFile::Commit()
{
    if (m_status != CFG_OK || !m_bCreated)
        return FALSE;
    SafeFile file;
    bool written = file.Open(m_path);
    unsigned char chunk[8 * kRecordSize];
    for (off_t at = 0; written;) {
        const ssize_t n = ::pread(m_fd, chunk, sizeof chunk, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            written = n == 0;
            break;
        }
        written = file.Write(chunk, static_cast<std::size_t>(n));
        at += n;
    }
    written = written && file.Commit();
    CloseFile();  // written once: what follows is reading the status
    m_bCreated = false;
    if (!written)
        m_status = kWriteError;
    return written ? TRUE : FALSE;
}

void CConfigFile::Discard()
{
    const bool open = m_fd >= 0;
    if (!open && !m_bCreated)
        return;
    CloseFile();
    // A writer's records were only in memory; a reader's file goes (the entry
    // itself: a link, never the file it names).
    if (!m_bCreated && m_path[0])
        ::unlink(m_path);
    m_bCreated = false;
    m_status = kNotFound;
}

void CConfigFile::Remove(const char* directory, const char* name)
{
    CConfigFile file;
    if (!file.ComposePath(directory, name))
        return;
    struct stat st {};
    if (::lstat(file.m_path, &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)))
        ::unlink(file.m_path);
}

// Whoever closes a writer without discarding it wants its file, as when the
// records went to the disk one by one.
void CConfigFile::Close()
{
    if (m_bCreated)
        Commit();
    CloseFile();
    std::free(m_record);
    m_record = nullptr;
    m_inSection = FALSE;
}

void CConfigFile::CloseFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
