#pragma once
// The model paths of the command line. The shell has already split the command
// line: each argument is one file name, blanks included, taken byte for byte.
#include <string>
#include <vector>

class CCommandLine {
public:
    // The paths the `arguments` name, in order; an empty argument names
    // nothing. A name with no '.' anywhere gets ".nuv"; a relative name is
    // taken from `currentDirectory` (absolute; empty when unknown, and then
    // the name stays relative), and every path is tidied as the file dialogs
    // give paths ("." and ".." segments and doubled '/' resolved). Names keep their case and their bytes. Paths are not bounded
    // here: the caller refuses those that do not fit its buffers.
    static std::vector<std::string> Names(const std::vector<std::string>& arguments,
                                          const std::string& currentDirectory);
};
