#pragma once
// The interpreter settings of the Environment dialog and the run clock. The main
// frame owns one; the dialog changes it, the run controller reads it at the start
// of every run (never in between), and the clock pane shows m_szElapsed.
#include "platform/Win32Types.h"


struct CEnvironmentSettings {
    BOOL m_bPreprocessOnly = FALSE;
    BOOL m_bRangeCheck = TRUE;
    int m_nUpdateLimit = 20;  // 0..20
    BOOL m_bTimer = FALSE;

    // Elapsed time of the current (or last timed) run, counted in clock ticks.
    int m_nHours = 0;
    int m_nMinutes = 0;
    int m_nSeconds = 0;
    char m_szElapsed[9] = "        ";  // "hh:mm:ss", or eight blanks

    static constexpr int kMaxUpdateLimit = 20;

    // Counters to zero; the text becomes "00:00:00" when `show`, else blanks.
    void ResetElapsedTime(BOOL show);
    // One second more: 60 seconds carry into minutes, 60 minutes into hours, and
    // 24 hours wrap to 0. Rebuilds m_szElapsed.
    void ElapsedTimeTick();

    // The two settings kept across starts: profile "Options"/"Timer" (default 0)
    // and "Options"/"RangeCheck" (default 1).
    void ReadProfile();
    void WriteProfile() const;
};
