// JsonReader: a recursive-descent parser with a depth limit and strict UTF-8.
#include "tools/json_reader.h"

#include <charconv>
#include <optional>
#include <unordered_set>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<char16_t> simpleEscape(char c) {
    switch (c) {
    case '"':
        return u'"';
    case '\\':
        return u'\\';
    case '/':
        return u'/';
    case 'b':
        return u'\b';
    case 'f':
        return u'\f';
    case 'n':
        return u'\n';
    case 'r':
        return u'\r';
    case 't':
        return u'\t';
    default:
        return std::nullopt;
    }
}

std::optional<unsigned> hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

std::string describeOffset(std::size_t offset, std::size_t line, std::size_t column) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + " (byte " +
           std::to_string(offset) + ")";
}

} // namespace

JsonParseError::JsonParseError(std::string reason, std::size_t offset, std::size_t line,
                               std::size_t column)
    : JsonError(describeOffset(offset, line, column) + ": " + reason), reason_(std::move(reason)),
      offset_(offset), line_(line), column_(column) {}

JsonValue JsonReader::parse(std::string_view text) {
    return JsonReader(text).parseDocument();
}

JsonValue JsonReader::parseDocument() {
    // Some Windows editors put a byte order mark in front of UTF-8 files.
    if (text_.starts_with(byteOrderMark))
        pos_ = byteOrderMark.size();
    JsonValue value = parseValue(0);
    skipWhitespace();
    if (!atEnd())
        fail("unexpected " + describeCurrent() + " after the JSON value", pos_);
    return value;
}

JsonValue JsonReader::parseValue(int depth) {
    skipWhitespace();
    if (atEnd())
        fail("expected a value, found end of input", pos_);
    const char c = text_[pos_];
    if (c == '[' || c == '{') {
        if (depth >= JsonValue::maxDepth)
            fail("nested deeper than " + std::to_string(JsonValue::maxDepth) + " levels", pos_);
        return c == '[' ? parseArray(depth) : parseObject(depth);
    }
    if (c == '"')
        return JsonValue(parseString());
    if (c == '-' || isDigit(c))
        return parseNumber();
    return parseLiteral();
}

JsonValue JsonReader::parseArray(int depth) {
    ++pos_;
    JsonValue::Array items;
    skipWhitespace();
    if (consume(']'))
        return JsonValue(std::move(items));
    while (true) {
        items.push_back(parseValue(depth + 1));
        skipWhitespace();
        if (consume(']'))
            return JsonValue(std::move(items));
        expect(',', "expected ',' or ']'");
    }
}

JsonValue JsonReader::parseObject(int depth) {
    ++pos_;
    JsonValue::Object members;
    // Copies rather than views: views into members would dangle when the vector grows.
    std::unordered_set<std::string> seen;
    skipWhitespace();
    if (consume('}'))
        return JsonValue::object();
    while (true) {
        skipWhitespace();
        const std::size_t keyStart = pos_;
        std::string key = parseKey();
        if (!seen.insert(key).second)
            fail("duplicate key \"" + json_utf::printable(key) + "\"", keyStart);
        skipWhitespace();
        expect(':', "expected ':' after the key");
        JsonValue value = parseValue(depth + 1);
        members.emplace_back(std::move(key), std::move(value));
        skipWhitespace();
        if (consume('}'))
            return JsonValue::object(std::move(members));
        expect(',', "expected ',' or '}'");
    }
}

JsonValue JsonReader::parseLiteral() {
    const std::string_view rest = text_.substr(pos_);
    if (rest.starts_with("true")) {
        pos_ += 4;
        return JsonValue(true);
    }
    if (rest.starts_with("false")) {
        pos_ += 5;
        return JsonValue(false);
    }
    if (rest.starts_with("null")) {
        pos_ += 4;
        return JsonValue();
    }
    fail("expected a value, found " + describeCurrent(), pos_);
}

JsonValue JsonReader::parseNumber() {
    const std::size_t start = pos_;
    std::size_t end = pos_;
    if (text_[end] == '-')
        ++end;
    const std::size_t digits = end;
    while (end < text_.size() && isDigit(text_[end]))
        ++end;
    if (end == digits)
        fail("expected a digit after '-'", start);
    if (text_[digits] == '0' && end - digits > 1)
        fail("leading zeros are not allowed", start);
    if (end < text_.size() && (text_[end] == '.' || text_[end] == 'e' || text_[end] == 'E'))
        fail("only integers are supported", start);
    std::int64_t value = 0;
    const auto result = std::from_chars(text_.data() + start, text_.data() + end, value);
    if (result.ec != std::errc())
        fail("integer out of the 64-bit range", start);
    pos_ = end;
    return JsonValue(value);
}

std::u16string JsonReader::parseString() {
    const std::size_t start = pos_;
    ++pos_;
    std::u16string out;
    while (true) {
        if (atEnd())
            fail("unterminated string", start);
        const auto c = static_cast<unsigned char>(text_[pos_]);
        if (c == '"') {
            ++pos_;
            return out;
        }
        if (c == '\\' && pos_ + 1 >= text_.size())
            fail("unterminated string", start);
        if (c == '\\')
            appendEscape(out);
        else if (c < 0x20)
            fail("control character in a string (write it as an escape)", pos_);
        else
            appendUtf8Char(out);
    }
}

std::string JsonReader::parseKey() {
    const std::size_t start = pos_;
    if (atEnd() || text_[pos_] != '"')
        fail("expected a string key, found " + describeCurrent(), pos_);
    std::optional<std::string> key = json_utf::toUtf8(parseString());
    if (!key)
        fail("key contains an unpaired surrogate", start);
    return std::move(*key);
}

// The caller has checked that the backslash is not the last byte. Each \u escape yields exactly
// one code unit, so pairs come out as pairs and lone surrogates as themselves.
void JsonReader::appendEscape(std::u16string& out) {
    const std::size_t start = pos_;
    const char kind = text_[pos_ + 1];
    pos_ += 2;
    if (kind == 'u') {
        out += parseHex4(start);
        return;
    }
    const std::optional<char16_t> unit = simpleEscape(kind);
    if (!unit)
        fail("invalid escape sequence", start);
    out += *unit;
}

char16_t JsonReader::parseHex4(std::size_t escapeStart) {
    unsigned unit = 0;
    for (int i = 0; i < 4; ++i) {
        const std::optional<unsigned> digit = atEnd() ? std::nullopt : hexValue(text_[pos_]);
        if (!digit)
            fail("\\u must be followed by four hex digits", escapeStart);
        unit = unit * 16 + *digit;
        ++pos_;
    }
    return static_cast<char16_t>(unit);
}

void JsonReader::appendUtf8Char(std::u16string& out) {
    const std::optional<char32_t> codePoint = json_utf::decodeUtf8(text_, pos_);
    if (!codePoint)
        fail("invalid UTF-8", pos_);
    json_utf::appendUtf16(out, *codePoint);
}

void JsonReader::skipWhitespace() {
    while (!atEnd()) {
        const char c = text_[pos_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return;
        ++pos_;
    }
}

bool JsonReader::consume(char c) {
    if (atEnd() || text_[pos_] != c)
        return false;
    ++pos_;
    return true;
}

void JsonReader::expect(char c, const char* what) {
    if (!consume(c))
        fail(std::string(what) + ", found " + describeCurrent(), pos_);
}

// Printable ASCII is quoted; anything else is shown as a byte so the message stays safe to print.
std::string JsonReader::describeCurrent() const {
    if (atEnd())
        return "end of input";
    const auto c = static_cast<unsigned char>(text_[pos_]);
    if (c >= 0x20 && c < 0x7F)
        return std::string("'") + static_cast<char>(c) + "'";
    static constexpr char hex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + hex[c >> 4] + hex[c & 0xF];
}

void JsonReader::fail(const std::string& reason, std::size_t offset) const {
    std::size_t line = 1;
    std::size_t column = 1;
    const std::size_t first = text_.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    for (std::size_t i = first; i < offset && i < text_.size(); ++i) {
        const auto c = static_cast<unsigned char>(text_[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    throw JsonParseError(reason, offset, line, column);
}
