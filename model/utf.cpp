// Conversions between the program's UTF-16 text and UTF-8 for file names and output.
#include "model/utf.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

bool isHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Decodes one UTF-8 sequence at text[i]; advances i; U+FFFD for anything malformed.
char32_t decodeUtf8(std::string_view text, std::size_t& i) {
    unsigned char lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4) {
        return kReplacement;
    }
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return kReplacement;
    }
    return c;
}

// A byte that is no part of valid UTF-8 in a file name, kept as a lone low surrogate: no
// valid UTF-8 decodes to one, so the name's bytes come back exactly.
constexpr char16_t kEscapedByte = 0xDC00;

bool isEscapedByte(char16_t c) {
    return c >= kEscapedByte + 0x80 && c <= kEscapedByte + 0xFF;
}

// As toUtf8, but with escaped bytes put back as they were.
std::string toUtf8(std::u16string_view text, bool restoreBytes) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (isHigh(c) && i + 1 < text.size() && isLow(text[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (restoreBytes && isEscapedByte(c)) {
            out += static_cast<char>(c - kEscapedByte);
        } else if (isHigh(c) || isLow(c)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

} // namespace

std::u16string fromAscii(std::string_view text) {
    std::u16string out(text.size(), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(text[i]));
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    return toUtf8(text, false);
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        appendUtf16(out, decodeUtf8(text, i));
    }
    return out;
}

std::filesystem::path toPath(std::u16string_view text) {
    return std::filesystem::path(toUtf8(text, true));
}

std::u16string fromPath(const std::filesystem::path& path) {
    const std::string& bytes = path.native();
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t start = i;
        const char32_t c = decodeUtf8(bytes, i);
        if (c == kReplacement && bytes.compare(start, 3, "\xEF\xBF\xBD") != 0) {
            i = start + 1;
            out += static_cast<char16_t>(kEscapedByte + static_cast<unsigned char>(bytes[start]));
            continue;
        }
        appendUtf16(out, c);
    }
    return out;
}
