#pragma once
// The main window's title while a model runs: "NUV - < Running name >" with the
// model's file name (directory dropped), in the 52-byte title area. A name too
// long for it is shortened and marked with "..." so that the closing " >" stays;
// a multi-byte character is never cut in two.
#include <QString>

inline constexpr int kRunTitleSize = 52;

QString RunningTitle(const char* modelPath);
