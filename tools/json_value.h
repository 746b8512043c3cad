// JsonValue: an in-memory JSON document whose strings are UTF-16, so lone surrogates survive.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// Thrown on misuse of a value (wrong type, missing or bad key) and by the writer.
class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Character types are left out so that u'x' cannot silently become the number 120, and
// types wider than int64 so that a size_t cannot wrap; those need an explicit cast.
template <typename T>
concept JsonInteger =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
    !std::same_as<T, char8_t> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t> &&
    !std::same_as<T, wchar_t> && std::in_range<std::int64_t>(std::numeric_limits<T>::max());

class JsonValue {
public:
    using Array = std::vector<JsonValue>;
    using Member = std::pair<std::string, JsonValue>;
    using Object = std::vector<Member>;

    // Same order as the alternatives of Data: type() relies on it.
    enum class Type { Null, Bool, Integer, String, Array, Object };

    // The reader refuses deeper documents and the writer refuses to produce them, so anything
    // written can be read back, and hostile input cannot exhaust the stack.
    static constexpr int maxDepth = 512;

    JsonValue() = default;
    explicit JsonValue(std::nullptr_t) {}
    // A template so that pointers never decay to bool.
    template <std::same_as<bool> T> explicit JsonValue(T value) : data_(value) {}
    template <JsonInteger T>
    explicit JsonValue(T value) : data_(static_cast<std::int64_t>(value)) {}
    explicit JsonValue(std::u16string value) : data_(std::move(value)) {}
    explicit JsonValue(const char16_t* value) : data_(std::u16string(value)) {}
    // Strings hold UTF-16; converting narrow text is the caller's decision.
    explicit JsonValue(const char* value) = delete;
    explicit JsonValue(Array items) : data_(std::move(items)) {}

    // Objects are built through here or set(), which keep keys valid UTF-8 and unique: the writer
    // relies on both. Throws JsonError otherwise.
    static JsonValue object(Object members = {});

    Type type() const { return static_cast<Type>(data_.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isBool() const { return type() == Type::Bool; }
    bool isInt() const { return type() == Type::Integer; }
    bool isString() const { return type() == Type::String; }
    bool isArray() const { return type() == Type::Array; }
    bool isObject() const { return type() == Type::Object; }

    // The accessors throw JsonError when the value has another type.
    bool asBool() const;
    const std::u16string& asString() const;
    const Array& items() const;
    const Object& members() const;

    // Range-checked, e.g. asInt<int32_t>(), so that a narrowing never wraps silently.
    template <std::integral T = std::int64_t>
    requires(!std::same_as<T, bool>) T asInt()
    const {
        const std::int64_t value = integer();
        if (!std::in_range<T>(value))
            throwOutOfRange(value);
        return static_cast<T>(value);
    }

    // nullptr when the key is missing; throws when this is not an object.
    const JsonValue* find(std::string_view key) const;
    // Throws JsonError naming the key when it is missing.
    const JsonValue& at(std::string_view key) const;

    void push(JsonValue item);
    // Replaces the value of an existing key in place, so objects never hold duplicates.
    void set(std::string key, JsonValue value);

    // Objects compare in order: the order is part of what is written.
    friend bool operator==(const JsonValue&, const JsonValue&) = default;

    static const char* typeName(Type type);

private:
    using Data = std::variant<std::nullptr_t, bool, std::int64_t, std::u16string, Array, Object>;

    std::int64_t integer() const;
    [[noreturn]] void throwTypeMismatch(Type expected) const;
    [[noreturn]] static void throwOutOfRange(std::int64_t value);

    Data data_;
};

// Unicode conversions shared by the reader, the writer and JsonValue.
namespace json_utf {

inline bool isSurrogate(char32_t codePoint) {
    return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

// Decodes one well-formed UTF-8 sequence at pos and advances past it. Overlong forms, encoded
// surrogates, values past U+10FFFF and truncated sequences give nullopt and leave pos alone.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos);

// Decodes the code point at pos and advances past it. A surrogate pair gives one supplementary
// code point; an unpaired surrogate is returned as itself (see isSurrogate).
char32_t decodeUtf16(std::u16string_view text, std::size_t& pos);

void appendUtf8(std::string& out, char32_t codePoint);
void appendUtf16(std::u16string& out, char32_t codePoint);

bool isValidUtf8(std::string_view text);

// nullopt when the text holds an unpaired surrogate, which UTF-8 cannot carry.
std::optional<std::string> toUtf8(std::u16string_view text);

// Escapes control characters and invalid bytes, so text from a file can go into an error
// message without driving the user's terminal.
std::string printable(std::string_view text);

} // namespace json_utf
