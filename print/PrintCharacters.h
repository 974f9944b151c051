#pragma once
// From the bytes a window hands to the print routine to the characters that go
// on paper.
#include <QString>
#include <string>

class IPrintDevice;

// Decodes the line that starts at `bytes` (up to and with its LF, or up to the
// terminating zero) as the windows show it: as UTF-8 when the line is valid
// UTF-8, else as Latin-1. *characters gets one element per character, whatever
// its size in bytes. Returns the bytes the line took: 0 at the end of the text.
std::size_t DecodeLine(const char* bytes, std::u32string* characters);

// All of zero-terminated `bytes`, line by line as DecodeLine does.
QString DecodeText(const char* bytes);

// What the routine puts on paper for `character`, or 0 when it prints nothing.
// ASCII: the printable characters themselves (space to '~'); control
// characters, CR and DEL among them, print nothing (tab and LF are the
// caller's). Beyond ASCII: control and format characters print nothing; a
// printable character prints itself when the device's font has it; otherwise a
// character of the Latin-1 range prints with its top bit cleared (é as 'i'), as
// the desktop's printing did with bytes, and any other prints as '?', so that
// every character still takes its one cell.
char32_t ShownCharacter(char32_t character, const IPrintDevice& device);

// `text` as it goes on paper: every character through ShownCharacter, those
// that print nothing left out. For titles and page numbers.
QString ShownText(const QString& text, const IPrintDevice& device);

// `title` as it fits a row of `columns` characters: unchanged when it fits;
// otherwise shortened in its middle, as messages shorten paths, to its start,
// "..." and its last path component (the file name), so that the page still
// names the file. A file name that does not fit by itself keeps its end (the
// extension) after the title's first character.
QString ShortenedTitle(const QString& title, int columns);
