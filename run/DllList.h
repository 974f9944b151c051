#pragma once
// The additional libraries the user listed in the Environment dialog, in the
// dialog's sorted order. The program never loads them: it only hands their names
// to the interpreter on request. Empty at every start; never saved.
#include <string>
#include <vector>

// Each name holds at most kMaxDllName bytes, so it fits GetDLLName's buffer.
inline constexpr std::size_t kMaxDllName = 259;

extern std::vector<std::string> theDllList;
