#pragma once
// Rules on model file names. Names are byte strings with '/' as the separator.
#include <string>

// The name of the backup a save keeps of `fileName`: the last character becomes
// '$' when the last path component has a point (demo.nuv -> demo.nu$, a.c -> a.$,
// name. -> name$); a component without one gets ".nu$" (/work/model -> /work/model.nu$).
std::string BackupName(const char* fileName);

// Whether two names denote the same open file. This file system is
// case-sensitive, so names compare byte for byte: folding letters would take
// /m/A.nuv and /m/a.nuv for one file.
bool SameFileName(const char* a, const char* b);

// `name` taken relative to the absolute `directory` ('/'-separated bytes): the
// two joined, with "." segments, empty segments and each ".." with the segment
// before it removed (".." at the root stays at the root), so that the result
// reads as the file dialogs give names. An absolute `name` is only tidied.
std::string JoinedPath(const std::string& directory, const std::string& name);
