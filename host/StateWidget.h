#pragma once

#include "host/HostExport.h"

#include <QMap>
#include <QString>
#include <QVariant>
#include <QWidget>

/// The widget library: control panel, playlist and their widgets.
namespace Tarvos::Gui {

/// The host's container of a panel's controls, found by object name (see
/// PlaybackControlPanelLogic::SetWidget()). When the logic switches from one
/// state widget to another, it hands the old one's GetState() to the new one's
/// SetState(); a host overrides the two to carry state of its own along.
class REELKIT_HOST_EXPORT StateWidget : public QWidget
{
    Q_OBJECT

public:
    /// A plain widget, child of parent.
    explicit StateWidget(QWidget* parent = nullptr);

    /// The state to hand over when the logic leaves this widget; called after
    /// the logic has disconnected the user-action signals of the controls. The
    /// base class returns an empty map.
    virtual QMap<QString, QVariant> GetState();
    /// Takes over the state of the widget bound before (an empty map when there
    /// was none); called last, once the logic has updated and connected the
    /// controls. The base class ignores it.
    virtual void SetState(const QMap<QString, QVariant>& state);
};

} // namespace Tarvos::Gui
