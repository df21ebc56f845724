#pragma once

#include "Gui/Reelkit/ReelkitExport.h"

#include <QByteArray>
#include <string>
#include <vector>

namespace Tarvos::Gui {

// The rows of a playlist drag, as they travel between views and processes:
// a serialized array of unnamed texts, one path per row, the path of the entry
// that was playing marked with a leading "*". Exported for the tests only.
class REELKIT_EXPORT PlaylistDragPayload
{
public:
    struct Entry
    {
        std::string path;
        bool active = false;
    };

    // Payloads larger than this are not read.
    static constexpr int MaxSize = 16 << 20;

    static QByteArray Encode(const std::vector<Entry>& entries);
    // The entries in payload order. The payload may come from any process:
    // entries that are not unnamed, non-empty texts are left out, and an
    // unreadable or oversized payload gives none.
    static std::vector<Entry> Decode(const QByteArray& payload);
};

} // namespace Tarvos::Gui
