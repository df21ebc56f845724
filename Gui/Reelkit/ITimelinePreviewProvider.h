#pragma once

#include "host/avTime.h"

namespace Tarvos::Gui {

class TimelineSlider;

/// The host's maker of preview pictures for a TimelineSlider hovered by the
/// mouse, set with TimelineSlider::SetPreviewProvider(). The slider does not
/// own it.
class ITimelinePreviewProvider
{
public:
    /// Destroyed by the host, after every slider it serves has let it go.
    virtual ~ITimelinePreviewProvider() = default;

    /// The slider wants the picture at time (microseconds). Answer once, now
    /// or later from the GUI thread, with slider->SetPreview(time, image)
    /// and the same time; a null image says there is none. The slider asks
    /// again only after the answer, or after the mouse has left it.
    virtual void RequestPreview(TimelineSlider* slider, Tarvos::avTime time) = 0;
};

} // namespace Tarvos::Gui
