#pragma once

#include "host/avTime.h"
#include "host/ioPath.h"

namespace Tarvos::Gui {

/// A media source that can tell its file and duration, which a host passes to
/// PlaybackControlPanelLogic::SetSourceInfo(). PlaylistItemData implements it.
class ISourceInfoForPlaybackControlPanel
{
public:
    /// Duration in microseconds.
    virtual Tarvos::avTime GetFileDuration() const = 0;
    /// Path of the source file.
    virtual Tarvos::ioPath GetFilename() const = 0;
    /// Sources may be destroyed through this interface.
    virtual ~ISourceInfoForPlaybackControlPanel() = default;
};

} // namespace Tarvos::Gui
