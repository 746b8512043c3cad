// The string table's texts in the user's language, looked up by their English text.
#include "optiontree/string_table_translation.h"

#include "model/string_table.h"
#include "resources/string_table.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace {

// Choices the model names outside the string table; they are looked up like its texts.
[[maybe_unused]] const char* const kModelChoices[] = {
    QT_TRANSLATE_NOOP("StringTable", "(Local machine time zone)"),
    QT_TRANSLATE_NOOP("StringTable", "(User set time zone 1)"),
    QT_TRANSLATE_NOOP("StringTable", "(User set time zone 2)"),
    QT_TRANSLATE_NOOP("StringTable", "(User set time zone 3)"),
    QT_TRANSLATE_NOOP("StringTable", "(User set time zone 4)"),
};

// Every property and element label of the table, longest first, so that "hand" does not take the
// place of a longer label that starts with it.
const std::vector<std::u16string>& labelsLongestFirst() {
    static const std::vector<std::u16string> labels = [] {
        std::vector<std::u16string> all;
        for (const StringTableEntry& entry : stringTableEntries()) {
            const PropertyTexts& texts = sharedPropertyTexts(entry.id);
            // Only the labels of properties and elements, which come with a description, begin
            // row labels; choices ("round") never do.
            if (!texts.label.empty() && !texts.description.empty()) {
                all.push_back(texts.label);
            }
        }
        std::sort(all.begin(), all.end(),
                  [](const auto& a, const auto& b) { return a.size() > b.size(); });
        return all;
    }();
    return labels;
}

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// A table pattern with one number ("CPU #%d performance (%%)"), split where the number goes,
// with "%%" already made "%" as the model's formatting makes it.
struct NumberedPattern {
    QByteArray source;
    QString prefix;
    QString suffix;
};

// Found once: the table has few such patterns, and texts are looked up at every tree rebuild.
const std::vector<NumberedPattern>& numberedPatterns() {
    static const std::vector<NumberedPattern> patterns = [] {
        std::vector<NumberedPattern> found;
        for (const StringTableEntry& entry : stringTableEntries()) {
            const std::u16string_view pattern = entry.text;
            const std::size_t number = pattern.find(u"%d");
            if (number == std::u16string_view::npos) {
                continue;
            }
            QString prefix = toQString(pattern.substr(0, number));
            QString suffix = toQString(pattern.substr(number + 2));
            prefix.replace(QStringLiteral("%%"), QStringLiteral("%"));
            suffix.replace(QStringLiteral("%%"), QStringLiteral("%"));
            found.push_back({toQString(pattern).toUtf8(), prefix, suffix});
        }
        return found;
    }();
    return patterns;
}

// A text the model formatted from such a pattern ("CPU #0 performance (%)"): the pattern's
// translation, formatted the same way; null when the text comes from no such pattern.
QString translatedFormatted(const QString& text) {
    for (const NumberedPattern& pattern : numberedPatterns()) {
        if (!text.startsWith(pattern.prefix) || !text.endsWith(pattern.suffix) ||
            text.size() <= pattern.prefix.size() + pattern.suffix.size()) {
            continue;
        }
        const QString digits = text.mid(pattern.prefix.size(), text.size() - pattern.prefix.size() -
                                                                   pattern.suffix.size());
        bool isNumber = false;
        digits.toInt(&isNumber);
        if (!isNumber) {
            continue;
        }
        QString translated =
            QCoreApplication::translate(kStringTableContext, pattern.source.constData());
        translated.replace(QStringLiteral("%d"), digits);
        return translated.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return {};
}

QString translatedTableText(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const QByteArray source = toQString(text).toUtf8();
    const QString translated = QCoreApplication::translate(kStringTableContext, source.constData());
    if (translated.toUtf8() != source) {
        return translated;
    }
    const QString formatted = translatedFormatted(translated);
    return formatted.isNull() ? translated : formatted;
}

// What follows a label: a string-table text, possibly numbered (" #2") among equal ones, or
// anything else (a format), which stays.
QString translatedDetail(std::u16string_view detail) {
    const QString whole = translatedTableText(detail);
    if (whole != toQString(detail)) {
        return whole;
    }
    const std::size_t mark = detail.rfind(u" #");
    if (mark == std::u16string_view::npos || mark + 2 == detail.size() ||
        detail.find_first_not_of(u"0123456789", mark + 2) != std::u16string_view::npos) {
        return whole;
    }
    return translatedTableText(detail.substr(0, mark)) + toQString(detail.substr(mark));
}

QString translatedRowLabel(std::u16string_view text) {
    const QString whole = translatedTableText(text);
    if (whole != toQString(text)) {
        return whole;
    }
    for (const std::u16string& label : labelsLongestFirst()) {
        if (text.size() <= label.size() || text.substr(0, label.size()) != label) {
            continue;
        }
        for (const std::u16string_view separator :
             {std::u16string_view(u": "), std::u16string_view(u" ")}) {
            if (text.substr(label.size(), separator.size()) != separator) {
                continue;
            }
            const QString detail = translatedDetail(text.substr(label.size() + separator.size()));
            // The colon's spacing is the language's (French puts a space before it).
            if (separator == u": ") {
                return QCoreApplication::translate("OptionTree", "%1: %2")
                    .arg(translatedTableText(label), detail);
            }
            return translatedTableText(label) + toQString(separator) + detail;
        }
    }
    return whole;
}

QString translatedTableEntry(int id) {
    return translatedTableText(stringTableText(id));
}
