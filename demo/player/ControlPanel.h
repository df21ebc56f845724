#pragma once

#include "host/StateWidget.h"

namespace Player {

// One of the player's two panels, built from its form. What the panel logic
// does not keep itself (the view-mode switches) moves between the panels
// through GetState and SetState.
class ControlPanel : public Tarvos::Gui::StateWidget
{
    Q_OBJECT

public:
    enum class Layout
    {
        Windowed,
        Fullscreen
    };

    static const char* const ViewModeNames[2];

    explicit ControlPanel(Layout layout, QWidget* parent = nullptr);

    QMap<QString, QVariant> GetState() override;
    void SetState(const QMap<QString, QVariant>& state) override;
};

} // namespace Player
