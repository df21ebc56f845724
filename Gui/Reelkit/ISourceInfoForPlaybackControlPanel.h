#pragma once

#include "host/avTime.h"
#include "host/ioPath.h"

namespace Tarvos::Gui {

// A media source that can tell the panel its file and duration.
class ISourceInfoForPlaybackControlPanel
{
public:
    // Duration in microseconds.
    virtual Tarvos::avTime GetFileDuration() const = 0;
    virtual Tarvos::ioPath GetFilename() const = 0;
    virtual ~ISourceInfoForPlaybackControlPanel() = default;
};

} // namespace Tarvos::Gui
