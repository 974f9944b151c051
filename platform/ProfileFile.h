#pragma once
// The private profile read without Qt, for the headless runner: the same INI
// file that platform/Profile keeps through QSettings (user scope, organisation
// and application "nuv"): $XDG_CONFIG_HOME/nuv/nuv.ini, or ~/.config/nuv/nuv.ini
// when XDG_CONFIG_HOME is not set. Reading only: nothing here writes it.
#include <string>

namespace ProfileFile {
// The file's path as Qt finds it.
std::string Path();
// The integer under [section] key, as QSettings reads it back from the file
// (blanks around it allowed); `defaultValue` when the file, the section or the
// key is missing or the value is not a whole number.
int GetInt(const char* section, const char* key, int defaultValue);
}  // namespace ProfileFile
