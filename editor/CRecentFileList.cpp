#include "editor/CRecentFileList.h"

#include <QString>

#include "editor/FileNames.h"
#include "platform/Profile.h"

namespace {
const QString kSection = QStringLiteral("Recent File List");

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}
}  // namespace

void CRecentFileList::Add(const char* name)
{
    int i = 0;
    // The last entry is dropped anyway, so only the first three are looked at.
    while (i < kSize - 1 && !SameFileName(m_entries[i].c_str(), name))
        ++i;
    for (int j = i; j > 0; --j)
        m_entries[j] = m_entries[j - 1];
    m_entries[0] = name;
}

void CRecentFileList::MoveToTop(int index)
{
    if (index <= 0 || index >= kSize)
        return;
    std::string name = m_entries[index];
    for (int j = index; j > 0; --j)
        m_entries[j] = m_entries[j - 1];
    m_entries[0] = std::move(name);
}

const std::string& CRecentFileList::Entry(int index) const
{
    static const std::string empty;
    return index >= 0 && index < kSize ? m_entries[index] : empty;
}

void CRecentFileList::Read()
{
    for (int i = 0; i < kSize; ++i)
        m_entries[i] = Profile::GetBytes(kSection, Key(i)).toStdString();
}

void CRecentFileList::Write() const
{
    for (int i = 0; i < kSize && !m_entries[i].empty(); ++i)
        Profile::WriteBytes(kSection, Key(i), QByteArray::fromStdString(m_entries[i]));
}
