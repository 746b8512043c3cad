// JsonReader: parses UTF-8 JSON text into a JsonValue, reporting where the text is wrong.
#pragma once

#include "tools/json_value.h"

#include <cstddef>
#include <string>
#include <string_view>

// what() reads "line L, column C (byte B): reason"; the parts are there for tests and tools.
class JsonParseError : public JsonError {
public:
    JsonParseError(std::string reason, std::size_t offset, std::size_t line, std::size_t column);

    const std::string& reason() const { return reason_; }
    std::size_t offset() const { return offset_; }
    // 1-based; columns count characters, not bytes, to match what an editor shows.
    std::size_t line() const { return line_; }
    std::size_t column() const { return column_; }

private:
    std::string reason_;
    std::size_t offset_;
    std::size_t line_;
    std::size_t column_;
};

class JsonReader {
public:
    // Integers only (64-bit); fractions and exponents are refused, as are duplicate keys, invalid
    // UTF-8 and nesting deeper than JsonValue::maxDepth. A leading UTF-8 byte order mark is
    // skipped. Throws JsonParseError.
    static JsonValue parse(std::string_view text);

private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    JsonValue parseDocument();
    JsonValue parseValue(int depth);
    JsonValue parseArray(int depth);
    JsonValue parseObject(int depth);
    JsonValue parseLiteral();
    JsonValue parseNumber();
    std::u16string parseString();
    std::string parseKey();
    void appendEscape(std::u16string& out);
    char16_t parseHex4(std::size_t escapeStart);
    void appendUtf8Char(std::u16string& out);

    void skipWhitespace();
    bool atEnd() const { return pos_ >= text_.size(); }
    bool consume(char c);
    void expect(char c, const char* what);
    std::string describeCurrent() const;
    [[noreturn]] void fail(const std::string& reason, std::size_t offset) const;

    std::string_view text_;
    std::size_t pos_ = 0;
};
