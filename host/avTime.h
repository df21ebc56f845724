#pragma once

#include <cstdint>

namespace Tarvos {

/// A time or duration in microseconds, signed. The panel logic registers it
/// with Qt as "Tarvos::avTime", so that it crosses queued connections.
using avTime = std::int64_t;

} // namespace Tarvos
