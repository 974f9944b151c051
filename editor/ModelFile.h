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

// The largest model file the editor loads: 64 MiB.
inline constexpr std::size_t kMaxModelFileSize = std::size_t{64} << 20;
// The longest line and the most lines a loaded model may have, for the edit
// control's sake. It lays a changed line out whole, at about 0.3 µs and 50
// bytes a character (a keystroke in a line of 64 KiB costs some 20 ms, in one
// of 64 MiB some 20 s), and opens a text at about 1.3 µs and 140 bytes a line
// (4 Mi empty lines: some 5 s and 600 MB). No file that the old 65533-byte
// limit let in is refused by them.
inline constexpr std::size_t kMaxModelLineLength = std::size_t{64} << 10;
inline constexpr std::size_t kMaxModelLines = std::size_t{4} << 20;

enum class LoadStatus { Ok, CannotOpen, TooLarge, NoMemory, CannotRead };

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using FileBuffer = std::unique_ptr<char[], FreeDeleter>;

// Reads the whole file `path` into a zero-terminated buffer. A directory or
// another file that is not a plain file cannot be opened. Too large: a file of
// more than kMaxModelFileSize bytes, a text (up to its first zero byte) with a
// line of more than kMaxModelLineLength bytes or more than kMaxModelLines
// lines, and one the memory available cannot hold in an editor window.
LoadStatus ReadModelFile(const char* path, FileBuffer* contents, std::size_t* length);

// What the edit control makes of a text's bytes: its lines, and the bytes of
// its longest line. Every break the control knows ends a line (CR LF, LF, CR,
// and the UTF-8 bytes of U+2029, U+FDD0 and U+FDD1); the text ends at `length`
// or its first zero byte. The count stops as soon as the text is found to
// exceed `limit` in either.
struct TextShape {
    std::size_t lines = 1;
    std::size_t longestLine = 0;
};
TextShape ShapeOfText(const char* bytes, std::size_t length, const TextShape& limit);
// The memory an editor window needs for a text of that shape and size, as
// measured: the decoded and the control's copies of the characters, and the
// control's own record of each line.
std::size_t MemoryForText(const TextShape& shape, std::size_t length);
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
