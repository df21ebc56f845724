#pragma once

#include "host/HostExport.h"
#include "host/ioPath.h"

#include <functional>
#include <string>

/// Small services of the host layer.
namespace Tarvos::Util {

/// A replacement of the system's volume-label lookup: given a drive path, the
/// label as UTF-8 text (empty for none).
using DVDLabelLookup = std::function<std::string(const ioPath& drive)>;

/// The volume label of the drive at the given path (such as "E:/"), as UTF-8
/// text; empty when there is none. Asks the system through QStorageInfo unless
/// a lookup has been installed with SetDVDLabelLookup(). GUI thread.
REELKIT_HOST_EXPORT std::string DVDLabel(const ioPath& drive);

/// Puts a lookup of the host's (or a test's) in place of the system one, for
/// the whole process; an empty function restores the system lookup. Not
/// synchronised: call it from the GUI thread.
REELKIT_HOST_EXPORT void SetDVDLabelLookup(DVDLabelLookup lookup);

} // namespace Tarvos::Util
