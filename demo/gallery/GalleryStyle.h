#pragma once

// Style sheets as a host would write them for the library's hooks, shared by
// the gallery's sections.
namespace Gallery {

extern const char* const TimelineStyle;
extern const char* const VolumeStyle;
extern const char* const PanelStyle;

} // namespace Gallery
