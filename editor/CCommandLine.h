#pragma once
// The model names of a command line. The command line is one string of names
// separated by white space; the frame passes the program's arguments joined by
// blanks, so an argument holding a blank counts as two names, as on the desktop.
#include <string>
#include <vector>

class CCommandLine {
public:
    // The paths named in `commandLine`, in order. A control character (neither
    // printable nor white space) ends a name and is dropped; bytes of multi-byte
    // UTF-8 characters are printable. A name with no '.' anywhere gets ".nuv"; a
    // name containing '/' is used as it is, any other follows `currentDirectory`
    // and a '/'. Names keep their case. Paths are not bounded here: the caller
    // refuses those that do not fit its buffers.
    static std::vector<std::string> Names(const char* commandLine, const std::string& currentDirectory);
};
