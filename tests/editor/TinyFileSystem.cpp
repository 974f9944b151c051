#include "TinyFileSystem.h"

#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

TinyFileSystem::TinyFileSystem(std::size_t bytes)
{
    const std::string options = "size=" + std::to_string(bytes);
    m_mounted = m_dir.isValid() &&
                ::mount("tmpfs", m_dir.path().toLocal8Bit().constData(), "tmpfs", 0, options.c_str()) == 0;
}

TinyFileSystem::~TinyFileSystem()
{
    if (m_mounted)
        ::umount2(m_dir.path().toLocal8Bit().constData(), MNT_DETACH);
}

std::string TinyFileSystem::Path(const std::string& name) const
{
    return m_dir.path().toStdString() + "/" + name;
}

void TinyFileSystem::FillUp()
{
    const int fd = ::open(Path("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const char block[512] = {};
    while (::write(fd, block, sizeof block) > 0) {
    }
    while (::write(fd, block, 1) > 0) {
    }
    ::close(fd);
}
