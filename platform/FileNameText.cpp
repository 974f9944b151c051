#include "platform/FileNameText.h"

#include <QStringDecoder>

namespace {

QByteArrayView ViewOf(std::string_view bytes)
{
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The text of `bytes` as UTF-8; false when they are not UTF-8. Stateless: a
// sequence cut off at the end is an error, not bytes kept for more input; a
// byte-order mark at the start is part of the name.
bool DecodeUtf8(std::string_view bytes, QString* text)
{
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    *text = utf8(ViewOf(bytes));
    return !utf8.hasError();
}

}  // namespace

bool IsUtf8(std::string_view bytes)
{
    QString ignored;
    return DecodeUtf8(bytes, &ignored);
}

QString FileNameText(std::string_view bytes)
{
    QString text;
    return DecodeUtf8(bytes, &text) ? text : QString::fromLatin1(ViewOf(bytes));
}

std::string FileNameBytes(const QString& name)
{
    return name.toUtf8().toStdString();
}

std::string FileNameTextUtf8(std::string_view bytes)
{
    return FileNameText(bytes).toUtf8().toStdString();
}
