#pragma once

#include "host/HostExport.h"

#include <boost/rational.hpp>
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace Tarvos::Core {

/// A named node of a value tree: an optional scalar value and ordered children.
///
/// Values convert between types on reading: an integer reads as its decimal
/// text, a boolean as "true" or "false" or 1 or 0, a ratio as "n/d" or its
/// integer part, text as the number it spells exactly (else 0); a missing
/// value reads as 0, false or the empty text. Names need not be unique; a
/// lookup by name finds the first child of that name.
///
/// A value type, copied deeply. Not synchronised.
class REELKIT_HOST_EXPORT Property
{
public:
    /// A fraction of 64-bit integers, such as a frame rate.
    using Ratio = boost::rational<std::int64_t>;
    /// Which kind of value a node holds.
    enum class Type
    {
        None, ///< No value.
        String, ///< Text (UTF-8).
        Int64, ///< A signed 64-bit integer.
        Bool, ///< A boolean.
        Ratio ///< A Property::Ratio.
    };

    /// A node with that name (the empty name is allowed), no value and no children.
    explicit Property(const std::string& name = std::string());

    /// The node's name.
    const std::string& GetName() const { return m_name; }
    /// The type of the value as it was set.
    Type GetType() const { return static_cast<Type>(m_value.index()); }

    /// \name Children
    /// A reference returned by SetChild(), Add() or operator[] stays valid until
    /// the next child is added to the same node.
    //@{
    /// Appends a child named key that holds the text value, and returns it; a
    /// child of the same name that is already there stays (lookups find the
    /// first one).
    Property& SetChild(const std::string& key, const std::string& value);
    /// Appends a child holding the text value (null gives the empty text).
    Property& SetChild(const std::string& key, const char* value);
    /// Appends a child holding the boolean value.
    Property& SetChild(const std::string& key, bool value);
    /// Appends a child holding the ratio value.
    Property& SetChild(const std::string& key, const Ratio& value);
    /// Appends a child holding value, of any integer type but bool, as a
    /// 64-bit integer.
    template <class Integer,
        std::enable_if_t<std::is_integral_v<Integer> && !std::is_same_v<Integer, bool>, int> = 0>
    Property& SetChild(const std::string& key, Integer value)
    {
        return SetInt64Child(key, static_cast<std::int64_t>(value));
    }
    /// Appends a copy of child as the last child and returns it.
    Property& Add(const Property& child);
    /// Appends child, moved, as the last child and returns it.
    Property& Add(Property&& child);
    /// Removes every child; the value and the array mark stay.
    void RemoveChildren() { m_children.clear(); }
    /// Makes room for count children: until the node holds more, adding one
    /// keeps references to the others valid.
    void Reserve(unsigned count) { m_children.reserve(count); }
    //@}

    /// Marks the node as an ordered list of unnamed children (or unmarks it).
    /// Only the serialised form and comparison see the mark.
    void SetArrayType(bool array = true) { m_array = array; }
    /// Whether SetArrayType() marked the node.
    bool IsArrayType() const { return m_array; }

    /// Number of children.
    unsigned Count() const { return static_cast<unsigned>(m_children.size()); }
    /// \name Child lookup
    /// Out of range, or no child of that name: the const forms give an empty
    /// node; the non-const name form appends a child of that name, the index
    /// form gives a scratch node that no tree holds (one per thread, reset on
    /// each such call).
    //@{
    /// The child at index, in insertion order.
    const Property& operator[](unsigned index) const;
    /// The child at index, in insertion order.
    Property& operator[](unsigned index);
    /// The first child named name.
    const Property& operator[](const std::string& name) const;
    /// The first child named name.
    Property& operator[](const std::string& name);
    //@}
    /// Whether a child of that name exists.
    bool ChildExists(const std::string& name) const;

    /// \name Setting the value
    /// Each replaces the node's value, whatever its type was; the name and the
    /// children stay.
    //@{
    /// Sets the text value.
    Property& operator=(const std::string& value);
    /// Sets the text value; null sets the empty text.
    Property& operator=(const char* value);
    /// Sets value, of any integer type but bool, as a 64-bit integer.
    template <class Integer,
        std::enable_if_t<std::is_integral_v<Integer> && !std::is_same_v<Integer, bool>, int> = 0>
    Property& operator=(Integer value)
    {
        return SetInt64(static_cast<std::int64_t>(value));
    }
    /// Sets the boolean value.
    Property& operator=(bool value);
    /// Sets the ratio value.
    Property& operator=(const Ratio& value);
    /// Removes the value (Type::None).
    void ClearValue() { m_value = std::monostate(); }
    //@}

    /// \name Reading the value
    /// Converted from whatever type the node holds (see the class description).
    //@{
    /// As text.
    std::string GetString() const;
    /// As a signed 64-bit integer; a ratio is truncated towards zero.
    std::int64_t GetInt64() const;
    /// As a boolean; text is true only for "true" and "1".
    bool GetBool() const;
    /// As a ratio; text is read as "n/d" or "n" with a positive denominator.
    Ratio GetRatio() const;
    //@}

    /// Equal names, values (of the same type), array marks and children, in order.
    friend REELKIT_HOST_EXPORT bool operator==(const Property& a, const Property& b);
    /// The negation of operator==.
    friend bool operator!=(const Property& a, const Property& b) { return !(a == b); }

private:
    Property& SetInt64Child(const std::string& key, std::int64_t value);
    Property& SetInt64(std::int64_t value);
    const Property* Find(const std::string& name) const;

    std::string m_name;
    // The index of each alternative is its Type.
    std::variant<std::monostate, std::string, std::int64_t, bool, Ratio> m_value;
    bool m_array = false;
    std::vector<Property> m_children;
};

} // namespace Tarvos::Core
