// JsonValue accessors and the Unicode conversions the reader and writer share.
#include "tools/json_value.h"

#include <unordered_set>

namespace {

void checkKey(std::string_view key) {
    if (!json_utf::isValidUtf8(key))
        throw JsonError("object key \"" + json_utf::printable(key) + "\" is not valid UTF-8");
}

} // namespace

JsonValue JsonValue::object(Object members) {
    std::unordered_set<std::string_view> seen;
    for (const Member& member : members) {
        checkKey(member.first);
        if (!seen.insert(member.first).second)
            throw JsonError("duplicate object key \"" + json_utf::printable(member.first) + "\"");
    }
    JsonValue result;
    result.data_ = std::move(members);
    return result;
}

bool JsonValue::asBool() const {
    if (const bool* value = std::get_if<bool>(&data_))
        return *value;
    throwTypeMismatch(Type::Bool);
}

const std::u16string& JsonValue::asString() const {
    if (const std::u16string* value = std::get_if<std::u16string>(&data_))
        return *value;
    throwTypeMismatch(Type::String);
}

const JsonValue::Array& JsonValue::items() const {
    if (const Array* value = std::get_if<Array>(&data_))
        return *value;
    throwTypeMismatch(Type::Array);
}

const JsonValue::Object& JsonValue::members() const {
    if (const Object* value = std::get_if<Object>(&data_))
        return *value;
    throwTypeMismatch(Type::Object);
}

std::int64_t JsonValue::integer() const {
    if (const std::int64_t* value = std::get_if<std::int64_t>(&data_))
        return *value;
    throwTypeMismatch(Type::Integer);
}

const JsonValue* JsonValue::find(std::string_view key) const {
    for (const Member& member : members()) {
        if (member.first == key)
            return &member.second;
    }
    return nullptr;
}

const JsonValue& JsonValue::at(std::string_view key) const {
    if (const JsonValue* value = find(key))
        return *value;
    throw JsonError("missing key \"" + json_utf::printable(key) + "\"");
}

void JsonValue::push(JsonValue item) {
    Array* array = std::get_if<Array>(&data_);
    if (!array)
        throwTypeMismatch(Type::Array);
    array->push_back(std::move(item));
}

void JsonValue::set(std::string key, JsonValue value) {
    Object* object = std::get_if<Object>(&data_);
    if (!object)
        throwTypeMismatch(Type::Object);
    checkKey(key);
    for (Member& member : *object) {
        if (member.first == key) {
            member.second = std::move(value);
            return;
        }
    }
    object->emplace_back(std::move(key), std::move(value));
}

const char* JsonValue::typeName(Type type) {
    switch (type) {
    case Type::Null:
        return "null";
    case Type::Bool:
        return "boolean";
    case Type::Integer:
        return "integer";
    case Type::String:
        return "string";
    case Type::Array:
        return "array";
    case Type::Object:
        return "object";
    }
    return "unknown";
}

void JsonValue::throwTypeMismatch(Type expected) const {
    throw JsonError(std::string("expected ") + typeName(expected) + ", found " + typeName(type()));
}

void JsonValue::throwOutOfRange(std::int64_t value) {
    throw JsonError("integer " + std::to_string(value) + " is out of range");
}

namespace json_utf {

namespace {

// How a lead byte continues. The second byte's range is narrowed for some leads: that is what
// excludes overlong forms, encoded surrogates and values past U+10FFFF.
struct Utf8Lead {
    std::size_t length;
    char32_t bits;
    unsigned char secondLow;
    unsigned char secondHigh;
};

std::optional<Utf8Lead> classifyLead(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return Utf8Lead{2, lead & 0x1Fu, 0x80, 0xBF};
    if (lead == 0xE0)
        return Utf8Lead{3, 0x0, 0xA0, 0xBF};
    if (lead == 0xED)
        return Utf8Lead{3, 0xD, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return Utf8Lead{3, lead & 0x0Fu, 0x80, 0xBF};
    if (lead == 0xF0)
        return Utf8Lead{4, 0x0, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return Utf8Lead{4, lead & 0x07u, 0x80, 0xBF};
    if (lead == 0xF4)
        return Utf8Lead{4, 0x4, 0x80, 0x8F};
    return std::nullopt;
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendHexEscape(std::string& out, const char* prefix, unsigned value, int digits) {
    static constexpr char hex[] = "0123456789abcdef";
    out += prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += hex[(value >> shift) & 0xF];
}

} // namespace

std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos) {
    if (pos >= text.size())
        return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    const std::optional<Utf8Lead> form = classifyLead(lead);
    if (!form || text.size() - pos < form->length)
        return std::nullopt;
    char32_t codePoint = form->bits;
    unsigned char low = form->secondLow;
    unsigned char high = form->secondHigh;
    for (std::size_t i = 1; i < form->length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (byte < low || byte > high)
            return std::nullopt;
        codePoint = (codePoint << 6) | (byte & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    pos += form->length;
    return codePoint;
}

char32_t decodeUtf16(std::u16string_view text, std::size_t& pos) {
    const char16_t unit = text[pos++];
    if (!isHighSurrogate(unit) || pos >= text.size() || !isLowSurrogate(text[pos]))
        return unit;
    const char16_t low = text[pos++];
    return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
        return;
    }
    if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
}

void appendUtf16(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
        return;
    }
    const char32_t offset = codePoint - 0x10000;
    out += static_cast<char16_t>(0xD800 + (offset >> 10));
    out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
}

bool isValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (!decodeUtf8(text, pos))
            return false;
    }
    return true;
}

std::optional<std::string> toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t codePoint = decodeUtf16(text, pos);
        if (isSurrogate(codePoint))
            return std::nullopt;
        appendUtf8(out, codePoint);
    }
    return out;
}

std::string printable(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const std::optional<char32_t> codePoint = decodeUtf8(text, pos);
        if (!codePoint) {
            appendHexEscape(out, "\\x", static_cast<unsigned char>(text[pos++]), 2);
            continue;
        }
        // C1 controls too: some terminals act on them as well.
        if (*codePoint < 0x20 || (*codePoint >= 0x7F && *codePoint < 0xA0))
            appendHexEscape(out, "\\u", *codePoint, 4);
        else
            out.append(text.substr(start, pos - start));
    }
    return out;
}

} // namespace json_utf
