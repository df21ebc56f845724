#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

namespace Tarvos::Gui {

/// Marks the library in a host's link line; it has no data and no behaviour
/// of its own.
class REELKIT_EXPORT Reelkit
{
public:
    Reelkit(); ///< Does nothing.
    Reelkit(const Reelkit&); ///< Does nothing.
    ~Reelkit(); ///< Does nothing.
    Reelkit& operator=(const Reelkit&); ///< Does nothing; returns *this.
};

} // namespace Tarvos::Gui
