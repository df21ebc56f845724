#pragma once

#include "host/RefCount.h"

#include <cstddef>

namespace Tarvos::io {

// A source of bytes, shared by reference count.
class IDataInput : public IRefCountable
{
public:
    // Copies up to size bytes into data and returns how many it copied; 0 at the end.
    virtual std::size_t Read(char* data, std::size_t size) = 0;
};

} // namespace Tarvos::io
