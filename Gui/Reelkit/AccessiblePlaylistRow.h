#pragma once

#include <QAccessibleInterface>
#include <QCoreApplication>
#include <QPersistentModelIndex>
#include <QPointer>

namespace Tarvos::Gui {

class PlaylistListView;

// One row of a PlaylistListView, read as its file name, its duration and
// whether it is playing or cannot be played; the full path is its description.
class AccessiblePlaylistRow : public QAccessibleInterface
{
    Q_DECLARE_TR_FUNCTIONS(AccessiblePlaylistRow)

public:
    AccessiblePlaylistRow(PlaylistListView* view, const QModelIndex& index);

    // The row's entry; invalid once it has gone.
    QModelIndex Index() const { return m_index; }

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    QPointer<PlaylistListView> m_view;
    QPersistentModelIndex m_index;
};

} // namespace Tarvos::Gui
