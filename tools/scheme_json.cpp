// Converting schemes to JSON and back, losslessly.
#include "tools/scheme_json.h"

#include "model/byte_stream.h"
#include "model/class_registry.h"
#include "model/color_property.h"
#include "model/file_property.h"
#include "model/font_family_property.h"
#include "model/object_stream.h"
#include "model/string_property.h"
#include "model/utf.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <cstdio>
#include <set>

namespace {

std::string colorText(std::uint32_t argb) {
    char text[10];
    std::snprintf(text, sizeof text, "#%08X", argb);
    return text;
}

QByteArray carriedBytes(FileProperty& file) {
    const std::span<const std::uint8_t> bytes = file.bytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

JsonValue fileFields(FileProperty& file, JsonValue object, bool withData) {
    QByteArray bytes = carriedBytes(file);
    object.set("sourcePath", JsonValue(file.sourcePath()));
    object.set("size", JsonValue(static_cast<std::int64_t>(bytes.size())));
    QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    object.set("sha256", JsonValue(fromAscii(hash.toStdString())));
    if (withData) {
        object.set("dataBase64", JsonValue(fromAscii(bytes.toBase64().toStdString())));
    }
    return object;
}

// The path of an object in messages: type names from the root down.
class BuildError : public JsonError {
public:
    using JsonError::JsonError;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw BuildError(where + ": " + what);
}

std::uint32_t parseColor(const std::u16string& text, const std::string& where) {
    if (text.size() != 9 || text[0] != u'#') {
        fail(where, "colour must be \"#AARRGGBB\"");
    }
    std::uint32_t value = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char16_t c = text[i];
        int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                    : c >= u'A' && c <= u'F' ? c - u'A' + 10
                    : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                             : -1;
        if (digit < 0) {
            fail(where, "colour must be \"#AARRGGBB\"");
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

QByteArray fileData(const JsonValue& json, const std::filesystem::path& baseFolder,
                    const std::string& where) {
    const JsonValue* base64 = json.find("dataBase64");
    const JsonValue* dataFile = json.find("dataFile");
    if (base64 != nullptr && dataFile != nullptr) {
        fail(where, "give either \"dataBase64\" or \"dataFile\", not both");
    }
    if (base64 != nullptr) {
        std::string text = toUtf8(base64->asString());
        auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(text),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            fail(where, "\"dataBase64\" is not valid base64");
        }
        return *decoded;
    }
    if (dataFile != nullptr) {
        std::filesystem::path path = baseFolder / toPath(dataFile->asString());
        FileByteStream file(path, FileByteStream::Mode::Read);
        if (!file.isOpen()) {
            fail(where, path.string() + ": cannot read the file: " + file.openError());
        }
        if (file.remaining() > FileProperty::kMaxCarriedBytes) {
            fail(where, path.string() + ": file too large");
        }
        QByteArray bytes(static_cast<qsizetype>(file.remaining()), '\0');
        bytes.resize(static_cast<qsizetype>(file.read(bytes.data(), bytes.size())));
        return bytes;
    }
    if (json.at("size").asInt() != 0) {
        fail(where, "the carried file's bytes are missing (dump with --with-data)");
    }
    return {};
}

void checkFileData(const JsonValue& json, const QByteArray& bytes, const std::string& where) {
    if (json.at("size").asInt() != bytes.size()) {
        fail(where, "\"size\" does not match the carried bytes");
    }
    const JsonValue* sha = json.find("sha256");
    if (sha == nullptr) {
        return;
    }
    QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    if (toUtf8(sha->asString()) != hash.toStdString()) {
        fail(where, "\"sha256\" does not match the carried bytes");
    }
}

void checkKeys(const JsonValue& json, std::set<std::string> allowed, const std::string& where) {
    allowed.insert({"type", "name", "textId"});
    for (const auto& [key, value] : json.members()) {
        if (allowed.count(key) == 0) {
            fail(where, "unexpected key \"" + json_utf::printable(key) + "\"");
        }
    }
}

std::unique_ptr<Property> build(const JsonValue& json, const std::filesystem::path& baseFolder,
                                const std::string& parentPath, int depth);

void buildChildren(PropertyMap& map, const JsonValue& json, const std::filesystem::path& baseFolder,
                   const std::string& where, int depth) {
    const JsonValue::Array& children = json.at("children").items();
    // The reader's rule: only a map that has children counts as a level, so an empty map
    // may sit one level below the deepest one with children.
    if (!children.empty() && depth >= ObjectIStream::kMaxDepth) {
        fail(where, "nesting deeper than " + std::to_string(ObjectIStream::kMaxDepth) + " levels");
    }
    map.clearChildren();
    for (const JsonValue& child : children) {
        map.append(build(child, baseFolder, where, depth + 1));
    }
}

void buildValue(Property& property, const JsonValue& json, const std::filesystem::path& baseFolder,
                const std::string& where, int depth) {
    if (auto* map = asKind<PropertyMap>(&property)) {
        checkKeys(json, {"children"}, where);
        buildChildren(*map, json, baseFolder, where, depth);
    } else if (auto* family = asKind<FontFamilyProperty>(&property)) {
        checkKeys(json, {"family"}, where);
        family->selectFamily(json.at("family").asString());
    } else if (auto* integer = asKind<IntProperty>(&property)) {
        checkKeys(json, {"value"}, where);
        integer->setValue(json.at("value").asInt<std::int32_t>());
    } else if (auto* color = asKind<ColorProperty>(&property)) {
        checkKeys(json, {"value"}, where);
        color->setArgb(parseColor(json.at("value").asString(), where));
    } else if (auto* text = asKind<StringProperty>(&property)) {
        checkKeys(json, {"value"}, where);
        text->setValue(json.at("value").asString());
    } else if (auto* file = asKind<FileProperty>(&property)) {
        checkKeys(json, {"sourcePath", "size", "sha256", "dataBase64", "dataFile"}, where);
        QByteArray bytes = fileData(json, baseFolder, where);
        checkFileData(json, bytes, where);
        std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           static_cast<std::size_t>(bytes.size()));
        if (!file->carryBytes(json.at("sourcePath").asString(), data)) {
            fail(where, file->lastError());
        }
    } else {
        fail(where, "objects of this type cannot be built");
    }
}

std::unique_ptr<Property> buildObject(const JsonValue& json,
                                      const std::filesystem::path& baseFolder,
                                      const std::string& where, int depth) {
    std::unique_ptr<SerializationObject> object =
        ClassRegistry::instance().create(toUtf8(json.at("type").asString()));
    if (object == nullptr || !object->isKindOf("Property")) {
        fail(where, "unknown type name");
    }
    std::unique_ptr<Property> property(static_cast<Property*>(object.release()));
    property->setName(json.at("name").asString());
    property->setTextId(json.at("textId").asInt<std::int32_t>());
    buildValue(*property, json, baseFolder, where, depth);
    return property;
}

std::unique_ptr<Property> build(const JsonValue& json, const std::filesystem::path& baseFolder,
                                const std::string& parentPath, int depth) {
    std::string where = parentPath + "/?";
    try {
        where = parentPath + "/" + json_utf::printable(toUtf8(json.at("type").asString()));
        return buildObject(json, baseFolder, where, depth);
    } catch (const BuildError&) {
        throw;
    } catch (const JsonError& error) {
        // Name the object the JSON library's complaint is about.
        fail(where, error.what());
    }
}

} // namespace

JsonValue schemeToJson(Property& property, bool withData) {
    JsonValue object = JsonValue::object();
    object.set("type", JsonValue(fromAscii(property.className())));
    object.set("name", JsonValue(property.name()));
    object.set("textId", JsonValue(property.textId()));
    if (auto* map = asKind<PropertyMap>(&property)) {
        JsonValue children{JsonValue::Array{}};
        for (const auto& child : map->children()) {
            children.push(schemeToJson(*child, withData));
        }
        object.set("children", std::move(children));
    } else if (const auto* family = asKind<FontFamilyProperty>(&property)) {
        object.set("family", JsonValue(family->familyName()));
    } else if (const auto* integer = asKind<IntProperty>(&property)) {
        object.set("value", JsonValue(integer->value()));
    } else if (const auto* color = asKind<ColorProperty>(&property)) {
        object.set("value", JsonValue(fromAscii(colorText(color->argb()))));
    } else if (const auto* text = asKind<StringProperty>(&property)) {
        object.set("value", JsonValue(text->value()));
    } else if (auto* file = asKind<FileProperty>(&property)) {
        // Asking for the bytes may make the first copy from the source path.
        object = fileFields(*file, std::move(object), withData);
    }
    return object;
}

std::unique_ptr<Clock> schemeFromJson(const JsonValue& json,
                                      const std::filesystem::path& baseFolder) {
    if (!json.isObject() || json.find("type") == nullptr ||
        json.at("type").asString() != u"Clock") {
        fail("/", "the root must be an object of type \"Clock\"");
    }
    auto clock = std::make_unique<Clock>();
    clock->setName(json.at("name").asString());
    clock->setTextId(json.at("textId").asInt<std::int32_t>());
    buildValue(*clock, json, baseFolder, "/Clock", 0);
    return clock;
}
