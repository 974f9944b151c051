#pragma once
// The write seam moved down to platform/, where every file writer can reach it.
#include "platform/FileWriter.h"
