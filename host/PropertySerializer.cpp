#include "host/PropertySerializer.h"

#include "host/IDataInput.h"
#include "host/IDataOutput.h"
#include "host/Property.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Tarvos::Core {

namespace {

const QString KeyName = QStringLiteral("name");
const QString KeyString = QStringLiteral("string");
const QString KeyInt = QStringLiteral("int");
const QString KeyBool = QStringLiteral("bool");
const QString KeyRatio = QStringLiteral("ratio");
const QString KeyArray = QStringLiteral("array");
const QString KeyChildren = QStringLiteral("children");

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string ToStdString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

QJsonObject ToJson(const Property& node)
{
    QJsonObject object;
    object.insert(KeyName, ToQString(node.GetName()));
    switch (node.GetType()) {
    case Property::Type::None:
        break;
    case Property::Type::String:
        object.insert(KeyString, ToQString(node.GetString()));
        break;
    case Property::Type::Int64:
        object.insert(KeyInt, ToQString(node.GetString()));
        break;
    case Property::Type::Bool:
        object.insert(KeyBool, node.GetBool());
        break;
    case Property::Type::Ratio:
        object.insert(KeyRatio, ToQString(node.GetString()));
        break;
    }
    if (node.IsArrayType())
        object.insert(KeyArray, true);
    if (node.Count() > 0) {
        QJsonArray children;
        for (unsigned i = 0; i < node.Count(); ++i)
            children.append(ToJson(node[i]));
        object.insert(KeyChildren, children);
    }
    return object;
}

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
            if (!value.isString())
                return false;
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
    const QByteArray text = QJsonDocument(ToJson(property))
                                .toJson(compact ? QJsonDocument::Compact : QJsonDocument::Indented);
    output->Write(text.constData(), static_cast<std::size_t>(text.size()));
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
