#pragma once

class QWidget;

namespace Tarvos::Gui {

// Polishes the widget anew, so that style-sheet rules selecting on one of its
// dynamic properties follow a change of that property.
void Repolish(QWidget* widget);

} // namespace Tarvos::Gui
