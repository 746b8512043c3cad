// A small, strict reader of the rich-text-format subset of the string table (see the header).
#include "optiontree/rtf_reader.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Windows-1252 from 0x80 to 0x9F; its five unassigned codes read as the replacement character.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

char16_t fromCp1252(int byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kCp1252High[static_cast<std::size_t>(byte - 0x80)];
    }
    return static_cast<char16_t>(byte);
}

constexpr int kMaxFontNameLength = 256;

// Destinations whose text is not shown even without \*.
constexpr std::string_view kSkippedDestinations[] = {
    "annotation", "atnauthor",    "atnid",
    "author",     "bkmkend",      "bkmkstart",
    "buptim",     "comment",      "creatim",
    "datastore",  "doccomm",      "fldinst",
    "filetbl",    "footer",       "footerf",
    "footerl",    "footerr",      "footnote",
    "generator",  "header",       "headerf",
    "headerl",    "headerr",      "info",
    "keywords",   "latentstyles", "listoverridetable",
    "listtable",  "nonshppict",   "object",
    "operator",   "pict",         "printim",
    "private",    "revtbl",       "revtim",
    "rsidtbl",    "stylesheet",   "subject",
    "tc",         "themedata",    "title",
    "txe",        "xe",           "xmlnstbl",
};

enum class Destination { Text, Skip, FontTable, ColorTable };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = RtfReader::kDefaultHalfPoints;
    int colour = 0; // index into the colour table; 0 or unknown: auto
    int font = -1;  // font number; -1: the default font (\deff)
    bool operator==(const CharState&) const = default;
};

struct GroupState {
    CharState chars;
    Qt::Alignment alignment = Qt::AlignLeft;
    int unicodeSkip = 1; // \uc
    Destination destination = Destination::Text;
};

bool isLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int hexValue(QChar c) {
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c.unicode() - u'A' + 10;
    }
    return -1;
}

// Control words that stand for one character.
char16_t symbolOf(std::string_view name) {
    static constexpr std::pair<std::string_view, char16_t> kSymbols[] = {
        {"emdash", 0x2014},    {"endash", 0x2013},  {"bullet", 0x2022},
        {"lquote", 0x2018},    {"rquote", 0x2019},  {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},
    };
    for (const auto& [word, symbol] : kSymbols) {
        if (word == name) {
            return symbol;
        }
    }
    return 0;
}

class Converter {
public:
    Converter(const QString& rtf, QTextDocument& out) : text_(rtf), out_(out), cursor_(&out) {
        stack_.reserve(RtfReader::kMaxDepth + 1);
    }

    bool run() {
        out_.clear();
        cursor_ = QTextCursor(&out_);
        if (!RtfReader::looksLikeRtf(text_)) {
            fail(0, QStringLiteral("the text does not begin with {\\rtf"));
            return false;
        }
        const qsizetype size = text_.size();
        while (!failed_ && !ended_ && pos_ < size) {
            const QChar c = text_[pos_];
            if (c == u'{') {
                openGroup();
            } else if (c == u'}') {
                closeGroup();
            } else if (c == u'\\') {
                controlWord();
            } else if (c == u'\r' || c == u'\n') {
                ++pos_;
            } else {
                ++pos_;
                atGroupStart_ = false;
                plainChar(c.unicode());
            }
        }
        if (!failed_) {
            if (!ended_) {
                fail(pos_, QStringLiteral("the text ends inside a group"));
            } else {
                for (qsizetype i = pos_; i < size; ++i) {
                    const QChar c = text_[i];
                    if (!c.isSpace() && c != QChar(0)) {
                        fail(i, QStringLiteral("text after the closing brace"));
                        break;
                    }
                }
            }
        }
        finish();
        return !failed_;
    }

    const QString& error() const { return error_; }

private:
    GroupState& top() { return stack_.back(); }

    void fail(qsizetype offset, const QString& why) {
        if (!failed_) {
            failed_ = true;
            error_ = QStringLiteral("%1 (offset %2)").arg(why).arg(offset);
        }
    }

    void openGroup() {
        skipRemaining_ = 0;
        if (static_cast<int>(stack_.size()) >= RtfReader::kMaxDepth) {
            fail(pos_, QStringLiteral("groups nested deeper than %1").arg(RtfReader::kMaxDepth));
            return;
        }
        if (stack_.empty()) {
            stack_.emplace_back();
        } else {
            stack_.push_back(stack_.back());
        }
        ++pos_;
        atGroupStart_ = true;
    }

    void closeGroup() {
        skipRemaining_ = 0;
        if (stack_.empty()) {
            fail(pos_, QStringLiteral("a closing brace without an opening one"));
            return;
        }
        if (top().destination == Destination::FontTable) {
            endFontEntry();
        }
        lastAlignment_ = top().alignment;
        stack_.pop_back();
        ++pos_;
        atGroupStart_ = false;
        if (stack_.empty()) {
            ended_ = true;
        }
    }

    // A backslash at pos_: a control word with its optional parameter, or a control symbol.
    void controlWord() {
        const qsizetype start = pos_;
        const qsizetype size = text_.size();
        ++pos_;
        if (pos_ >= size) {
            fail(start, QStringLiteral("a backslash at the end of the text"));
            return;
        }
        const QChar c = text_[pos_];
        if (isLetter(c)) {
            const qsizetype nameStart = pos_;
            while (pos_ < size && isLetter(text_[pos_])) {
                if (pos_ - nameStart >= RtfReader::kMaxControlWordLength) {
                    fail(start, QStringLiteral("a control word longer than %1 letters")
                                    .arg(RtfReader::kMaxControlWordLength));
                    return;
                }
                ++pos_;
            }
            std::array<char, RtfReader::kMaxControlWordLength> letters{};
            const auto length = static_cast<std::size_t>(pos_ - nameStart);
            for (std::size_t i = 0; i < length; ++i) {
                letters[i] =
                    static_cast<char>(text_[nameStart + static_cast<qsizetype>(i)].unicode());
            }
            const std::string_view name(letters.data(), length);

            bool hasParameter = false;
            bool negative = false;
            std::int64_t parameter = 0;
            if (pos_ + 1 < size && text_[pos_] == u'-' && isDigit(text_[pos_ + 1])) {
                negative = true;
                ++pos_;
            }
            const qsizetype digitsStart = pos_;
            while (pos_ < size && isDigit(text_[pos_])) {
                if (pos_ - digitsStart >= 10) {
                    fail(start, QStringLiteral("a number of more than 10 digits"));
                    return;
                }
                parameter = parameter * 10 + (text_[pos_].unicode() - u'0');
                hasParameter = true;
                ++pos_;
            }
            if (negative) {
                parameter = -parameter;
            }
            if (parameter > INT32_MAX || parameter < INT32_MIN) {
                fail(start, QStringLiteral("a number beyond 32 bits"));
                return;
            }
            if (pos_ < size && text_[pos_] == u' ') {
                ++pos_; // the delimiter belongs to the control word
            }
            if (pos_ >= size && !hasParameter && text_[pos_ - 1] != u' ') {
                // "\par" cut off at the end: it may have been meant as "\pa" or "\pard".
                fail(start, QStringLiteral("a control word cut off at the end of the text"));
                return;
            }
            word(start, name, hasParameter, static_cast<int>(parameter));
            atGroupStart_ = false;
            return;
        }
        ++pos_;
        if (c == u'\'') {
            if (pos_ + 2 > size || hexValue(text_[pos_]) < 0 || hexValue(text_[pos_ + 1]) < 0) {
                fail(start, QStringLiteral("\\' without two hexadecimal digits"));
                return;
            }
            const int byte = hexValue(text_[pos_]) * 16 + hexValue(text_[pos_ + 1]);
            pos_ += 2;
            atGroupStart_ = false;
            plainChar(fromCp1252(byte));
            return;
        }
        if (c == u'*') {
            if (atGroupStart_) {
                top().destination = Destination::Skip; // no starred destination is shown
            }
            atGroupStart_ = false;
            return;
        }
        atGroupStart_ = false;
        if (skipRemaining_ > 0) {
            --skipRemaining_;
            return;
        }
        switch (c.unicode()) {
        case u'\\':
        case u'{':
        case u'}':
            plainChar(c.unicode());
            break;
        case u'~':
            specialChar(0x00A0);
            break;
        case u'-':
            specialChar(0x00AD);
            break;
        case u'_':
            specialChar(0x2011);
            break;
        case u'\r':
        case u'\n':
            if (top().destination == Destination::Text) {
                paragraph();
            }
            break;
        default:
            break; // \| \: and unknown symbols
        }
    }

    void word(qsizetype start, std::string_view name, bool hasParameter, int parameter) {
        if (!sawRtfWord_) {
            sawRtfWord_ = true;
            if (name != "rtf" || !hasParameter || parameter != 1) {
                fail(start, QStringLiteral("the text does not begin with {\\rtf1"));
            }
            return;
        }
        if (name == "bin") {
            // Binary data: skipped in every destination, never beyond the text.
            if (hasParameter && parameter > 0) {
                pos_ += std::min<qsizetype>(parameter, text_.size() - pos_);
            }
            return;
        }
        if (skipRemaining_ > 0) {
            --skipRemaining_;
            return;
        }
        GroupState& state = top();
        switch (state.destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (name == "f" && hasParameter) {
                endFontEntry();
                fontNumber_ = parameter;
            } else if (name == "u" && hasParameter) {
                // Rare in font names; kept simple: the character, no skip handling.
                fontChar(static_cast<char16_t>(parameter & 0xFFFF));
            }
            return;
        case Destination::ColorTable:
            if (name == "red") {
                red_ = std::clamp(parameter, 0, 255);
                colourGiven_ = true;
            } else if (name == "green") {
                green_ = std::clamp(parameter, 0, 255);
                colourGiven_ = true;
            } else if (name == "blue") {
                blue_ = std::clamp(parameter, 0, 255);
                colourGiven_ = true;
            }
            return;
        case Destination::Text:
            break;
        }

        CharState& chars = state.chars;
        const bool on = !hasParameter || parameter != 0;
        if (name == "fonttbl") {
            state.destination = Destination::FontTable;
            fontNumber_ = -1;
            fontName_.clear();
        } else if (name == "colortbl") {
            state.destination = Destination::ColorTable;
            red_ = green_ = blue_ = 0;
            colourGiven_ = false;
        } else if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations),
                             name) != std::end(kSkippedDestinations)) {
            state.destination = Destination::Skip;
        } else if (name == "b") {
            chars.bold = on;
        } else if (name == "i") {
            chars.italic = on;
        } else if (name == "ul" || name == "uld" || name == "uldb" || name == "ulw" ||
                   name == "ulth" || name == "uldash") {
            chars.underline = on;
        } else if (name == "ulnone") {
            chars.underline = false;
        } else if (name == "plain") {
            chars = CharState{};
        } else if (name == "fs") {
            if (!hasParameter) {
                chars.halfPoints = RtfReader::kDefaultHalfPoints;
            } else if (parameter > 0) {
                chars.halfPoints = std::min(parameter, RtfReader::kMaxHalfPoints);
            } // \fs0 and negative sizes are ignored
        } else if (name == "cf") {
            chars.colour = hasParameter ? parameter : 0;
        } else if (name == "f") {
            if (hasParameter) {
                chars.font = parameter;
            }
        } else if (name == "deff") {
            if (hasParameter) {
                defaultFont_ = parameter;
            }
        } else if (name == "uc") {
            if (hasParameter) {
                state.unicodeSkip = std::clamp(parameter, 0, 255);
            }
        } else if (name == "u") {
            if (hasParameter) {
                if (parameter < -32768 || parameter > 65535) {
                    fail(start, QStringLiteral("\\u outside 16 bits"));
                    return;
                }
                plainChar(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
                skipRemaining_ = state.unicodeSkip;
            }
        } else if (name == "par") {
            paragraph();
        } else if (name == "line") {
            specialChar(0x2028);
        } else if (name == "tab") {
            plainChar(u'\t');
        } else if (name == "pard") {
            state.alignment = Qt::AlignLeft;
        } else if (name == "ql") {
            state.alignment = Qt::AlignLeft;
        } else if (name == "qc") {
            state.alignment = Qt::AlignHCenter;
        } else if (name == "qr") {
            state.alignment = Qt::AlignRight;
        } else if (name == "qj") {
            state.alignment = Qt::AlignJustify;
        } else if (const char16_t symbol = symbolOf(name); symbol != 0) {
            plainChar(symbol);
        }
        // Everything else (\ansi, \ansicpg, \deflang, \viewkind, \sa, ...) is ignored.
    }

    // A text character (from the text itself, \'hh, \uN or a symbol), after the \uc skip.
    void plainChar(char16_t c) {
        if (skipRemaining_ > 0) {
            --skipRemaining_;
            return;
        }
        if (stack_.empty()) {
            return;
        }
        switch (top().destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (c == u';') {
                endFontEntry();
            } else {
                fontChar(c);
            }
            return;
        case Destination::ColorTable:
            if (c == u';') {
                endColourEntry();
            }
            return;
        case Destination::Text:
            break;
        }
        if (QChar::isLowSurrogate(c) && pendingHigh_ != 0) {
            put(pendingHigh_);
            pendingHigh_ = 0;
            put(c);
            return;
        }
        resolvePendingHigh();
        if (QChar::isHighSurrogate(c)) {
            pendingHigh_ = c;
            return;
        }
        if (QChar::isLowSurrogate(c)) {
            put(0xFFFD);
            return;
        }
        if (c == u'\t') {
            put(c);
            return;
        }
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            return; // control characters are dropped
        }
        // Characters with a meaning of their own to the text document are replaced.
        if (c == 0x2028 || c == 0x2029 || c == 0xFFFC || c == 0xFFFE || c == 0xFFFF ||
            (c >= 0xFDD0 && c <= 0xFDEF) || (c >= 0xFFF9 && c <= 0xFFFB)) {
            put(0xFFFD);
            return;
        }
        put(c);
    }

    // Characters from control words and symbols, given as they are (\line, \~, \-, \_).
    void specialChar(char16_t c) {
        if (skipRemaining_ > 0) {
            --skipRemaining_;
            return;
        }
        if (stack_.empty() || top().destination != Destination::Text) {
            return;
        }
        resolvePendingHigh();
        put(c);
    }

    void resolvePendingHigh() {
        if (pendingHigh_ != 0) {
            pendingHigh_ = 0;
            put(0xFFFD);
        }
    }

    // Whether one more character or paragraph may be written; fails the read at the limit.
    bool roomForOneMore() {
        if (failed_) {
            return false;
        }
        if (written_ >= RtfReader::kMaxOutput) {
            fail(pos_,
                 QStringLiteral("more than %1 characters of text").arg(RtfReader::kMaxOutput));
            return false;
        }
        return true;
    }

    void put(char16_t c) {
        if (!roomForOneMore()) {
            return;
        }
        if (!runValid_ || !(runChars_ == top().chars)) {
            flushRun();
            runChars_ = top().chars;
            runValid_ = true;
        }
        run_.append(QChar(c));
        ++written_;
    }

    void paragraph() {
        if (!roomForOneMore()) {
            return;
        }
        resolvePendingHigh();
        flushRun();
        const QTextCharFormat format = charFormat(top().chars);
        if (cursor_.block().length() <= 1) {
            cursor_.setBlockCharFormat(format); // the height of an empty paragraph
        }
        cursor_.setBlockFormat(blockFormat());
        cursor_.insertBlock(blockFormat(), format);
        ++written_;
    }

    void finish() {
        if (pendingHigh_ != 0) {
            pendingHigh_ = 0;
            run_.append(QChar(0xFFFD));
        }
        flushRun();
        cursor_.setBlockFormat(blockFormat());
    }

    void flushRun() {
        if (!run_.isEmpty()) {
            cursor_.insertText(run_, charFormat(runChars_));
            run_.clear();
        }
    }

    QTextBlockFormat blockFormat() const {
        QTextBlockFormat format;
        format.setAlignment(stack_.empty() ? lastAlignment_ : stack_.back().alignment);
        return format;
    }

    QTextCharFormat charFormat(const CharState& chars) const {
        QTextCharFormat format;
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontPointSize(chars.halfPoints / 2.0);
        if (chars.colour > 0 && chars.colour < colours_.size() &&
            colours_[chars.colour].isValid()) {
            format.setForeground(colours_[chars.colour]);
        }
        // The font's number, else (none given or not in the table) the default font's.
        auto found = fonts_.constFind(chars.font);
        if (found == fonts_.constEnd()) {
            found = fonts_.constFind(defaultFont_);
        }
        if (found != fonts_.constEnd()) {
            format.setFontFamilies(QStringList{*found});
        }
        return format;
    }

    void fontChar(char16_t c) {
        if (fontName_.size() < kMaxFontNameLength && c >= 0x20 && !QChar::isSurrogate(c)) {
            fontName_.append(QChar(c));
        }
    }

    void endFontEntry() {
        const QString name = fontName_.trimmed();
        if (fontNumber_ >= 0 && !name.isEmpty() && !fonts_.contains(fontNumber_) &&
            fonts_.size() < RtfReader::kMaxTableEntries) {
            fonts_.insert(fontNumber_, name);
        }
        fontName_.clear();
    }

    void endColourEntry() {
        if (colours_.size() < RtfReader::kMaxTableEntries) {
            colours_.append(colourGiven_ ? QColor(red_, green_, blue_) : QColor());
        }
        red_ = green_ = blue_ = 0;
        colourGiven_ = false;
    }

    const QString& text_;
    QTextDocument& out_;
    QTextCursor cursor_;
    std::vector<GroupState> stack_;
    qsizetype pos_ = 0;
    bool failed_ = false;
    bool ended_ = false;
    bool sawRtfWord_ = false;
    bool atGroupStart_ = false;
    QString error_;
    int skipRemaining_ = 0;
    char16_t pendingHigh_ = 0;

    QString run_;
    CharState runChars_;
    bool runValid_ = false;
    qsizetype written_ = 0;
    Qt::Alignment lastAlignment_ = Qt::AlignLeft;

    QHash<int, QString> fonts_;
    int fontNumber_ = -1;
    QString fontName_;
    int defaultFont_ = -1;
    QList<QColor> colours_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool colourGiven_ = false;
};

} // namespace

bool RtfReader::looksLikeRtf(const QString& text) {
    return text.startsWith(QLatin1String("{\\rtf"));
}

bool RtfReader::read(const QString& rtf, QTextDocument& out, QString* error) {
    Converter converter(rtf, out);
    const bool ok = converter.run();
    if (error != nullptr) {
        *error = ok ? QString() : converter.error();
    }
    return ok;
}
