#pragma once

#include "host/HostExport.h"

#include <boost/intrusive_ptr.hpp>

namespace Tarvos::io {
class IDataInput;
class IDataOutput;
} // namespace Tarvos::io

namespace Tarvos::Core {

class Property;

// Writes a Property tree as JSON text and reads it back. The text holds no
// zero byte and keeps names, value types, the array mark and child order.
//
// Each node is an object: "name", at most one value ("string", "int" as
// decimal text so that 64-bit values survive, "bool", or "ratio" as "n/d"),
// "array": true on list nodes and "children" when it has any.
class REELKIT_HOST_EXPORT PropertySerializer
{
public:
    // Input larger than this is refused rather than parsed.
    static constexpr std::size_t MaxInputSize = 128u << 20;

    // compact: one line of text; otherwise indented for people to read.
    static void Serialize(
        const Property& property, boost::intrusive_ptr<io::IDataOutput> output, bool compact);
    // Replaces the node's value and children with the tree read from input;
    // readRootName also takes the root's name from it. Anything malformed
    // returns false and leaves the node with no value and no children.
    static bool Deserialize(
        Property& property, boost::intrusive_ptr<io::IDataInput> input, bool readRootName);
};

} // namespace Tarvos::Core
