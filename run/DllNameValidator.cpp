#include "run/DllNameValidator.h"

#include <QFile>

#include "run/DllList.h"

QValidator::State DllNameValidator::validate(QString& input, int&) const
{
    return static_cast<std::size_t>(QFile::encodeName(input).size()) <= kMaxDllName ? Acceptable : Invalid;
}
