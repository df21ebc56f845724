#include "host/T2S.h"

#include <boost/format.hpp>
#include <cstdint>

namespace Tarvos::Proc {

std::string T2S(avTime time)
{
    static constexpr std::uint64_t MicrosecondsPerSecond = 1000000;
    // Unsigned, so that the most negative time has a magnitude too.
    const std::uint64_t magnitude
        = time < 0 ? 0 - static_cast<std::uint64_t>(time) : static_cast<std::uint64_t>(time);
    const std::uint64_t seconds = magnitude / MicrosecondsPerSecond;
    return (boost::format("%1%%2%:%3$02d:%4$02d.%5$06d") % (time < 0 ? "-" : "") % (seconds / 3600)
        % (seconds / 60 % 60) % (seconds % 60) % (magnitude % MicrosecondsPerSecond))
        .str();
}

} // namespace Tarvos::Proc
