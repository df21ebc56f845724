#pragma once

#include "host/HostExport.h"
#include "host/ioPath.h"

#include <functional>
#include <string>

namespace Tarvos::Util {

using DVDLabelLookup = std::function<std::string(const ioPath& drive)>;

// The volume label of the drive at the given path (such as "E:/"), as UTF-8
// text; empty when there is none. Asks the system through Qt unless a lookup
// has been installed.
REELKIT_HOST_EXPORT std::string DVDLabel(const ioPath& drive);

// Puts a lookup of the host's (or a test's) in place of the system one; an
// empty function restores the system lookup.
REELKIT_HOST_EXPORT void SetDVDLabelLookup(DVDLabelLookup lookup);

} // namespace Tarvos::Util
