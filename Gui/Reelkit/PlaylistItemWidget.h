#pragma once

#include "Gui/Reelkit/ReelkitExport.h"
#include "host/avTime.h"

#include <QRgb>
#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class QColor;
class QPainter;

namespace Ui {
class PlaylistItemWidget;
}

namespace Tarvos::Gui {

// One playlist row as a widget: play cursor, file icon, file name and
// duration, with a one-pixel drop separator below. PlaylistItemDelegate
// renders it for each row; it is never shown by itself.
//
// The images come from the host's resources: ":/Playlist/play_cursor.png",
// ":/Playlist/error.png" and ":/MainForm/dvd.png".
class REELKIT_EXPORT PlaylistItemWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PlaylistItemWidget(QWidget* parent = nullptr);
    ~PlaylistItemWidget() override;

    // Shows the last path component, elided to the name label's current
    // width, and sets the icon: the DVD image or the file type's icon.
    void SetFilename(std::string name);
    // As HH:mm:ss; 24 hours and more wrap around.
    void SetDuration(avTime duration);
    void SetActive(bool active);
    void SetUnderDrop(bool underDrop);
    // Puts the error badge on the icon that SetFilename set; false changes nothing.
    void SetInvalid(bool invalid);
    // Takes effect with the next SetFilename.
    void SetDVD(bool dvd);

    // White text on background; the palette is rebuilt only when it changes.
    void SetBackground(const QColor& background);
    // Renders the row at size onto painter's origin, background included.
    // Its layout runs only when the size, the drop separator or the width of
    // the duration changed since the last rendering, or the style or font did.
    void Render(QPainter* painter, QSize size);
    // Counts the changes of style, font and the like that can alter how the
    // same row looks; a rendering of an earlier generation is out of date.
    std::uint64_t GetGeneration() const { return m_generation; }

protected:
    void changeEvent(QEvent* event) override;

private:
    // What the layout was computed for.
    struct LayoutKey
    {
        QSize size;
        bool underDrop = false;
        int durationWidth = 0;
        std::uint64_t generation = 0;

        bool operator==(const LayoutKey& other) const;
    };

    const QSize m_iconSize;
    std::unique_ptr<Ui::PlaylistItemWidget> m_ui;
    bool m_dvd = false;
    std::uint64_t m_generation = 1;
    LayoutKey m_laidOut;
    QString m_fileName;
    QRgb m_background = 0;
    qint64 m_applicationPalette = 0;
};

} // namespace Tarvos::Gui
