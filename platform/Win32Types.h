#pragma once
// The 32-bit desktop's plain types and constants that the environment's logic and
// its stored files are written in terms of. Sizes are fixed: _nuv_.cfg stores
// WINDOWPLACEMENT and LOGFONTA byte for byte.
#include <cstdint>

using BOOL = std::int32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

inline constexpr int MAX_PATH = 260;  // path buffers, terminating zero included

struct POINT {
    std::int32_t x;
    std::int32_t y;
};

struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct WINDOWPLACEMENT {
    std::uint32_t length;  // 44
    std::uint32_t flags;
    std::uint32_t showCmd;  // SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "WINDOWPLACEMENT must stay 44 bytes");

inline constexpr int LF_FACESIZE = 32;
struct LOGFONTA {
    std::int32_t lfHeight;
    std::int32_t lfWidth;
    std::int32_t lfEscapement;
    std::int32_t lfOrientation;
    std::int32_t lfWeight;
    std::uint8_t lfItalic;
    std::uint8_t lfUnderline;
    std::uint8_t lfStrikeOut;
    std::uint8_t lfCharSet;
    std::uint8_t lfOutPrecision;
    std::uint8_t lfClipPrecision;
    std::uint8_t lfQuality;
    std::uint8_t lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA must stay 60 bytes");

// Show commands of a placement.
inline constexpr std::uint32_t SW_HIDE = 0;
inline constexpr std::uint32_t SW_SHOWNORMAL = 1;
inline constexpr std::uint32_t SW_SHOWMINIMIZED = 2;
inline constexpr std::uint32_t SW_SHOWMAXIMIZED = 3;
inline constexpr std::uint32_t SW_SHOW = 5;

// Font weights and pitch bits.
inline constexpr std::int32_t FW_NORMAL = 400;
inline constexpr std::int32_t FW_BOLD = 700;
inline constexpr std::uint8_t DEFAULT_PITCH = 0;
inline constexpr std::uint8_t FIXED_PITCH = 1;
inline constexpr std::uint8_t VARIABLE_PITCH = 2;

// Message box styles and results.
inline constexpr int MB_OK = 0x00;
inline constexpr int MB_OKCANCEL = 0x01;
inline constexpr int MB_YESNOCANCEL = 0x03;
inline constexpr int MB_YESNO = 0x04;
inline constexpr int MB_ICONHAND = 0x10;
inline constexpr int MB_ICONSTOP = MB_ICONHAND;
inline constexpr int MB_ICONQUESTION = 0x20;
inline constexpr int MB_ICONEXCLAMATION = 0x30;
inline constexpr int MB_ICONASTERISK = 0x40;
inline constexpr int MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr int MB_DEFBUTTON2 = 0x100;
inline constexpr int MB_TYPEMASK = 0x0F;
inline constexpr int MB_ICONMASK = 0xF0;
inline constexpr int MB_DEFMASK = 0xF00;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Beep types (MessageBeep); 0xFFFFFFFF is the simple beep.
inline constexpr UINT BEEP_SIMPLE = 0xFFFFFFFFu;

// Window style flags a caller may give as an editor window's placement kind.
inline constexpr int WS_MINIMIZE = 0x20000000;
inline constexpr int WS_MAXIMIZE = 0x01000000;

// Flags of the find and replace dialogs' notification (FINDREPLACE.Flags).
inline constexpr DWORD FR_DOWN = 0x1;
inline constexpr DWORD FR_MATCHCASE = 0x4;
inline constexpr DWORD FR_FINDNEXT = 0x8;
inline constexpr DWORD FR_REPLACE = 0x10;
inline constexpr DWORD FR_REPLACEALL = 0x20;
inline constexpr DWORD FR_DIALOGTERM = 0x40;
inline constexpr DWORD FR_HIDEWHOLEWORD = 0x10000;
