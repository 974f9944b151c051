#pragma once
// The one way this program writes a file: models, backups, the workspace file,
// output and listing files, recovery copies. Whatever fails, or wherever the
// program is killed, the file keeps its old contents under its own name:
//
// - the new contents go into a temporary file beside the target, which is
//   synced and then renamed over it, so the target is replaced whole or not
//   at all, and a failure leaves no temporary file behind;
// - a symbolic link is written through: the file it names (also one that does
//   not exist yet) is replaced, and the link stays a link;
// - the new file gets the permission bits of the file it replaces, and its
//   owner and group where the system allows; a new file gets `modeIfNew`;
// - a path that names anything but a plain file (a directory, a FIFO, a
//   device) is refused without being opened, so nothing blocks on it;
// - appending copies the old contents into the temporary file first: the file
//   then holds either its old contents or the old followed by the new, never
//   a part of what was appended.
//
// Writes are buffered; every write(2) goes through the FileWriter it was given.
#include <cstddef>
#include <string>
#include <sys/types.h>

#include "platform/FileWriter.h"

class SafeFile {
public:
    enum class Mode { Replace, Append };

    explicit SafeFile(FileWriter& writer = CurrentFileWriter());
    // A file not committed is abandoned: its temporary file goes, the target
    // stays as it was.
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Begins the new contents of `path`. False (nothing created, errno set)
    // for an empty path, a path that is not a plain file, or a directory where
    // no temporary file can be made. Appending to a file that does not exist
    // begins an empty one.
    bool Open(const char* path, Mode mode = Mode::Replace, mode_t modeIfNew = NewFileMode());
    // The new file takes the permission bits, owner and group of `original`
    // rather than those of the file it replaces: a copy is as private as the
    // file it copies.
    bool TakeAttributesOf(const char* original);
    // False once any write failed (the copy of the old contents included).
    bool Write(const void* data, std::size_t size);
    // Syncs the new contents and renames them over the target.
    bool Commit();

    // Where a write to `path` lands: the file its chain of symbolic links ends
    // at (relative links are taken from the link's directory), else `path`.
    static std::string TargetOf(const char* path);
    // What a new file gets from open(2): read and write for all, less the umask.
    static mode_t NewFileMode();

private:
    static constexpr std::size_t kBufferSize = 32 * 1024;

    bool Flush();
    bool CopyContentsOf(const std::string& path);
    void Abandon();

    FileWriter& m_writer;
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_failed = false;
    std::size_t m_used = 0;
    char m_buffer[kBufferSize];
};

// `size` bytes as the whole new contents of `target`, through `writer`.
bool WriteFileReplacing(const std::string& target, const char* data, std::size_t size, FileWriter& writer,
                        mode_t modeIfNew);
