#pragma once
// The name of the editor window that receives a preprocessor listing: the model
// path with its extension removed, plus ".prp". The extension is what follows the
// last point of the last path component ("/w/a.b.nuv" gives "/w/a.b.prp", while
// "/my.dir/model" gives "/my.dir/model.prp"); a trailing point is dropped.
#include "platform/Win32Types.h"

// Writes the name into `name` (MAX_PATH bytes). FALSE, with `name` empty, when
// the name would not fit: it is refused rather than cut.
BOOL MakeListingName(const char* modelPath, char* name);
