#pragma once

#include <cstdint>

namespace Tarvos {

// A time or duration in microseconds.
using avTime = std::int64_t;

} // namespace Tarvos
