// What must hold for any text given to the rich-text converter.
#include "fuzz/rtf_reader_check.h"

#include "optiontree/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>

namespace {

void ensureGuiApplication() {
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "velmora-rtf-check";
        static char* argv[] = {name, nullptr};
        static QGuiApplication application(argc, argv);
        // Layouts of odd font names make Qt warn at length; fatal messages still abort.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    }
}

QString textOf(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        QString text;
        for (std::size_t i = 2; i + 1 < size; i += 2) {
            text.append(QChar(static_cast<char16_t>(data[i] | (data[i + 1] << 8))));
        }
        return text;
    }
    return QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Characters the converter must never put into the document.
bool forbidden(char16_t c) {
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F) || c == 0xFFFC || c == 0xFFFE ||
           c == 0xFFFF || (c >= 0xFDD0 && c <= 0xFDEF) || (c >= 0xFFF9 && c <= 0xFFFB);
}

} // namespace

std::string checkRtfReader(const std::uint8_t* data, std::size_t size) {
    ensureGuiApplication();
    const QString text = textOf(data, size);
    QTextDocument document;
    QString error;
    const bool ok = RtfReader::read(text, document, &error);
    if (ok != error.isEmpty()) {
        return "the result and the error disagree: " + error.toStdString();
    }
    if (!RtfReader::looksLikeRtf(text) && ok) {
        return "text without {\\rtf read as RTF";
    }
    if (document.characterCount() > RtfReader::kMaxOutput + 2) {
        return "more output than the limit";
    }
    if (document.rootFrame()->childFrames().size() != 0) {
        return "the converter made frames";
    }
    const QString raw = document.toRawText();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i].unicode();
        if (c == 0x2029 || c == 0x2028) {
            continue; // paragraph and line breaks
        }
        if (forbidden(c)) {
            return "a forbidden character in the output: " + std::to_string(c);
        }
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= raw.size() || !QChar::isLowSurrogate(raw[i + 1].unicode())) {
                return "a lone high surrogate in the output";
            }
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return "a lone low surrogate in the output";
        }
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const double points = it.fragment().charFormat().fontPointSize();
            if (!(points >= 0.5 && points <= RtfReader::kMaxHalfPoints / 2.0)) {
                return "a font size outside the limits: " + std::to_string(points);
            }
        }
    }
    // The same text converts the same way again.
    QTextDocument again;
    QString errorAgain;
    if (RtfReader::read(text, again, &errorAgain) != ok || errorAgain != error ||
        again.toRawText() != raw) {
        return "a second conversion differs";
    }
    // The result lays out (only modest documents, to keep the fuzzer quick).
    if (document.characterCount() < 20000) {
        document.setTextWidth(300);
        const QSizeF laidOut = document.documentLayout()->documentSize();
        if (!std::isfinite(laidOut.width()) || !std::isfinite(laidOut.height())) {
            return "the document does not lay out";
        }
    }
    return {};
}
