#pragma once
// LOGFONTA is how _nuv_.cfg stores the editor font; QFont is how Qt draws it.
#include <QFont>

#include "platform/Win32Types.h"

// A LOGFONTA describing `font`: negative lfHeight (character height in pixels),
// weight on the 100..900 scale, face name cut to 31 bytes at a character boundary.
LOGFONTA LogFontFromFont(const QFont& font);
QFont FontFromLogFont(const LOGFONTA& logFont);
// The stock system font: the desktop's general font.
QFont SystemFont();
// The stock fixed-pitch font (the output window's).
QFont SystemFixedFont();
