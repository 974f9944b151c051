#pragma once
// Line breaks as CR LF, the two characters the editor's positions count.
#include <QChar>
#include <QString>

// `text` with every `lineBreak` character as CR LF. The runs between breaks
// are copied whole into a string made once at its final size.
QString ExpandToCrLf(const QString& text, QChar lineBreak);

// Whether every break of `text` is CR LF already: no CR without an LF after
// it, no LF without a CR before it, no U+2029.
bool HasOnlyCrLf(const QString& text);
