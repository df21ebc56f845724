#pragma once

#include <QAccessibleWidget>

namespace Tarvos::Gui {

class Playlist;

// The Playlist frame as a grouping that is busy while it reads files
// (Playlist::ShowBusy()), described then by the busy text it shows.
class AccessiblePlaylist : public QAccessibleWidget
{
public:
    explicit AccessiblePlaylist(Playlist* playlist);

    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override;

private:
    bool IsBusy() const;
};

} // namespace Tarvos::Gui
