#pragma once
// Reading and writing model files, without any window.
//
// Saves and backups are written by SafeFile (platform/SafeFile.h): never in
// place, through symbolic links, keeping the permission bits. The backup is a
// copy with the model's own bits. A failed write therefore leaves the file with
// its last saved contents under its own name.
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/types.h>

#include "platform/SafeFile.h"  // WriteFileReplacing, for the callers that write other files

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

struct SaveResult {
    bool ok = false;
    bool backupMade = false;
};

// Writes `size` bytes as the new contents of `path`. With `makeBackup`, the
// existing file's contents are first copied to its backup name (replacing an
// older backup of that name), unless the backup name is the file's own name.
// backupMade tells whether that copy exists now, whatever became of the write.
SaveResult SaveModelFile(const char* path, const char* data, std::size_t size, bool makeBackup);
