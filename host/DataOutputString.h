#pragma once

#include "host/IDataOutput.h"

#include <boost/intrusive_ptr.hpp>
#include <string>

namespace Tarvos::io {

// Appends everything written to a string that the caller owns and keeps alive.
class REELKIT_HOST_EXPORT DataOutputString final : public RefCounted<IDataOutput>
{
public:
    static boost::intrusive_ptr<DataOutputString> Create(std::string* target);

    void Write(const char* data, std::size_t size) override;

private:
    explicit DataOutputString(std::string* target);

    std::string* m_target; // not owned
};

} // namespace Tarvos::io
