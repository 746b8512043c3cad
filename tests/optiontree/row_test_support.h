// What the editor row tests share: a shown tree with a group row, and a notification recorder.
#pragma once

#include "optiontree/option_tree.h"
#include "optiontree/option_tree_list.h"

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace rowtest {

class Receiver : public OptionTreeReceiver {
public:
    long treeNotify(COptionTree& tree, int code, COptionTreeItem* item) override {
        notes.push_back({code, item});
        // As a receiver that rebuilds its rows on every change would.
        if (deleteOnChange && code == OptionTreeNotify::kItemChanged) {
            tree.deleteItem(item);
        }
        return 0;
    }
    int count(int code, const COptionTreeItem* item = nullptr) const {
        return static_cast<int>(std::count_if(notes.begin(), notes.end(), [&](const Note& n) {
            return n.code == code && (item == nullptr || n.item == item);
        }));
    }
    struct Note {
        int code;
        COptionTreeItem* item;
    };
    std::vector<Note> notes;
    bool deleteOnChange = false;
};

// Value columns open editors only below the top level, so the rows go under an expanded group.
class RowTest : public testing::Test {
protected:
    void SetUp() override {
        tree = std::make_unique<COptionTree>(OptionTreeOption::kNotify);
        tree->setNotify(true, &receiver);
        tree->resize(360, 240);
        group = static_cast<COptionTreeItem*>(tree->insertRow(RowKind::Plain, nullptr));
        group->setLabel(u"Group");
        group->setExpanded(true);
        tree->show();
        tree->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tree.get()));
    }

    template <typename Row> Row* insert(RowKind kind, std::uint32_t options) {
        auto* row = dynamic_cast<Row*>(static_cast<COptionTreeItem*>(tree->insertRow(kind, group)));
        if (row != nullptr && !row->createEditor(options)) {
            return nullptr;
        }
        layout();
        return row;
    }

    void layout() {
        tree->layoutRows();
        tree->moveEditors();
    }

    QWidget* viewport() const { return tree->list()->viewport(); }

    // A click in the row's value column, as a user opens its editor.
    void clickValue(COptionTreeItem* row) {
        layout();
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, row->valueRect().center());
    }

    // A click on the group's label: the list takes the focus from the open editor.
    void clickElsewhere() {
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(40, group->location().y() + 10));
    }

    Receiver receiver;
    std::unique_ptr<COptionTree> tree;
    COptionTreeItem* group = nullptr;
};

} // namespace rowtest
