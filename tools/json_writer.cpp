// JsonWriter: pretty and compact JSON output with lossless strings.
#include "tools/json_writer.h"

#include <algorithm>

namespace {

// Numbers (colours, coordinates) read better on one line; arrays holding strings or containers
// get one element per line.
bool isFlat(const JsonValue::Array& items) {
    return std::all_of(items.begin(), items.end(), [](const JsonValue& item) {
        return item.isNull() || item.isBool() || item.isInt();
    });
}

void appendUnicodeEscape(std::string& out, char32_t unit) {
    static constexpr char hex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += hex[(unit >> shift) & 0xF];
}

} // namespace

std::string JsonWriter::write(const JsonValue& value, Style style) {
    JsonWriter writer(style);
    writer.writeValue(value, 0);
    if (writer.pretty_)
        writer.out_ += '\n';
    return std::move(writer.out_);
}

void JsonWriter::writeValue(const JsonValue& value, int depth) {
    switch (value.type()) {
    case JsonValue::Type::Null:
        out_ += "null";
        return;
    case JsonValue::Type::Bool:
        out_ += value.asBool() ? "true" : "false";
        return;
    case JsonValue::Type::Integer:
        out_ += std::to_string(value.asInt());
        return;
    case JsonValue::Type::String:
        writeString(value.asString());
        return;
    case JsonValue::Type::Array:
    case JsonValue::Type::Object:
        break;
    }
    if (depth >= JsonValue::maxDepth)
        throw JsonError("value nested deeper than " + std::to_string(JsonValue::maxDepth) +
                        " levels");
    if (value.isArray())
        writeArray(value.items(), depth);
    else
        writeObject(value.members(), depth);
}

void JsonWriter::writeArray(const JsonValue::Array& items, int depth) {
    out_ += '[';
    const bool oneLine = !pretty_ || isFlat(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out_ += pretty_ && oneLine ? ", " : ",";
        if (!oneLine)
            startLine(depth + 1);
        writeValue(items[i], depth + 1);
    }
    if (!oneLine && !items.empty())
        startLine(depth);
    out_ += ']';
}

void JsonWriter::writeObject(const JsonValue::Object& members, int depth) {
    out_ += '{';
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i > 0)
            out_ += ',';
        startLine(depth + 1);
        writeKey(members[i].first);
        out_ += pretty_ ? ": " : ":";
        writeValue(members[i].second, depth + 1);
    }
    if (!members.empty())
        startLine(depth);
    out_ += '}';
}

void JsonWriter::writeString(std::u16string_view text) {
    out_ += '"';
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t codePoint = json_utf::decodeUtf16(text, pos);
        if (codePoint < 0x80)
            writeAscii(static_cast<char>(codePoint));
        else if (json_utf::isSurrogate(codePoint))
            appendUnicodeEscape(out_, codePoint);
        else
            json_utf::appendUtf8(out_, codePoint);
    }
    out_ += '"';
}

// Keys are valid UTF-8 (JsonValue guarantees it), so only ASCII needs escaping.
void JsonWriter::writeKey(std::string_view key) {
    out_ += '"';
    for (char c : key) {
        if (static_cast<unsigned char>(c) < 0x80)
            writeAscii(c);
        else
            out_ += c;
    }
    out_ += '"';
}

void JsonWriter::writeAscii(char c) {
    switch (c) {
    case '"':
        out_ += "\\\"";
        return;
    case '\\':
        out_ += "\\\\";
        return;
    case '\n':
        out_ += "\\n";
        return;
    case '\t':
        out_ += "\\t";
        return;
    case '\r':
        out_ += "\\r";
        return;
    case '\b':
        out_ += "\\b";
        return;
    case '\f':
        out_ += "\\f";
        return;
    default:
        break;
    }
    if (static_cast<unsigned char>(c) < 0x20)
        appendUnicodeEscape(out_, static_cast<unsigned char>(c));
    else
        out_ += c;
}

void JsonWriter::startLine(int depth) {
    if (!pretty_)
        return;
    out_ += '\n';
    out_.append(static_cast<std::size_t>(depth) * 2, ' ');
}
