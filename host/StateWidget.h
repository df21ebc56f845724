#pragma once

#include "host/HostExport.h"

#include <QMap>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace Tarvos::Gui {

// The host's container of named panel controls. A panel hands its state over
// to another one through these two operations when it switches widgets.
class REELKIT_HOST_EXPORT StateWidget : public QWidget
{
    Q_OBJECT

public:
    explicit StateWidget(QWidget* parent = nullptr);

    virtual QMap<QString, QVariant> GetState();
    virtual void SetState(const QMap<QString, QVariant>& state);
};

} // namespace Tarvos::Gui
