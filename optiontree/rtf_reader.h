// A small, strict reader of the rich-text-format subset that the string table's descriptions
// use, into a QTextDocument (Qt reads no RTF itself).
//
// Understood: groups; \b \b0 \i \i0 \ul \ul0 \ulnone \plain; \fsN (half-points); \cfN into the
// \colortbl (index 0 or an unknown index is the "auto" colour: no colour is set, so the text
// takes the palette's text colour); \fN and \deffN into the \fonttbl (the family name is set, Qt
// falls back when it is not installed); \par \line \tab \pard \ql \qc \qr \qj; \'hh in the ANSI
// code page Windows-1252; \uN (negative N as unsigned 16 bits) with the \ucN skip count; the
// control symbols \\ \{ \} \~ \- \_ and a few named characters (\emdash, \bullet, \lquote, ...).
// Unknown control words are ignored, and so are destination groups ({\*\...} and the known
// destinations such as \stylesheet, \info, \pict, \header).
//
// Bounded: groups may nest 64 deep, the output holds at most kMaxOutput characters, tables hold
// at most kMaxTableEntries entries, and the reader works iteratively over its input once with an
// explicit stack, so no input makes it recurse, loop or allocate without bound.
#pragma once

#include <QString>

class QTextDocument;

class RtfReader {
public:
    static constexpr int kMaxDepth = 64;             // deepest group nesting accepted
    static constexpr qsizetype kMaxOutput = 1 << 20; // characters written to the document
    static constexpr int kMaxTableEntries = 1024;    // fonts and colours kept per table
    static constexpr int kMaxControlWordLength = 32; // letters of a control word, as RTF allows
    static constexpr int kDefaultHalfPoints = 24;    // \fs when none is given: 12 points
    static constexpr int kMaxHalfPoints = 400;       // larger sizes are shown at 200 points

    // Replaces the content of `out` with the converted text. Returns true when the whole input
    // was well-formed RTF of the subset. Otherwise returns false, says why (with the offset into
    // the input) in *error, and `out` holds what was converted before the problem. Errors:
    // input not starting with "{\rtf1", braces not balanced, groups nested deeper than
    // kMaxDepth, a control word cut off or longer than kMaxControlWordLength letters, a numeric
    // parameter beyond 32 bits or 10 digits, a \' not followed by two hexadecimal digits, text
    // after the closing brace, output beyond kMaxOutput.
    static bool read(const QString& rtf, QTextDocument& out, QString* error = nullptr);

    // Whether the text is to be read as RTF: it begins with "{\rtf".
    static bool looksLikeRtf(const QString& text);
};
