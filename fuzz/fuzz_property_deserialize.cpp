// Feeds arbitrary text to the tree reader. A successful read must write back
// to text that reads into the same tree.
#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <cstdlib>

using Tarvos::Core::Property;
using Tarvos::Core::PropertySerializer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Property tree("before");
    tree.SetChild("stale", 1);
    if (!PropertySerializer::Deserialize(tree, Tarvos::io::DataInputString::Create(&text), true)) {
        if (tree.Count() != 0)
            std::abort();
        return 0;
    }
    // Read the tree through every accessor, as the playlist does.
    for (unsigned i = 0; i < tree.Count(); ++i) {
        const Property& child = tree[i];
        (void)child.GetString();
        (void)child.GetInt64();
        (void)child.GetBool();
        (void)child.GetRatio();
    }
    std::string written;
    PropertySerializer::Serialize(tree, Tarvos::io::DataOutputString::Create(&written), true);
    Property back;
    if (!PropertySerializer::Deserialize(back, Tarvos::io::DataInputString::Create(&written), true)
        || !(back == tree))
        std::abort();
    return 0;
}
