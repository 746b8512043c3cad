// Zone record names and their UTF-8 forms.
#include "time/zone_record.h"

#include <algorithm>

namespace velmora {

namespace {

std::u16string_view fieldView(std::span<const char16_t> field) {
    const auto end = std::find(field.begin(), field.end(), u'\0');
    return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

void setField(std::span<char16_t> field, std::u16string_view text) {
    std::size_t n = std::min(text.size(), field.size() - 1);
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) {
        --n;
    }
    std::fill(field.begin(), field.end(), u'\0');
    std::copy_n(text.begin(), n, field.begin());
}

} // namespace

std::u16string_view ZoneRecord::displayNameView() const {
    return fieldView(displayName);
}
std::u16string_view ZoneRecord::standardNameView() const {
    return fieldView(standardName);
}
void ZoneRecord::setDisplayName(std::u16string_view name) {
    setField(displayName, name);
}
void ZoneRecord::setStandardName(std::u16string_view name) {
    setField(standardName, name);
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        const std::size_t need = b0 < 0x80   ? 0
                                 : b0 < 0xC2 ? 4
                                 : b0 < 0xE0 ? 1
                                 : b0 < 0xF0 ? 2
                                 : b0 < 0xF5 ? 3
                                             : 4;
        char32_t cp = need == 0 ? b0 : need == 1 ? b0 & 0x1F : need == 2 ? b0 & 0x0F : b0 & 0x07;
        bool ok = need < 4 && i + need < text.size();
        for (std::size_t k = 1; ok && k <= need; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            ok = (b & 0xC0) == 0x80;
            cp = cp << 6 | (b & 0x3F);
        }
        constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        ok = ok && cp >= kMin[need] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        if (!ok) {
            // An ill-formed sequence: one replacement character per byte skipped.
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += need + 1;
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | cp >> 6));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | cp >> 12));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | cp >> 18));
            out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace velmora
