#include "Gui/Reelkit/PlaylistDragPayload.h"

#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

namespace Tarvos::Gui {

namespace {

constexpr char ActiveMark = '*';

} // namespace

QByteArray PlaylistDragPayload::Encode(const std::vector<Entry>& entries)
{
    Core::Property root("drugs");
    root.SetArrayType();
    for (const Entry& entry : entries) {
        Core::Property item;
        item = entry.active ? ActiveMark + entry.path : entry.path;
        root.Add(std::move(item));
    }
    std::string text;
    Core::PropertySerializer::Serialize(root, io::DataOutputString::Create(&text), true);
    // A zero byte would end the payload for readers that take it as C text.
    return QByteArray(text.c_str());
}

std::vector<PlaylistDragPayload::Entry> PlaylistDragPayload::Decode(const QByteArray& payload)
{
    std::vector<Entry> entries;
    if (payload.isEmpty() || payload.size() > MaxSize)
        return entries;
    const std::string text = payload.toStdString();
    Core::Property root;
    if (!Core::PropertySerializer::Deserialize(root, io::DataInputString::Create(&text), true)
        || !root.IsArrayType())
        return entries;
    const Core::Property& items = root;
    for (unsigned i = 0; i < items.Count(); ++i) {
        const Core::Property& item = items[i];
        if (item.GetType() != Core::Property::Type::String || !item.GetName().empty()
            || item.Count() != 0)
            continue;
        Entry entry { item.GetString() };
        entry.active = !entry.path.empty() && entry.path.front() == ActiveMark;
        if (entry.active)
            entry.path.erase(0, 1);
        if (entry.path.empty() || entry.path.find('\0') != std::string::npos)
            continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace Tarvos::Gui
