// The rich-text converter: the string table's RTF text, the subset it understands, and hostile
// inputs that must give a defined result quickly. Also replays the fuzzer's corpus.
#include "fuzz/rtf_reader_check.h"
#include "model/string_table.h"
#include "optiontree/rtf_reader.h"
#include "tests/optiontree/text_fragment_format.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TextRun {
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double points = 0;
    bool operator==(const TextRun&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TextRun& run) {
    return out << '"' << run.text.toStdString() << "\" b" << run.bold << " i" << run.italic << " u"
               << run.underline << ' ' << run.points << "pt";
}

// The document's text runs, neighbours of equal format joined, paragraph breaks as "\n" runs.
std::vector<TextRun> runsOf(const QTextDocument& document) {
    std::vector<TextRun> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) {
            runs.push_back({QStringLiteral("\n")});
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            TextRun run{fragment.text(), format.fontWeight() >= QFont::Bold, format.fontItalic(),
                        format.fontUnderline(), format.fontPointSize()};
            if (!runs.empty() && runs.back().text != QStringLiteral("\n") &&
                runs.back().bold == run.bold && runs.back().italic == run.italic &&
                runs.back().underline == run.underline && runs.back().points == run.points) {
                runs.back().text += run.text;
            } else {
                runs.push_back(run);
            }
        }
    }
    return runs;
}

QString formatDescription() {
    const PropertyTexts texts = propertyTexts(55);
    return QString::fromStdU16String(texts.description);
}

struct Result {
    bool ok;
    QString error;
    QString text; // plain text
    QString raw;  // raw text, U+2029 between paragraphs
    qint64 ms;
};

Result convert(const QString& rtf) {
    QTextDocument document;
    Result result;
    QElapsedTimer timer;
    timer.start();
    result.ok = RtfReader::read(rtf, document, &result.error);
    result.ms = timer.elapsed();
    result.text = document.toPlainText();
    result.raw = document.toRawText();
    return result;
}

QTextCharFormat formatAt(const QString& rtf, const QString& word) {
    QTextDocument document;
    RtfReader::read(rtf, document);
    return formatOf(document, word);
}

TEST(RtfReaderTest, TheFormatDescriptionOfTheStringTableConverts) {
    const QString rtf = formatDescription();
    ASSERT_TRUE(RtfReader::looksLikeRtf(rtf));
    QTextDocument document;
    QString error;
    ASSERT_TRUE(RtfReader::read(rtf, document, &error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());

    const QString expected = QStringLiteral(
        "Sets the format of the text. Codes starting with % are replaced by parts of the date and "
        "time; all other characters are shown as they are.\n"
        "\n"
        "%a weekday, abbreviated (Sun)\n"
        "%A weekday (Sunday)\n"
        "%b month, abbreviated (Jan)\n"
        "%B month (January)\n"
        "%c date and time (03/14/07 12:41:29)\n"
        "%d day of month (01 - 31)\n"
        "%H hour, 24-hour clock (00 - 23)\n"
        "%I hour, 12-hour clock (01 - 12)\n"
        "%j day of year (001 - 366)\n"
        "%m month (01 - 12)\n"
        "%M minute (00 - 59)\n"
        "%p AM or PM\n"
        "%S second (00 - 59)\n"
        "%U week of year, weeks starting on Sunday (00 - 53)\n"
        "%W week of year, weeks starting on Monday (00 - 53)\n"
        "%w weekday (0 - 6, Sunday is 0)\n"
        "%x date (03/14/07)\n"
        "%X time (12:41:29)\n"
        "%y year without century (00 - 99)\n"
        "%Y year with century (2007)\n"
        "%z, %Z the short name of the text's time zone (CET, JST)\n"
        "%% a percent sign\n"
        "\n"
        "A # after the % removes leading zeros (%#d shows 4 instead of 04); %#c and %#x show the "
        "long date (Wednesday, March 14, 2007).\n"
        "Example: %d.%m.%Y shows 14.03.2007, %H:%M:%S shows 12:41:29.");
    EXPECT_EQ(document.toPlainText().toStdString(), expected.toStdString());

    // Bold exactly where the text has {\b ...}; nothing italic or underlined; all \fs16 = 8 pt.
    const std::vector<TextRun> runs = runsOf(document);
    ASSERT_GE(runs.size(), 6u);
    EXPECT_EQ(runs[0],
              (TextRun{QStringLiteral("Sets the format of the text."), true, false, false, 8}));
    EXPECT_EQ(runs[1],
              (TextRun{QStringLiteral(" Codes starting with % are replaced by parts of the date "
                                      "and time; all other characters are shown as they are."),
                       false, false, false, 8}));
    EXPECT_EQ(runs[2].text, QStringLiteral("\n"));
    EXPECT_EQ(runs[3].text, QStringLiteral("\n"));
    EXPECT_EQ(runs[4], (TextRun{QStringLiteral("%a"), true, false, false, 8}));
    EXPECT_EQ(runs[5],
              (TextRun{QStringLiteral(" weekday, abbreviated (Sun)"), false, false, false, 8}));
    QStringList boldTexts;
    for (const TextRun& run : runs) {
        EXPECT_FALSE(run.italic) << run;
        EXPECT_FALSE(run.underline) << run;
        if (run.text != QStringLiteral("\n")) {
            EXPECT_EQ(run.points, 8) << run;
        }
        if (run.bold) {
            boldTexts << run.text;
        }
    }
    EXPECT_EQ(boldTexts.join(u'|').toStdString(),
              "Sets the format of the text.|%a|%A|%b|%B|%c|%d|%H|%I|%j|%m|%M|%p|%S|%U|%W|%w|%x|%X|"
              "%y|%Y|%z|%Z|%%|#");

    // The default font \deff0 is the table's Tahoma; no colour is set, so the palette's text
    // colour shows (readable on dark themes).
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Tahoma")});
            EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
        }
    }
}

TEST(RtfReaderTest, CharacterFormatsAreScopedToGroupsAndResetByPlain) {
    QTextDocument document;
    ASSERT_TRUE(RtfReader::read(
        QStringLiteral("{\\rtf1\\fs20 a{\\b b{\\i c\\i0 d}\\ul e\\ulnone f}g\\b\\i\\ul h\\plain i"
                       "\\b j\\b0 k\\fs30 l\\fs m}"),
        document));
    const std::vector<TextRun> expected = {
        {QStringLiteral("a"), false, false, false, 10},
        {QStringLiteral("b"), true, false, false, 10},
        {QStringLiteral("c"), true, true, false, 10},
        {QStringLiteral("d"), true, false, false, 10},
        {QStringLiteral("e"), true, false, true, 10},
        {QStringLiteral("f"), true, false, false, 10},
        {QStringLiteral("g"), false, false, false, 10},
        {QStringLiteral("h"), true, true, true, 10},
        {QStringLiteral("i"), false, false, false, 12},
        {QStringLiteral("j"), true, false, false, 12},
        {QStringLiteral("k"), false, false, false, 12},
        {QStringLiteral("l"), false, false, false, 15},
        {QStringLiteral("m"), false, false, false, 12},
    };
    EXPECT_EQ(runsOf(document), expected);
}

TEST(RtfReaderTest, ParagraphsLinesAndTabs) {
    const Result result =
        convert(QStringLiteral("{\\rtf1 one\\par two\\line three\\tab four\\\r\nfive\r\n six}"));
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.raw, QStringLiteral("one\u2029two\u2028three\tfour\u2029five six"));
}

TEST(RtfReaderTest, ColoursComeFromTheColourTableAndUnknownOnesAreAuto) {
    const QString rtf = QStringLiteral(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
        "\\red300\\green-5\\blue256;}"
        "\\cf1 red \\cf2 blue \\cf3 clamped \\cf0 auto \\cf4 unknown \\cf2147483647 huge "
        "\\cf-5 negative}");
    EXPECT_EQ(formatAt(rtf, QStringLiteral("red")).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(rtf, QStringLiteral("blue")).foreground().color(), QColor(0, 0, 255));
    // Components beyond a byte are clamped to it.
    EXPECT_EQ(formatAt(rtf, QStringLiteral("clamped")).foreground().color(), QColor(255, 0, 255));
    for (const char* word : {"auto", "unknown", "huge", "negative"}) {
        EXPECT_FALSE(
            formatAt(rtf, QString::fromLatin1(word)).hasProperty(QTextFormat::ForegroundBrush))
            << word;
    }
    EXPECT_TRUE(convert(rtf).ok);
}

TEST(RtfReaderTest, FontsComeFromTheFontTable) {
    const QString rtf = QStringLiteral(
        "{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Tahoma;}{\\f1\\froman{\\*\\panose 0}"
        "Times New Roman;}\\f2\\fmodern Courier New;}dflt \\f0 tahoma \\f2 courier \\f7 unknown}");
    EXPECT_EQ(formatAt(rtf, QStringLiteral("dflt")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Times New Roman")});
    EXPECT_EQ(formatAt(rtf, QStringLiteral("tahoma")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Tahoma")});
    EXPECT_EQ(formatAt(rtf, QStringLiteral("courier")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Courier New")});
    EXPECT_EQ(formatAt(rtf, QStringLiteral("unknown")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Times New Roman")});
    EXPECT_EQ(convert(rtf).text, QStringLiteral("dflt tahoma courier unknown"));
}

TEST(RtfReaderTest, HexEscapesAreWindows1252AndUnicodeSkipsItsFallback) {
    const Result result = convert(QStringLiteral(
        "{\\rtf1 caf\\'e9 \\'80\\'93\\'81 \\u8364? \\u-4064? {\\uc2\\u228\\'61\\'62}c "
        "\\uc0\\u252 x \\u55357\\u56832 \\emdash\\~\\{\\}\\\\}"));
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.raw, QString::fromUtf16(u"café €“\uFFFD € \uF020 äc üx 😀—\u00A0{}\\"));
}

TEST(RtfReaderTest, DestinationsAreSkipped) {
    const Result result = convert(QStringLiteral(
        "{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title t}}{\\*\\unknown hidden {nested}}"
        "{\\pict\\pngblip 8950}{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}} shown\\bin3 "
        "}}}text\\unknownword  done}"));
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.text, QStringLiteral("link showntext done"));
}

TEST(RtfReaderTest, AlignmentsApplyToTheirParagraphs) {
    QTextDocument document;
    ASSERT_TRUE(RtfReader::read(
        QStringLiteral("{\\rtf1 left\\par\\qc centre\\par\\pard\\qr right}"), document));
    ASSERT_EQ(document.blockCount(), 3);
    EXPECT_EQ(document.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(document.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(document.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
}

// Hostile and malformed inputs: a defined result (document and error), fast.
struct HostileCase {
    const char* name;
    QString rtf;
    bool ok;
    const char* errorPart; // expected in the error; empty for none
    QString text;          // expected plain text
};

std::vector<HostileCase> hostileCases() {
    return {
        {"DeepNesting",
         QStringLiteral("{\\rtf1 a") + QString(100000, u'{') + QStringLiteral("x") +
             QString(100000, u'}') + QStringLiteral("}"),
         false, "nested deeper than 64", QStringLiteral("a")},
        {"NestingAtTheLimit",
         QStringLiteral("{\\rtf1 a") + QString(63, u'{') + QStringLiteral("x") + QString(63, u'}') +
             QStringLiteral("}"),
         true, "", QStringLiteral("ax")},
        {"NestingOneOverTheLimit",
         QStringLiteral("{\\rtf1 a") + QString(64, u'{') + QStringLiteral("x") + QString(64, u'}') +
             QStringLiteral("}"),
         false, "nested deeper than 64", QStringLiteral("a")},
        {"UMinusOne", QStringLiteral("{\\rtf1 a\\u-1?b\\u-32768?c}"), true, "",
         QString::fromUtf16(u"a\uFFFDb\u8000c")},
        {"UOutside16Bits", QStringLiteral("{\\rtf1 a\\u70000?b}"), false, "outside 16 bits",
         QStringLiteral("a")},
        {"BadHex", QStringLiteral("{\\rtf1 a\\'zz b}"), false, "hexadecimal", QStringLiteral("a")},
        {"HexCutOff", QStringLiteral("{\\rtf1 a\\'4"), false, "hexadecimal", QStringLiteral("a")},
        {"TruncatedBackslash", QStringLiteral("{\\rtf1 abc\\"), false, "backslash at the end",
         QStringLiteral("abc")},
        {"TruncatedWord", QStringLiteral("{\\rtf1 abc\\pa"), false, "cut off",
         QStringLiteral("abc")},
        {"HugeFontSize", QStringLiteral("{\\rtf1 \\fs999999999 big}"), true, "",
         QStringLiteral("big")},
        {"HugerNumber", QStringLiteral("{\\rtf1 a\\fs99999999999 b}"), false, "10 digits",
         QStringLiteral("a")},
        {"NumberBeyond32Bits", QStringLiteral("{\\rtf1 a\\fs4294967296 b}"), false, "32 bits",
         QStringLiteral("a")},
        {"NumberBeyondInt", QStringLiteral("{\\rtf1 a\\fs2147483648 b}"), false, "32 bits",
         QStringLiteral("a")},
        {"HugeColourIndex",
         QStringLiteral("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\cf2147483647 a}"), true, "",
         QStringLiteral("a")},
        {"UnbalancedClose", QStringLiteral("{\\rtf1 a}}"), false, "after the closing brace",
         QStringLiteral("a")},
        {"UnbalancedOpen", QStringLiteral("{\\rtf1 a{\\b b"), false, "ends inside a group",
         QStringLiteral("ab")},
        {"NotRtf", QStringLiteral("plain text"), false, "does not begin", QString()},
        {"OtherVersion", QStringLiteral("{\\rtf2 a}"), false, "does not begin", QString()},
        {"LongWord", QStringLiteral("{\\rtf1 a\\") + QString(100, u'x') + QStringLiteral(" b}"),
         false, "longer than 32", QStringLiteral("a")},
        {"ControlCharacters",
         QStringLiteral("{\\rtf1 a\\'00\\'01\\'7f\\u8233?\\u65020?\\u64976?b}"), true, "",
         QString::fromUtf16(u"a\uFFFD\uFDFC\uFFFDb")},
        {"LoneSurrogates", QStringLiteral("{\\rtf1 \\u55357?a\\u56832?b\\u55357?}"), true, "",
         QString::fromUtf16(u"\uFFFDa\uFFFDb\uFFFD")},
        {"TrailingNul", QStringLiteral("{\\rtf1 a}\r\n") + QChar(0), true, "", QStringLiteral("a")},
        {"HugeBin", QStringLiteral("{\\rtf1 a\\bin2147483647 xyz}"), false, "ends inside a group",
         QStringLiteral("a")},
        {"HugeUc", QStringLiteral("{\\rtf1\\uc2147483647\\u65 bcd}e}"), false,
         "after the closing brace", QStringLiteral("A")},
    };
}

class RtfHostileTest : public testing::TestWithParam<HostileCase> {};

TEST_P(RtfHostileTest, GivesADefinedResultQuickly) {
    const HostileCase& test = GetParam();
    const Result result = convert(test.rtf);
    EXPECT_EQ(result.ok, test.ok) << result.error.toStdString();
    if (test.ok) {
        EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    } else {
        EXPECT_TRUE(result.error.contains(QLatin1String(test.errorPart)))
            << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QLatin1String("offset"))) << result.error.toStdString();
    }
    EXPECT_EQ(result.text.toStdU16String(), test.text.toStdU16String());
    EXPECT_LT(result.ms, 1000);
}

INSTANTIATE_TEST_SUITE_P(Inputs, RtfHostileTest, testing::ValuesIn(hostileCases()),
                         [](const testing::TestParamInfo<HostileCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(RtfReaderTest, HugeFontSizesAreShownAtTheLargestSize) {
    EXPECT_EQ(formatAt(QStringLiteral("{\\rtf1 \\fs999999999 big}"), QStringLiteral("big"))
                  .fontPointSize(),
              RtfReader::kMaxHalfPoints / 2.0);
    EXPECT_EQ(
        formatAt(QStringLiteral("{\\rtf1 \\fs0 zero}"), QStringLiteral("zero")).fontPointSize(),
        RtfReader::kDefaultHalfPoints / 2.0);
    EXPECT_EQ(
        formatAt(QStringLiteral("{\\rtf1 \\fs-8 minus}"), QStringLiteral("minus")).fontPointSize(),
        RtfReader::kDefaultHalfPoints / 2.0);
}

TEST(RtfReaderTest, OutputStopsAtTheLimit) {
    const QString rtf = QStringLiteral("{\\rtf1 ") + QString(RtfReader::kMaxOutput + 10, u'x') +
                        QStringLiteral("}");
    const Result result = convert(rtf);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QLatin1String("more than"))) << result.error.toStdString();
    EXPECT_EQ(result.text.size(), RtfReader::kMaxOutput);
    EXPECT_LT(result.ms, 5000);
}

TEST(RtfReaderTest, ManySmallGroupsAndParagraphsStayQuick) {
    QString rtf = QStringLiteral("{\\rtf1 ");
    for (int i = 0; i < 20000; ++i) {
        rtf += QStringLiteral("{\\b x}{\\i\\fs%1 y}\\par ").arg(2 + i % 300);
    }
    rtf += u'}';
    const Result result = convert(rtf);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.text.size(), 20000 * 3);
    EXPECT_LT(result.ms, 5000);
}

TEST(RtfReaderTest, ReadingReplacesTheWholeDocument) {
    QTextDocument document;
    document.setPlainText(QStringLiteral("old content"));
    ASSERT_TRUE(RtfReader::read(QStringLiteral("{\\rtf1 new}"), document));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("new"));
    EXPECT_FALSE(RtfReader::read(QStringLiteral("not rtf"), document));
    EXPECT_EQ(document.toPlainText(), QString());
}

// The fuzzer's seeds and every input that ever broke the converter.
TEST(RtfFuzzRegressionTest, EveryKnownInputConvertsOrFailsCleanly) {
    std::size_t inputs = 0;
    for (const char* folder : {VELMORA_SOURCE_DIR "/tests/data/rtf_fuzz_regressions",
                               VELMORA_SOURCE_DIR "/fuzz/rtf_seeds"}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
            EXPECT_EQ(checkRtfReader(bytes.data(), bytes.size()), "") << entry.path();
            ++inputs;
        }
    }
    EXPECT_GE(inputs, 10u);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
