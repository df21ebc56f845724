#pragma once

#include "host/HostExport.h"

#include <boost/rational.hpp>
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace Tarvos::Core {

// A named node of a value tree: an optional scalar value and ordered children.
// Values convert between types on reading (an integer reads as its decimal
// text, a missing value as 0, false or the empty text).
class REELKIT_HOST_EXPORT Property
{
public:
    using Ratio = boost::rational<std::int64_t>;
    enum class Type
    {
        None,
        String,
        Int64,
        Bool,
        Ratio
    };

    explicit Property(const std::string& name = std::string());

    const std::string& GetName() const { return m_name; }
    Type GetType() const { return static_cast<Type>(m_value.index()); }

    // Children. A reference returned by SetChild, Add or operator[] stays valid
    // until the next child is added to the same node.
    Property& SetChild(const std::string& key, const std::string& value);
    Property& SetChild(const std::string& key, const char* value);
    Property& SetChild(const std::string& key, bool value);
    Property& SetChild(const std::string& key, const Ratio& value);
    template <class Integer,
        std::enable_if_t<std::is_integral_v<Integer> && !std::is_same_v<Integer, bool>, int> = 0>
    Property& SetChild(const std::string& key, Integer value)
    {
        return SetInt64Child(key, static_cast<std::int64_t>(value));
    }
    Property& Add(const Property& child);
    Property& Add(Property&& child);
    void RemoveChildren() { m_children.clear(); }
    void Reserve(unsigned count) { m_children.reserve(count); }

    // Marks the node as an ordered list of unnamed children.
    void SetArrayType(bool array = true) { m_array = array; }
    bool IsArrayType() const { return m_array; }

    unsigned Count() const { return static_cast<unsigned>(m_children.size()); }
    // Out of range, or no child of that name: the const forms give an empty
    // node; the non-const name form adds the child, the index form gives a
    // scratch node that no tree holds.
    const Property& operator[](unsigned index) const;
    Property& operator[](unsigned index);
    const Property& operator[](const std::string& name) const;
    Property& operator[](const std::string& name);
    bool ChildExists(const std::string& name) const;

    Property& operator=(const std::string& value);
    Property& operator=(const char* value);
    template <class Integer,
        std::enable_if_t<std::is_integral_v<Integer> && !std::is_same_v<Integer, bool>, int> = 0>
    Property& operator=(Integer value)
    {
        return SetInt64(static_cast<std::int64_t>(value));
    }
    Property& operator=(bool value);
    Property& operator=(const Ratio& value);
    void ClearValue() { m_value = std::monostate(); }

    std::string GetString() const;
    std::int64_t GetInt64() const;
    bool GetBool() const;
    Ratio GetRatio() const;

    friend REELKIT_HOST_EXPORT bool operator==(const Property& a, const Property& b);
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
