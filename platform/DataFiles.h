#pragma once
// Where the program's own read-only files live (the help file, the keyword list):
// beside the executable in a build tree, under share/nuv/ of an installed tree.
// Both are found relative to the executable, never the current directory, so an
// installed tree moved to another folder still finds them.

#include <QString>

// The path of the data file `name`: beside the executable when it is there, else
// <executable's folder>/../share/nuv/<name> when that is there, else the path
// beside the executable (which does not exist; callers report or skip it).
QString DataFilePath(const QString& name);
