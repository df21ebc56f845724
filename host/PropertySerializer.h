#pragma once

#include "host/HostExport.h"

#include <boost/intrusive_ptr.hpp>

namespace Tarvos::io {
class IDataInput;
class IDataOutput;
} // namespace Tarvos::io

namespace Tarvos::Core {

class Property;

/// Writes a Property tree as JSON text and reads it back. The text holds no
/// zero byte and keeps names, value types, the array mark and child order, so
/// a tree read back compares equal to the one written.
///
/// Each node is an object: "name", at most one value ("string", "int" as
/// decimal text so that 64-bit values survive, "bool", or "ratio" as "n/d"),
/// "array": true on list nodes and "children" when it has any.
class REELKIT_HOST_EXPORT PropertySerializer
{
public:
    /// Input larger than this many bytes (128 MiB) is refused rather than parsed.
    static constexpr std::size_t MaxInputSize = 128u << 20;

    /// Writes the whole tree to output in one Write() call; a null output gets
    /// nothing. compact: one line of text; otherwise indented for people to
    /// read, with a final line break.
    static void Serialize(
        const Property& property, boost::intrusive_ptr<io::IDataOutput> output, bool compact);
    /// Replaces the node's value, array mark and children with the tree read
    /// from input, to its end; readRootName also takes the root's name from
    /// it, otherwise the node keeps its name. Anything malformed or too large
    /// (and a null input) returns false and leaves the node with no value, no
    /// children and no array mark.
    static bool Deserialize(
        Property& property, boost::intrusive_ptr<io::IDataInput> input, bool readRootName);
};

} // namespace Tarvos::Core
