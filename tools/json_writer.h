// JsonWriter: turns a JsonValue into UTF-8 JSON text that the reader turns back into the same
// value.
#pragma once

#include "tools/json_value.h"

#include <string>
#include <string_view>

class JsonWriter {
public:
    enum class Style { Pretty, Compact };

    // Pretty output ends with a newline, as a file should; compact output does not.
    // Unpaired surrogates are written as \uXXXX escapes (lower-case hex), everything else that
    // is printable as UTF-8. Throws JsonError for a value nested deeper than JsonValue::maxDepth.
    static std::string write(const JsonValue& value, Style style = Style::Pretty);

private:
    explicit JsonWriter(Style style) : pretty_(style == Style::Pretty) {}

    void writeValue(const JsonValue& value, int depth);
    void writeArray(const JsonValue::Array& items, int depth);
    void writeObject(const JsonValue::Object& members, int depth);
    void writeString(std::u16string_view text);
    void writeKey(std::string_view key);
    void writeAscii(char c);
    void startLine(int depth);

    bool pretty_;
    std::string out_;
};
