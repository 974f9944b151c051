#pragma once
// The workspace file _nuv_.cfg: a header record and five sections, each a
// section-header record, its records and an end record (ConfigRecord.h has the
// record layout). A new file is the ten records without contents; records are
// inserted directly after their section's header, so a section lists its
// records in the reverse order of their insertion.
//
// m_status is CFG_OK or the string-table id of the first failure (182, 185, 186,
// 187, 188), which is also the message to show for it. Once it is not CFG_OK
// every operation except Close and Discard does nothing and fails: the first
// failure ends all further work on the object.
//
// The object is plain code over a file descriptor; the caller hands in what the
// records hold. A writer keeps its file in memory until Commit replaces the
// one on disk whole (SafeFile), so a writer dropped half-way leaves the old
// file as it was. A reader opens the file for reading only. A path that would
// not fit 260 bytes is refused, never cut: reading gives 182, writing 185, and
// no file is opened, created or removed.
#include <cstddef>
#include <memory>

#include "config/ConfigRecord.h"
#include "platform/Win32Types.h"

inline constexpr int CFG_OK = 19;

class CConfigFile {
public:
    static constexpr int kRead = 1;   // open an existing file
    static constexpr int kWrite = 2;  // a new one with the empty sections, in memory until Commit

    // The file `name` in `directory`. A failure to allocate the record buffer
    // shows "Not enough memory to save current configuration" at once (187).
    CConfigFile(const char* directory, const char* name, int mode);
    // A reader over a copy of `size` bytes held in memory, as if they were a file
    // (for tools that feed the reader whole files); removing it removes nothing.
    static std::unique_ptr<CConfigFile> FromBytes(const void* data, std::size_t size);
    ~CConfigFile();
    CConfigFile(const CConfigFile&) = delete;
    CConfigFile& operator=(const CConfigFile&) = delete;

    // Positions after the first record of `type` in the file; FALSE (186) when
    // the file holds none.
    BOOL FindSection(int type);
    // The next record of the section found last (380 bytes, valid until the next
    // read); nullptr at the section's end record, outside a section, or when the
    // file ends inside a record (188).
    const unsigned char* ReadRecord();
    // Inserts the 380 bytes at `record` right after the header of `section`.
    BOOL InsertRecord(int section, const unsigned char* record);

    // The four record writers, with the window state handed in.
    BOOL WriteFrameRecord(const WINDOWPLACEMENT& placement, const LOGFONTA& font);
    BOOL WriteStatusBarRecord(BOOL visible);
    BOOL WriteToolBarRecord(BOOL visible);
    // An editor window: `name` (up to its zero, at most 259 bytes), the caret's
    // 1-based column and 0-based line, the editor font.
    BOOL WriteEditorRecord(const WINDOWPLACEMENT& placement, BOOL active, const char* name, int column, int line,
                           const LOGFONTA& font);
    BOOL WriteOutputRecord(const WINDOWPLACEMENT& placement, BOOL active);

    // A writer: its records, while the status is CFG_OK, become the file at the
    // path (through a link to the file it names, with the permission bits of
    // the file it replaces); anything in its place that is not a plain file
    // is left alone. A failure sets status 185 and leaves the old file whole.
    // Once only: the writer holds no records afterwards.
    BOOL Commit();
    // A reader: closes the file and deletes it. A writer: drops its records,
    // touching nothing on disk. Status 182.
    void Discard();
    // Deletes the file `name` in `directory` without opening it: the entry
    // itself when it is a plain file or a symbolic link (never the file a
    // link names); anything else, or a path that does not fit, stays.
    static void Remove(const char* directory, const char* name);
    // Closes the file if open and frees the record buffer; a writer neither
    // committed nor discarded commits first (so does the destructor).
    void Close();

    // True when the object showed its own failure message (the record buffer
    // it could not allocate), so that whoever reports m_status need not again.
    bool Reported() const { return m_bReported; }

    // Tests: the next `count` buffer allocations succeed, then they fail (-1: never).
    static void FailAllocationsAfterForTests(int count);

    char m_path[MAX_PATH] = {};
    int m_fd = -1;
    BOOL m_inSection = FALSE;
    int m_status = CFG_OK;
    unsigned char* m_record = nullptr;

private:
    CConfigFile() = default;
    bool ComposePath(const char* directory, const char* name);
    void OpenForReading(int fd);
    void CreateForWriting();
    void WriteSkeleton();
    void AllocateRecord();
    bool ReadFull(unsigned char* buffer, std::size_t size);
    bool WriteFull(const unsigned char* data, std::size_t size);
    BOOL Insert(int section, const ConfigRecord& record);
    void CloseFile();

    bool m_bCreated = false;  // a writer: m_fd holds the file being made
    bool m_bReported = false;
};
