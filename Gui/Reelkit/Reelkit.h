#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

namespace Tarvos::Gui {

// Marks the library in a host's link line; it has no behaviour of its own.
class REELKIT_EXPORT Reelkit
{
public:
    Reelkit();
    Reelkit(const Reelkit&);
    ~Reelkit();
    Reelkit& operator=(const Reelkit&);
};

} // namespace Tarvos::Gui
