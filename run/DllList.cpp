#include "run/DllList.h"

std::vector<std::string> theDllList;
