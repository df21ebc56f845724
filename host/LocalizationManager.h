#pragma once

#include "host/HostExport.h"

#include <string>

/// The host's core services: value trees, their serialiser and display texts.
namespace Tarvos::Core {

/// Display texts for identifiers that the media-information service reports.
class REELKIT_HOST_EXPORT LocalizationManager
{
public:
    /// The name to show for a codec identifier such as "h264"
    /// ("H.264 / AVC"); an identifier that it does not know is returned as it is.
    std::string GetCodecName(const std::string& codecId) const;
};

/// The process-wide manager, made on first use (thread-safe).
REELKIT_HOST_EXPORT const LocalizationManager& GetLocalizationManager();

} // namespace Tarvos::Core
