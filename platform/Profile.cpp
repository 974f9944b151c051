#include "platform/Profile.h"

#include <QSettings>

#include "platform/FileNameText.h"

namespace {
QSettings& Store()
{
    static QSettings settings(QSettings::IniFormat, QSettings::UserScope, "nuv", "nuv");
    return settings;
}
QString Key(const QString& section, const QString& key)
{
    return section + "/" + key;
}
}  // namespace

int Profile::GetInt(const QString& section, const QString& key, int defaultValue)
{
    bool ok = false;
    const int value = Store().value(Key(section, key)).toInt(&ok);
    return ok ? value : defaultValue;
}

void Profile::WriteInt(const QString& section, const QString& key, int value)
{
    Store().setValue(Key(section, key), value);
}

QString Profile::GetString(const QString& section, const QString& key)
{
    return Store().value(Key(section, key)).toString();
}

void Profile::WriteString(const QString& section, const QString& key, const QString& value)
{
    Store().setValue(Key(section, key), value);
}

QByteArray Profile::GetBytes(const QString& section, const QString& key)
{
    const QVariant value = Store().value(Key(section, key));
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
}

void Profile::WriteBytes(const QString& section, const QString& key, const QByteArray& value)
{
    const std::string_view bytes(value.constData(), static_cast<std::size_t>(value.size()));
    if (IsUtf8(bytes))
        Store().setValue(Key(section, key), FileNameText(bytes));
    else
        Store().setValue(Key(section, key), value);
}

void Profile::RemoveKey(const QString& section, const QString& key)
{
    Store().remove(Key(section, key));
}

void Profile::Flush()
{
    Store().sync();
}
