#include "run/CEnvironmentRules.h"

#include <QByteArray>
#include <QString>
#include <sys/stat.h>
#include <unistd.h>

#include "run/CEnvironmentSettings.h"

namespace {

// Letter case is ignored as the user sees letters, not only A-Z.
QString Folded(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded();
}

}  // namespace

CEnvironmentRules::ListButtons CEnvironmentRules::ListRule(int entries, bool selected, bool nameHasText)
{
    return {entries > 0, selected, nameHasText};
}

int CEnvironmentRules::DefaultButtonAfterTyping(bool nameHasText)
{
    return nameHasText ? 301 : 1;
}

CEnvironmentRules::AppendBox CEnvironmentRules::OutputRule(bool sendToFile, AppendBox append)
{
    if (append.enabled)
        m_savedAppend = append.checked ? TRUE : FALSE;
    if (sendToFile)
        return {true, m_savedAppend != FALSE};
    return {false, false};
}

int CEnvironmentRules::FindEntry(const std::vector<std::string>& entries, const std::string& name)
{
    const QString wanted = Folded(name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (Folded(entries[i]) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

std::size_t CEnvironmentRules::SortedPosition(const std::vector<std::string>& entries, const std::string& name)
{
    const QString key = Folded(name);
    std::size_t position = 0;
    while (position < entries.size() && Folded(entries[position]) <= key)
        ++position;
    return position;
}

bool CEnvironmentRules::IsLibraryFile(const std::string& name)
{
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(name.c_str(), R_OK) == 0;
}

bool CEnvironmentRules::ParseUpdateLimit(const std::string& text, int* value)
{
    int result = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
        if (result > CEnvironmentSettings::kMaxUpdateLimit)
            return false;
    }
    *value = result;
    return true;
}
