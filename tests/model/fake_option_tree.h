// A small in-memory option tree for testing how properties fill and read their rows.
#pragma once

#include "model/option_tree_if.h"

#include <cstdlib>
#include <memory>
#include <vector>

class FakeRow : public OptionRow {
public:
    FakeRow(RowKind kind, FakeRow* parent) : kind_(kind), parent(parent) {}

    RowKind kind() const override { return kind_; }
    bool createEditor(std::uint32_t options) override {
        editorOptions = options;
        return !failEditor;
    }
    void setLabel(const std::u16string& text) override { label = text; }
    void setInfo(const std::u16string& text) override { info = text; }
    void setBackgroundColors(std::uint32_t value, std::uint32_t labelColor) override {
        valueBackground = value;
        labelBackground = labelColor;
    }
    void setMarked(bool value) override { marked = value; }
    bool isMarked() const override { return marked; }
    void setExpanded(bool value) override { expanded = value; }
    bool isExpanded() const override { return expanded; }

    // The spinner keeps its text, as the real one does, and reads the leading integer.
    void setNumber(double value) override { text_ = std::u16string(u"") + toText(value); }
    void setLimits(double low, double high) override {
        lower = low;
        upper = high;
    }
    std::int32_t number() const override {
        std::string narrow(text_.begin(), text_.end());
        return static_cast<std::int32_t>(std::strtol(narrow.c_str(), nullptr, 10));
    }

    void setChecked(bool value) override { checked = value; }
    bool isChecked() const override { return checked; }

    void addEntry(const std::u16string& entryText, std::int32_t data) override {
        entries.emplace_back(entryText, data);
    }
    void selectByPrefix(const std::u16string& prefix) override {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (startsWithIgnoringCase(entries[i].first, prefix)) {
                selected = static_cast<int>(i);
                return;
            }
        }
    }
    std::int32_t selectedData() const override {
        return selected < 0 ? -1 : entries[static_cast<std::size_t>(selected)].second;
    }
    std::u16string selectedText() const override {
        return selected < 0 ? u"" : entries[static_cast<std::size_t>(selected)].first;
    }

    void setColor(std::uint32_t rgb) override { colorValue = rgb; }
    void setAutomaticColor(std::uint32_t rgb) override { automaticColor = rgb; }
    std::uint32_t color() const override { return colorValue; }

    void setText(const std::u16string& value) override { text_ = value; }
    std::u16string text() const override { return text_; }
    void setFileDialog(const std::u16string& path, const std::u16string& extension,
                       const std::u16string& filter, std::uint32_t flags) override {
        text_ = path;
        defaultExtension = extension;
        fileFilter = filter;
        fileFlags = flags;
    }

    // Test hooks: what a user would do in the row.
    void typeText(const std::u16string& value) { text_ = value; }

    RowKind kind_;
    FakeRow* parent;
    bool failEditor = false;
    std::uint32_t editorOptions = 0xFFFFFFFF;
    std::u16string label, info;
    std::uint32_t valueBackground = 0, labelBackground = 0;
    bool marked = false, expanded = false, checked = false;
    double lower = 0, upper = 0;
    std::vector<std::pair<std::u16string, std::int32_t>> entries;
    int selected = -1;
    std::uint32_t colorValue = 0, automaticColor = 0xFFFFFFFF;
    std::u16string defaultExtension, fileFilter;
    std::uint32_t fileFlags = 0;

private:
    static std::u16string toText(double value) {
        std::string narrow = std::to_string(static_cast<long long>(value));
        return std::u16string(narrow.begin(), narrow.end());
    }
    static bool startsWithIgnoringCase(const std::u16string& text, const std::u16string& prefix) {
        if (prefix.size() > text.size()) {
            return false;
        }
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
            if (lower(text[i]) != lower(prefix[i])) {
                return false;
            }
        }
        return true;
    }

    std::u16string text_;
};

class FakeTree : public OptionTree {
public:
    OptionRow* insertRow(RowKind kind, OptionRow* parent) override {
        rows.push_back(std::make_unique<FakeRow>(kind, static_cast<FakeRow*>(parent)));
        FakeRow* row = rows.back().get();
        if (failNextEditor) {
            row->failEditor = true;
            failNextEditor = false;
        }
        return row;
    }
    std::uint32_t faceColor() const override { return 0xF0F0F0; }
    std::uint32_t windowColor() const override { return 0xFFFFFF; }

    FakeRow* row(std::size_t i) const { return rows[i].get(); }
    std::vector<FakeRow*> childrenOf(const FakeRow* parent) const {
        std::vector<FakeRow*> result;
        for (const auto& r : rows) {
            if (r->parent == parent) {
                result.push_back(r.get());
            }
        }
        return result;
    }

    std::vector<std::unique_ptr<FakeRow>> rows;
    bool failNextEditor = false;
};
