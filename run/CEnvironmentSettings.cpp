#include "run/CEnvironmentSettings.h"

#include <cstring>

#include "platform/Profile.h"

namespace {

const char* const kSection = "Options";

// Two decimal digits of a value the clock keeps within 0..59.
void PutTwoDigits(char* at, int value)
{
    at[0] = static_cast<char>('0' + value / 10 % 10);
    at[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

void CEnvironmentSettings::ResetElapsedTime(BOOL show)
{
    m_nHours = m_nMinutes = m_nSeconds = 0;
    std::memcpy(m_szElapsed, show ? "00:00:00" : "        ", sizeof m_szElapsed);
}

void CEnvironmentSettings::ElapsedTimeTick()
{
    if (++m_nSeconds >= 60) {
        m_nSeconds = 0;
        if (++m_nMinutes >= 60) {
            m_nMinutes = 0;
            if (++m_nHours >= 24)
                m_nHours = 0;
        }
    }
    PutTwoDigits(m_szElapsed, m_nHours);
    m_szElapsed[2] = ':';
    PutTwoDigits(m_szElapsed + 3, m_nMinutes);
    m_szElapsed[5] = ':';
    PutTwoDigits(m_szElapsed + 6, m_nSeconds);
    m_szElapsed[8] = '\0';
}

void CEnvironmentSettings::ReadProfile()
{
    m_bTimer = Profile::GetInt(kSection, "Timer", 0) ? TRUE : FALSE;
    m_bRangeCheck = Profile::GetInt(kSection, "RangeCheck", 1) ? TRUE : FALSE;
}

void CEnvironmentSettings::WriteProfile() const
{
    Profile::WriteInt(kSection, "Timer", m_bTimer);
    Profile::WriteInt(kSection, "RangeCheck", m_bRangeCheck);
}
