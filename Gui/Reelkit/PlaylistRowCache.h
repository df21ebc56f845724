#pragma once

#include "host/avTime.h"

#include <QCache>
#include <QPixmap>
#include <QRgb>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <string>

namespace Tarvos::Gui {

// Rendered playlist rows, the least recently used dropped first, so that a
// repaint of rows already seen (a selection change, a record changed
// elsewhere in the list) draws pictures instead of rendering the row widget.
//
// A row is found only under everything that decides its pixels: each shown
// field of the record, its background, its size and pixel ratio, and the
// generation of the style, fonts and palette it was rendered with.
class PlaylistRowCache
{
public:
    struct Key
    {
        std::string name;
        avTime duration = 0;
        bool dvd = false;
        bool active = false;
        bool underDrop = false;
        bool invalid = false;
        QRgb background = 0;
        QSize size;
        qreal pixelRatio = 1;
        std::uint64_t generation = 0;
        qint64 palette = 0;

        bool operator==(const Key& other) const;
    };

    // Pictures up to this many bytes are kept: a few screenfuls of wide rows.
    static constexpr int MaximumBytes = 8 * 1024 * 1024;

    PlaylistRowCache();

    // The row rendered under key, or null.
    const QPixmap* Find(const Key& key) const;
    // Keeps picture (shared) under key.
    void Insert(const Key& key, const QPixmap& picture);

private:
    QCache<Key, QPixmap> m_rows;
};

std::size_t qHash(const PlaylistRowCache::Key& key, std::size_t seed = 0);

} // namespace Tarvos::Gui
