#include "host/Property.h"

#include <charconv>
#include <limits>

namespace Tarvos::Core {

namespace {

bool ParseInt64(const std::string& text, std::int64_t& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// "n/d" or "n"; rejects a denominator that is not positive.
bool ParseRatio(const std::string& text, Property::Ratio& ratio)
{
    const auto slash = text.find('/');
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
    if (!ParseInt64(text.substr(0, slash), numerator))
        return false;
    if (slash != std::string::npos && !ParseInt64(text.substr(slash + 1), denominator))
        return false;
    if (denominator <= 0)
        return false;
    if (denominator == 1) {
        ratio = Property::Ratio(numerator);
        return true;
    }
    // Reducing by the common divisor would overflow on the most negative value.
    if (numerator == std::numeric_limits<std::int64_t>::min())
        return false;
    ratio.assign(numerator, denominator);
    return true;
}

} // namespace

Property::Property(const std::string& name)
    : m_name(name)
{}

Property& Property::SetChild(const std::string& key, const std::string& value)
{
    Property& child = Add(Property(key));
    child.m_value = value;
    return child;
}

Property& Property::SetChild(const std::string& key, const char* value)
{
    return SetChild(key, std::string(value ? value : ""));
}

Property& Property::SetChild(const std::string& key, bool value)
{
    Property& child = Add(Property(key));
    child.m_value = value;
    return child;
}

Property& Property::SetChild(const std::string& key, const Ratio& value)
{
    Property& child = Add(Property(key));
    child.m_value = value;
    return child;
}

Property& Property::SetInt64Child(const std::string& key, std::int64_t value)
{
    Property& child = Add(Property(key));
    child.m_value = value;
    return child;
}

Property& Property::Add(const Property& child)
{
    m_children.push_back(child);
    return m_children.back();
}

Property& Property::Add(Property&& child)
{
    m_children.push_back(std::move(child));
    return m_children.back();
}

const Property* Property::Find(const std::string& name) const
{
    for (const Property& child : m_children) {
        if (child.m_name == name)
            return &child;
    }
    return nullptr;
}

const Property& Property::operator[](unsigned index) const
{
    static const Property empty;
    return index < m_children.size() ? m_children[index] : empty;
}

Property& Property::operator[](unsigned index)
{
    if (index < m_children.size())
        return m_children[index];
    thread_local Property scratch;
    scratch = Property();
    return scratch;
}

const Property& Property::operator[](const std::string& name) const
{
    static const Property empty;
    const Property* child = Find(name);
    return child ? *child : empty;
}

Property& Property::operator[](const std::string& name)
{
    if (const Property* child = Find(name))
        return const_cast<Property&>(*child);
    return Add(Property(name));
}

bool Property::ChildExists(const std::string& name) const
{
    return Find(name) != nullptr;
}

Property& Property::operator=(const std::string& value)
{
    m_value = value;
    return *this;
}

Property& Property::operator=(const char* value)
{
    m_value = std::string(value ? value : "");
    return *this;
}

Property& Property::SetInt64(std::int64_t value)
{
    m_value = value;
    return *this;
}

Property& Property::operator=(bool value)
{
    m_value = value;
    return *this;
}

Property& Property::operator=(const Ratio& value)
{
    m_value = value;
    return *this;
}

std::string Property::GetString() const
{
    switch (GetType()) {
    case Type::None:
        return std::string();
    case Type::String:
        return std::get<std::string>(m_value);
    case Type::Int64:
        return std::to_string(std::get<std::int64_t>(m_value));
    case Type::Bool:
        return std::get<bool>(m_value) ? "true" : "false";
    case Type::Ratio: {
        const Ratio& ratio = std::get<Ratio>(m_value);
        return std::to_string(ratio.numerator()) + '/' + std::to_string(ratio.denominator());
    }
    }
    return std::string();
}

std::int64_t Property::GetInt64() const
{
    switch (GetType()) {
    case Type::None:
        return 0;
    case Type::String: {
        std::int64_t value = 0;
        return ParseInt64(std::get<std::string>(m_value), value) ? value : 0;
    }
    case Type::Int64:
        return std::get<std::int64_t>(m_value);
    case Type::Bool:
        return std::get<bool>(m_value) ? 1 : 0;
    case Type::Ratio: {
        const Ratio& ratio = std::get<Ratio>(m_value);
        return ratio.numerator() / ratio.denominator();
    }
    }
    return 0;
}

bool Property::GetBool() const
{
    switch (GetType()) {
    case Type::None:
        return false;
    case Type::String: {
        const std::string& text = std::get<std::string>(m_value);
        return text == "true" || text == "1";
    }
    case Type::Int64:
        return std::get<std::int64_t>(m_value) != 0;
    case Type::Bool:
        return std::get<bool>(m_value);
    case Type::Ratio:
        return std::get<Ratio>(m_value).numerator() != 0;
    }
    return false;
}

Property::Ratio Property::GetRatio() const
{
    switch (GetType()) {
    case Type::None:
        return Ratio();
    case Type::String: {
        Ratio ratio;
        return ParseRatio(std::get<std::string>(m_value), ratio) ? ratio : Ratio();
    }
    case Type::Int64:
        return Ratio(std::get<std::int64_t>(m_value));
    case Type::Bool:
        return Ratio(std::get<bool>(m_value) ? 1 : 0);
    case Type::Ratio:
        return std::get<Ratio>(m_value);
    }
    return Ratio();
}

bool operator==(const Property& a, const Property& b)
{
    return a.m_name == b.m_name && a.m_value == b.m_value && a.m_array == b.m_array
        && a.m_children == b.m_children;
}

} // namespace Tarvos::Core
