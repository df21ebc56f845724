#pragma once

#include "host/RefCount.h"

#include <cstddef>

/// Byte streams that Core::PropertySerializer reads and writes.
namespace Tarvos::io {

/// A source of bytes, read once from start to end; shared by reference count.
class IDataInput : public IRefCountable
{
public:
    /// Copies up to size bytes into data and returns how many it copied; 0 at the end.
    virtual std::size_t Read(char* data, std::size_t size) = 0;
};

} // namespace Tarvos::io
