#pragma once

#include "host/HostExport.h"

#include <string>

namespace Tarvos {

/// A file or drive path, kept as UTF-8 text exactly as given (not normalised).
class REELKIT_HOST_EXPORT ioPath
{
public:
    /// The empty path.
    ioPath() = default;
    /// The path spelled by utf8.
    ioPath(const std::string& utf8)
        : m_path(utf8)
    {}
    /// The path spelled by utf8, moved in.
    ioPath(std::string&& utf8)
        : m_path(std::move(utf8))
    {}
    /// The path spelled by utf8; null gives the empty path.
    ioPath(const char* utf8)
        : m_path(utf8 ? utf8 : "")
    {}

    /// Replaces the path with the one spelled by utf8.
    ioPath& operator=(const std::string& utf8)
    {
        m_path = utf8;
        return *this;
    }

    /// The text the path was made from.
    const std::string& utf8string() const { return m_path; }
    /// Whether the text is empty.
    bool empty() const { return m_path.empty(); }

    /// Byte-wise on the UTF-8 text: paths that differ only in case or
    /// separators differ.
    friend bool operator==(const ioPath& a, const ioPath& b) { return a.m_path == b.m_path; }
    /// The negation of operator==.
    friend bool operator!=(const ioPath& a, const ioPath& b) { return a.m_path != b.m_path; }
    /// Byte-wise order of the UTF-8 texts, for sorted containers.
    friend bool operator<(const ioPath& a, const ioPath& b) { return a.m_path < b.m_path; }

private:
    std::string m_path;
};

} // namespace Tarvos
