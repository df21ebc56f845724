#pragma once

#include "host/HostExport.h"

#include <string>

namespace Tarvos {

// A file or drive path, kept as UTF-8 text.
class REELKIT_HOST_EXPORT ioPath
{
public:
    ioPath() = default;
    ioPath(const std::string& utf8)
        : m_path(utf8)
    {}
    ioPath(std::string&& utf8)
        : m_path(std::move(utf8))
    {}
    ioPath(const char* utf8)
        : m_path(utf8 ? utf8 : "")
    {}

    ioPath& operator=(const std::string& utf8)
    {
        m_path = utf8;
        return *this;
    }

    const std::string& utf8string() const { return m_path; }
    bool empty() const { return m_path.empty(); }

    friend bool operator==(const ioPath& a, const ioPath& b) { return a.m_path == b.m_path; }
    friend bool operator!=(const ioPath& a, const ioPath& b) { return a.m_path != b.m_path; }
    friend bool operator<(const ioPath& a, const ioPath& b) { return a.m_path < b.m_path; }

private:
    std::string m_path;
};

} // namespace Tarvos
