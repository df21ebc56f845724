#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QModelIndex;

namespace Tarvos::Gui {
class PlaylistListView;
class PlaylistModel;
} // namespace Tarvos::Gui

namespace Player {

// The find bar of the playlist: as the user types, the first entry whose name
// contains the text, case and accents aside, becomes the selected row and is
// scrolled into view. Escape in the field hides the bar.
//
// The names are kept folded, one per row and updated with the rows, so that a
// keystroke is a plain substring search even over a long list.
class PlaylistFind : public QWidget
{
    Q_OBJECT

public:
    // The view is not owned; it must hold a PlaylistModel.
    explicit PlaylistFind(Tarvos::Gui::PlaylistListView* view, QWidget* parent = nullptr);
    ~PlaylistFind() override;

    // Without case and accents: decomposed, marks dropped, case folded.
    static QString Fold(const QString& text);

    QLineEdit* GetField() const { return m_field; }
    // Shows the bar and puts the focus in its field, the text selected.
    void Open();
    // The next (step 1) or previous (−1) match after the current row,
    // wrapping around; false when nothing matches.
    bool FindNext(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Find(int from, int step);
    void FoldRows(int first, int last);
    void OnInserted(const QModelIndex& parent, int first, int last);
    void OnRemoved(const QModelIndex& parent, int first, int last);
    void OnDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    Tarvos::Gui::PlaylistListView* m_view;
    Tarvos::Gui::PlaylistModel* m_model;
    QLineEdit* m_field;
    QLabel* m_status;
    // The folded name of each row; empty until the bar is first used.
    std::vector<QString> m_names;
    bool m_namesValid = false;
};

} // namespace Player
