// Feeds arbitrary bytes to every playlist file reader. A failed read has no
// entries; a successful one writes back to a file that reads into the same
// paths, and from there the same entries again (durations round to whole
// seconds and titles lose line breaks in the line formats, once).
#include "PlaylistFile.h"

#include <cstdlib>

using Player::PlaylistFile;

namespace {

const QString Folder = QStringLiteral("/music/lists");

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    for (const auto format : { PlaylistFile::Format::M3u, PlaylistFile::Format::M3u8,
             PlaylistFile::Format::Pls, PlaylistFile::Format::Xspf }) {
        const PlaylistFile::Result read = PlaylistFile::Read(bytes, Folder, format);
        Check(read.error.isEmpty() != read.entries.isEmpty());
        if (!read.error.isEmpty())
            continue;
        const PlaylistFile::Result back
            = PlaylistFile::Read(PlaylistFile::Write(read.entries, Folder, format), Folder, format);
        Check(back.error.isEmpty() && back.entries.size() == read.entries.size());
        for (int i = 0; i < back.entries.size(); ++i)
            Check(back.entries[i].path == read.entries[i].path);
        const PlaylistFile::Result again
            = PlaylistFile::Read(PlaylistFile::Write(back.entries, Folder, format), Folder, format);
        Check(again.entries == back.entries);
    }
    return 0;
}
