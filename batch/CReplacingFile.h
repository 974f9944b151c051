#pragma once
// An output file that appears complete under its name or not at all. The text
// is written into a new file in the target's directory, which Commit syncs and
// renames over the target; until then the target keeps its old contents, and
// a run that fails or is killed leaves nothing under the target's name.
//
// Where the file system offers it the new file is anonymous (O_TMPFILE), so a
// killed process leaves no trace at all; elsewhere it is a hidden temporary
// file, which BreakSignals removes when the process dies by a signal.
// A symbolic link is written through (its target is replaced, the link stays);
// the new file takes the permission bits of the file it replaces. A path that
// exists and is not a regular file (a directory, FIFO, device) is refused
// without being opened.
#include <string>
#include <sys/types.h>

class CReplacingFile {
public:
    CReplacingFile() = default;
    ~CReplacingFile();  // Abort unless committed
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // Prepares the new file for `path`. With `append`, it starts as a copy of
    // the existing file, so the text follows the old contents. False (errno
    // set) when the path cannot take an output file.
    bool Open(const std::string& path, bool append);
    int Descriptor() const { return m_fd; }
    // Syncs the new file and puts it in place. False (errno set; the target
    // untouched, nothing left behind) on failure.
    bool Commit();
    // Drops the new file.
    void Abort();

private:
    bool OpenTemporary(mode_t mode);
    bool CopyExisting();
    bool PutInPlace();

    std::string m_target;
    std::string m_temporary;  // empty for an anonymous file
    int m_fd = -1;
};
