#pragma once
// A real file system of a few kilobytes that a test can fill up: a tmpfs
// mounted on a temporary directory for the test's lifetime. Mounting needs the
// privilege to mount; where it is lacking, Mounted() is false and the test
// skips.
#include <QTemporaryDir>
#include <cstddef>
#include <string>

class TinyFileSystem {
public:
    explicit TinyFileSystem(std::size_t bytes);
    ~TinyFileSystem();
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;

    bool Mounted() const { return m_mounted; }
    std::string Path(const std::string& name) const;
    // Writes a filler file until the file system has no byte left.
    void FillUp();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
