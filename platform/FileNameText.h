#pragma once
// File names are bytes (any byte but '/' and the zero byte); people read them
// as text. A name reads as UTF-8 when its bytes are valid UTF-8, else as
// Latin-1, one character per byte. The locale plays no part: the same bytes
// always read the same way, and a name is opened by its bytes, never by the
// text it shows as.
#include <QString>
#include <string>
#include <string_view>

// Whether `bytes` are valid UTF-8 (a leading byte-order mark counts as text).
bool IsUtf8(std::string_view bytes);

// The text a person sees for the name `bytes`.
QString FileNameText(std::string_view bytes);

// The bytes of a name the toolkit gives as text (a file dialog's choice): its
// UTF-8. The toolkit lists only names whose bytes are valid UTF-8.
std::string FileNameBytes(const QString& name);

// `text` as UTF-8 for a message: unchanged when it is UTF-8 already, else its
// bytes read as Latin-1. Lets a name in any encoding join a UTF-8 message.
std::string FileNameTextUtf8(std::string_view bytes);
