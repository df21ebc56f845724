#pragma once

#include "host/RefCount.h"

#include <cstddef>

namespace Tarvos::io {

/// A sink of bytes, shared by reference count.
class IDataOutput : public IRefCountable
{
public:
    /// Takes all size bytes at data, after those written before.
    virtual void Write(const char* data, std::size_t size) = 0;
};

} // namespace Tarvos::io
