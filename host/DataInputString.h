#pragma once

#include "host/IDataInput.h"

#include <boost/intrusive_ptr.hpp>
#include <string>

namespace Tarvos::io {

/// An IDataInput that reads a string from its start. The string is the
/// caller's and must outlive the input; it is not copied.
class REELKIT_HOST_EXPORT DataInputString final : public RefCounted<IDataInput>
{
public:
    /// A new input over source, holding one reference. A null source reads as
    /// empty.
    static boost::intrusive_ptr<DataInputString> Create(const std::string* source);

    /// Copies the next bytes of the string, up to size of them, into data and
    /// returns how many it copied; 0 once the whole string has been read.
    std::size_t Read(char* data, std::size_t size) override;

private:
    explicit DataInputString(const std::string* source);

    const std::string* m_source; // not owned
    std::size_t m_position = 0;
};

} // namespace Tarvos::io
