#pragma once
// The program's private profile: integer and string keys in sections, kept in an
// INI file in the user's configuration folder (XDG_CONFIG_HOME).
#include <QString>

namespace Profile {
int GetInt(const QString& section, const QString& key, int defaultValue);
void WriteInt(const QString& section, const QString& key, int value);
QString GetString(const QString& section, const QString& key);
void WriteString(const QString& section, const QString& key, const QString& value);
// A byte string such as a file name, whatever its encoding: kept as text when
// it is valid UTF-8 (as WriteString keeps it), else as a byte array.
QByteArray GetBytes(const QString& section, const QString& key);
void WriteBytes(const QString& section, const QString& key, const QByteArray& value);
void RemoveKey(const QString& section, const QString& key);
// Forces the profile to disk.
void Flush();
}  // namespace Profile
