#pragma once

#include "host/HostExport.h"
#include "host/avTime.h"

#include <string>

namespace Tarvos::Proc {

// A time as "h:mm:ss.uuuuuu", with a leading '-' when negative; hours are not
// wrapped at a day.
REELKIT_HOST_EXPORT std::string T2S(avTime time);

} // namespace Tarvos::Proc
