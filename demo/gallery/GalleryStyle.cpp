#include "GalleryStyle.h"

namespace Gallery {

// Groove fragments and thumbs as a host's style sheet would give them.
const char* const TimelineStyle = R"(
Tarvos--Gui--TimelineSlider {
    min-height: 28px;
    max-height: 28px;
    qproperty-grooveOffset: 8;
    qproperty-grooveEmptyStyle: "background: #3b4252; height: 8px; border-radius: 4px;";
    qproperty-grooveNormalStyle: "background: #5e81ac; height: 8px;";
    qproperty-grooveSelectedStyle: "background: #ebcb8b; height: 8px;";
    qproperty-grooveBorderStyle: "background: #bf616a; height: 14px;";
}
Tarvos--Gui--AdvancedSliderThumb {
    border: 1px solid #2e3440;
    border-radius: 7px;
    min-width: 14px; max-width: 14px;
    min-height: 14px; max-height: 14px;
    qproperty-pointOffset: 7;
    qproperty-parentMargin: 7;
}
Tarvos--Gui--AdvancedSliderThumb[styleTag="default"] { background: #eceff4; }
Tarvos--Gui--AdvancedSliderThumb[styleTag="marker"] { background: #a3be8c; }
Tarvos--Gui--AdvancedSliderThumb:checked { border: 2px solid #d08770; }
)";

// What a host's style sheet does with the widgets' hooks: the mute button's
// "volume" level and the volume button's pages become visible as bars.
const char* const VolumeStyle = R"(
Tarvos--Gui--TimeEdit { font-family: "DejaVu Sans Mono"; font-size: 15px; }
Tarvos--Gui--TimeEdit[styleTag="shrinkWidth"] {
    border: none; padding: 0; background: transparent; color: #555;
}
QPushButton#mute, QToolButton {
    min-height: 24px; border: 1px solid #666; border-radius: 4px;
    font-weight: bold;
}
QPushButton#mute { min-width: 60px; padding: 0 4px; }
QPushButton#mute[volume="off"] { background: #c0392b; color: white; qproperty-text: "muted"; }
QPushButton#mute[volume="0"] { background: #bdc3c7; qproperty-text: "0"; }
QPushButton#mute[volume="1"] { background: #f1c40f; qproperty-text: "▂"; }
QPushButton#mute[volume="2"] { background: #e67e22; qproperty-text: "▂▄"; }
QPushButton#mute[volume="3"] { background: #27ae60; color: white; qproperty-text: "▂▄▆"; }
QToolButton[styleTag="volumeButton0"] { background: #bdc3c7; qproperty-text: "·"; }
QToolButton[styleTag="volumeButton1"] { background: #f1c40f; qproperty-text: "▂"; }
QToolButton[styleTag="volumeButton2"] { background: #e67e22; qproperty-text: "▂▄"; }
QToolButton[styleTag="volumeButton3"] { background: #d35400; color: white; qproperty-text: "▂▄▆"; }
QToolButton[styleTag="volumeButton4"] { background: #27ae60; color: white; qproperty-text: "▂▄▆█"; }
QToolButton:checked { border: 2px solid #2980b9; }
)";

// The play/pause button shows what a click will do, through the panel's
// "isPlay" property.
const char* const PanelStyle = R"(
QPushButton#PlayPause[isPlay="true"] { qproperty-text: "▶ Play"; }
QPushButton#PlayPause[isPlay="false"] { qproperty-text: "❚❚ Pause"; }
QPushButton { min-width: 28px; padding: 2px 6px; }
)";

} // namespace Gallery
