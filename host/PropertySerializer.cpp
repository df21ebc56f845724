#include "host/PropertySerializer.h"

#include "host/IDataInput.h"
#include "host/IDataOutput.h"
#include "host/Property.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <string>

namespace Tarvos::Core {

namespace {

constexpr char Name[] = "name";
constexpr char String[] = "string";
constexpr char Int[] = "int";
constexpr char Bool[] = "bool";
constexpr char Ratio[] = "ratio";
constexpr char Array[] = "array";
constexpr char Children[] = "children";

const QString KeyName = QLatin1String(Name);
const QString KeyString = QLatin1String(String);
const QString KeyInt = QLatin1String(Int);
const QString KeyBool = QLatin1String(Bool);
const QString KeyRatio = QLatin1String(Ratio);
const QString KeyArray = QLatin1String(Array);
const QString KeyChildren = QLatin1String(Children);

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string ToStdString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

// Writes the text that QJsonDocument::toJson gives for the tree (keys in
// sorted order, four spaces per level), without building QJsonObjects first:
// for large trees that costs several times more than the writing itself. The
// text goes to the output in pieces, so that a long list never stands in
// memory twice.
class JsonWriter
{
public:
    JsonWriter(io::IDataOutput& output, bool compact)
        : m_output(output)
        , m_compact(compact)
    {
        m_out.reserve(FlushBytes + FlushBytes / 4);
    }

    ~JsonWriter() { Flush(); }

    // The root object and, unless compact, a final newline.
    void Document(const Property& root)
    {
        Object(root, 0);
        EndLine();
    }

private:
    void Object(const Property& node, int indent)
    {
        m_out += m_compact ? "{" : "{\n";
        bool first = true;
        if (node.IsArrayType()) {
            Key(Array, indent + 1, first);
            m_out += "true";
        }
        if (node.GetType() == Property::Type::Bool) {
            Key(Bool, indent + 1, first);
            m_out += node.GetBool() ? "true" : "false";
        }
        if (node.Count() > 0) {
            Key(Children, indent + 1, first);
            WriteChildren(node, indent + 1);
        }
        if (node.GetType() == Property::Type::Int64) {
            Key(Int, indent + 1, first);
            WriteString(node.GetString());
        }
        Key(Name, indent + 1, first);
        WriteString(node.GetName());
        if (node.GetType() == Property::Type::Ratio) {
            Key(Ratio, indent + 1, first);
            WriteString(node.GetString());
        }
        if (node.GetType() == Property::Type::String) {
            Key(String, indent + 1, first);
            WriteString(node.GetString());
        }
        EndLine();
        Indent(indent);
        m_out += '}';
    }

    void WriteChildren(const Property& node, int indent)
    {
        m_out += m_compact ? "[" : "[\n";
        for (unsigned i = 0; i < node.Count(); ++i) {
            if (i > 0)
                m_out += m_compact ? "," : ",\n";
            Indent(indent + 1);
            Object(node[i], indent + 1);
            if (m_out.size() >= FlushBytes)
                Flush();
        }
        EndLine();
        Indent(indent);
        m_out += ']';
    }

    void Key(const char* key, int indent, bool& first)
    {
        if (!first)
            m_out += m_compact ? "," : ",\n";
        first = false;
        Indent(indent);
        m_out += '"';
        m_out += key;
        m_out += m_compact ? "\":" : "\": ";
    }

    void WriteString(const std::string& text)
    {
        m_out += '"';
        const bool ascii = std::all_of(
            text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii) {
            Escaped(text.data(), text.size());
        } else {
            // Through QString, so that malformed UTF-8 is replaced as Qt replaces it.
            const QByteArray utf8 = ToQString(text).toUtf8();
            Escaped(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        }
        m_out += '"';
    }

    // Copies the runs between characters that need escaping whole.
    void Escaped(const char* text, std::size_t size)
    {
        static const char hex[] = "0123456789abcdef";
        std::size_t run = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (c >= 0x20 && c != '"' && c != '\\')
                continue;
            m_out.append(text + run, i - run);
            run = i + 1;
            switch (c) {
            case '"':
                m_out += "\\\"";
                break;
            case '\\':
                m_out += "\\\\";
                break;
            case '\b':
                m_out += "\\b";
                break;
            case '\f':
                m_out += "\\f";
                break;
            case '\n':
                m_out += "\\n";
                break;
            case '\r':
                m_out += "\\r";
                break;
            case '\t':
                m_out += "\\t";
                break;
            default:
                m_out += "\\u00";
                m_out += hex[c >> 4];
                m_out += hex[c & 0xf];
            }
        }
        m_out.append(text + run, size - run);
    }

    void Flush()
    {
        m_output.Write(m_out.data(), m_out.size());
        m_out.clear();
    }

    void Indent(int indent)
    {
        if (!m_compact)
            m_out.append(static_cast<std::size_t>(4 * indent), ' ');
    }

    void EndLine()
    {
        if (!m_compact)
            m_out += '\n';
    }

    static constexpr std::size_t FlushBytes = 64 * 1024;

    io::IDataOutput& m_output;
    std::string m_out;
    bool m_compact;
};

// Reads a value stored as text through Property's own conversion, which
// rejects anything that does not read back to the same text.
template <class Value>
bool ReadTextValue(const QJsonValue& json, Property& node, Value (Property::*get)() const)
{
    if (!json.isString())
        return false;
    const std::string text = ToStdString(json.toString());
    Property probe;
    probe = text;
    const Value value = (probe.*get)();
    node = value;
    return node.GetString() == text;
}

bool FromJson(const QJsonObject& object, Property& node)
{
    int values = 0;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString& key = it.key();
        const QJsonValue value = it.value();
        if (key == KeyName) {
            // Read, and checked to be text, by the caller that named the node.
        } else if (key == KeyString) {
            if (!value.isString())
                return false;
            node = ToStdString(value.toString());
            ++values;
        } else if (key == KeyInt) {
            if (!ReadTextValue<std::int64_t>(value, node, &Property::GetInt64))
                return false;
            ++values;
        } else if (key == KeyBool) {
            if (!value.isBool())
                return false;
            node = value.toBool();
            ++values;
        } else if (key == KeyRatio) {
            if (!ReadTextValue<Property::Ratio>(value, node, &Property::GetRatio))
                return false;
            ++values;
        } else if (key == KeyArray) {
            if (!value.isBool())
                return false;
            node.SetArrayType(value.toBool());
        } else if (key == KeyChildren) {
            if (!value.isArray())
                return false;
            const QJsonArray children = value.toArray();
            node.Reserve(static_cast<unsigned>(children.size()));
            for (const QJsonValue& child : children) {
                if (!child.isObject())
                    return false;
                const QJsonObject childObject = child.toObject();
                const QJsonValue name = childObject.value(KeyName);
                if (!name.isString())
                    return false;
                if (!FromJson(childObject, node.Add(Property(ToStdString(name.toString())))))
                    return false;
            }
        } else {
            return false;
        }
    }
    return values <= 1;
}

} // namespace

void PropertySerializer::Serialize(
    const Property& property, boost::intrusive_ptr<io::IDataOutput> output, bool compact)
{
    if (!output)
        return;
    JsonWriter(*output, compact).Document(property);
}

bool PropertySerializer::Deserialize(
    Property& property, boost::intrusive_ptr<io::IDataInput> input, bool readRootName)
{
    property.RemoveChildren();
    property.ClearValue();
    property.SetArrayType(false);
    if (!input)
        return false;

    QByteArray text;
    char buffer[64 * 1024];
    while (const std::size_t count = input->Read(buffer, sizeof buffer)) {
        if (static_cast<std::size_t>(text.size()) + count > MaxInputSize)
            return false;
        text.append(buffer, static_cast<int>(count));
    }

    // The written form never holds a zero byte; one in the input means it is
    // not ours, or was cut and pasted together.
    if (text.contains('\0'))
        return false;

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject root = document.object();
    const QJsonValue name = root.value(KeyName);
    if (!name.isString())
        return false;

    Property result(readRootName ? ToStdString(name.toString()) : property.GetName());
    if (!FromJson(root, result))
        return false;
    property = std::move(result);
    return true;
}

} // namespace Tarvos::Core
