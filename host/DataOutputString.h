#pragma once

#include "host/IDataOutput.h"

#include <boost/intrusive_ptr.hpp>
#include <string>

namespace Tarvos::io {

/// An IDataOutput that appends everything written to a string. The string is
/// the caller's and must outlive the output; what it held before is kept.
class REELKIT_HOST_EXPORT DataOutputString final : public RefCounted<IDataOutput>
{
public:
    /// A new output onto target, holding one reference. Writes to a null
    /// target are dropped.
    static boost::intrusive_ptr<DataOutputString> Create(std::string* target);

    /// Appends the size bytes at data to the string.
    void Write(const char* data, std::size_t size) override;

private:
    explicit DataOutputString(std::string* target);

    std::string* m_target; // not owned
};

} // namespace Tarvos::io
