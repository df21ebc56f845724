#pragma once

#include "host/HostExport.h"

#include <string>

namespace Tarvos::Core {

// Display texts for identifiers that the media-information service reports.
class REELKIT_HOST_EXPORT LocalizationManager
{
public:
    // The name to show for a codec identifier such as "h264"; an identifier
    // that it does not know is shown as it is.
    std::string GetCodecName(const std::string& codecId) const;
};

// The process-wide manager.
REELKIT_HOST_EXPORT const LocalizationManager& GetLocalizationManager();

} // namespace Tarvos::Core
