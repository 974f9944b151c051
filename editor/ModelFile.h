#pragma once
// Reading and writing model files, without any window.
//
// Writing never truncates the file it replaces: the new contents go completely
// into a temporary file in the same directory, which is then renamed over the
// target. The backup is a copy. A failed write therefore leaves the file with
// its last saved contents under its own name. A symbolic link is written
// through: the file it names is replaced and the link stays a link.
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/types.h>

class FileWriter;

// The largest model file the editor loads.
inline constexpr std::size_t kMaxModelFileSize = 65533;

enum class LoadStatus { Ok, CannotOpen, TooLarge, NoMemory, CannotRead };

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using FileBuffer = std::unique_ptr<char[], FreeDeleter>;

// Reads the whole file `path` into a zero-terminated buffer. A directory or
// another file that is not a plain file cannot be opened; a file of more than
// kMaxModelFileSize bytes is too large.
LoadStatus ReadModelFile(const char* path, FileBuffer* contents, std::size_t* length);
// The same with a limit of its own.
LoadStatus ReadWholeFile(const char* path, std::size_t limit, FileBuffer* contents, std::size_t* length);

// Writes `size` bytes as the whole new contents of `target` through `writer`:
// into a temporary file beside it, synced, then renamed over it. An existing
// target keeps its permissions; a new one gets `modeIfNew`. False, `target`
// untouched and no temporary file left, when anything fails.
bool WriteFileReplacing(const std::string& target, const char* data, std::size_t size, FileWriter& writer,
                        mode_t modeIfNew);

struct SaveResult {
    bool ok = false;
    bool backupMade = false;
};

// Writes `size` bytes as the new contents of `path`. With `makeBackup`, the
// existing file's contents are first copied to its backup name (replacing an
// older backup of that name), unless the backup name is the file's own name.
// backupMade tells whether that copy exists now, whatever became of the write.
SaveResult SaveModelFile(const char* path, const char* data, std::size_t size, bool makeBackup);
