#include "Gui/Reelkit/Reelkit.h"

namespace Tarvos::Gui {

Reelkit::Reelkit() = default;
Reelkit::Reelkit(const Reelkit&) = default;
Reelkit::~Reelkit() = default;
Reelkit& Reelkit::operator=(const Reelkit&) = default;

} // namespace Tarvos::Gui
