#pragma once

#include "host/IDataInput.h"

#include <boost/intrusive_ptr.hpp>
#include <string>

namespace Tarvos::io {

// Reads a string that the caller owns and keeps alive, from its start.
class REELKIT_HOST_EXPORT DataInputString final : public RefCounted<IDataInput>
{
public:
    static boost::intrusive_ptr<DataInputString> Create(const std::string* source);

    std::size_t Read(char* data, std::size_t size) override;

private:
    explicit DataInputString(const std::string* source);

    const std::string* m_source; // not owned
    std::size_t m_position = 0;
};

} // namespace Tarvos::io
