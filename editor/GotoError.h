#pragma once
// The editor's half of Go to error: the file an output line names is brought up
// in an editor window (opened when no window shows it) and the named line is
// selected. The output window hands over the line under its caret.
//
// Which file: an editor window whose name equals the name in the line exactly
// comes first. Otherwise a relative name is looked for relative to the
// directory of the model last run, then relative to the current directory; an
// absolute name as it is. At each of those places a window of that name is
// taken, else an existing file there is opened. When none is found, the name
// as written is opened, and the load says why it cannot be.
#include <cstddef>
#include <string>
#include <vector>

// The places a relative error-line name may mean, in the order they are
// tried (absolute paths, tidied); an absolute name gives only itself. A path
// that does not fit a file-name buffer is left out.
std::vector<std::string> ErrorFileCandidates(const std::string& name, const char* modelPath,
                                             const std::string& currentDirectory);

// Go to error for the output line at `line` (`length` bytes). `modelPath` is the
// model last run (may be null or empty). A line that is not an error line only
// beeps; a file that cannot be loaded shows the load's message and nothing
// more. Otherwise the window is restored if minimised or maximised (a new one
// opens maximised when the active child is), the line is selected without its
// break, and the window is activated and given the focus.
void GotoErrorFromLine(const char* line, std::size_t length, const char* modelPath);
