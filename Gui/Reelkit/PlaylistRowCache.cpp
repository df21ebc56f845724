#include "Gui/Reelkit/PlaylistRowCache.h"

#include <QHash>
#include <cstddef>
#include <functional>

namespace Tarvos::Gui {

bool PlaylistRowCache::Key::operator==(const Key& other) const
{
    return name == other.name && duration == other.duration && dvd == other.dvd
        && active == other.active && underDrop == other.underDrop && invalid == other.invalid
        && background == other.background && size == other.size && pixelRatio == other.pixelRatio
        && generation == other.generation && palette == other.palette;
}

PlaylistRowCache::PlaylistRowCache()
    : m_rows(MaximumBytes)
{}

const QPixmap* PlaylistRowCache::Find(const Key& key) const
{
    return m_rows.object(key);
}

void PlaylistRowCache::Insert(const Key& key, const QPixmap& picture)
{
    // A picture larger than the whole cache is not kept.
    const qint64 bytes = qint64(picture.width()) * picture.height() * picture.depth() / 8;
    if (bytes <= MaximumBytes)
        m_rows.insert(key, new QPixmap(picture), static_cast<int>(bytes));
}

std::size_t qHash(const PlaylistRowCache::Key& key, std::size_t seed)
{
    // The name tells rows apart; the states only pick one of a few pictures of it.
    const std::size_t states = (std::size_t(key.dvd) << 0) | (std::size_t(key.active) << 1)
        | (std::size_t(key.underDrop) << 2) | (std::size_t(key.invalid) << 3);
    return seed ^ std::hash<std::string>()(key.name) ^ (std::size_t(key.duration) * 31)
        ^ (states << 8) ^ std::size_t(key.background) ^ (std::size_t(key.size.width()) << 16);
}

} // namespace Tarvos::Gui
