// The character format of the text fragment of a document that holds a word.
#pragma once

#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

inline QTextCharFormat formatOf(const QTextDocument& document, const QString& word) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(word)) {
                return it.fragment().charFormat();
            }
        }
    }
    ADD_FAILURE() << "no fragment with " << word.toStdString();
    return {};
}
