// Filling, painting and scrolling the option tree with the built-in scheme and a large one.
#include "clock/class_registration.h"
#include "clock/clock_hand.h"
#include "optiontree/option_tree.h"
#include "optiontree/option_tree_list.h"
#include "resources/default_scheme.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// The built-in scheme, or one with its elements repeated until it holds count elements.
std::unique_ptr<Clock> schemeWithElements(int count) {
    registerSchemeClasses();
    std::unique_ptr<Clock> clock = readDefaultScheme();
    if (count == 0) {
        return clock;
    }
    std::vector<std::unique_ptr<Property>> elements;
    for (const auto& child : clock->children()) {
        if (child->isKindOf("ClockObject")) {
            elements.push_back(child->clone());
        }
    }
    for (std::size_t i = 0; static_cast<int>(clock->children().size()) < count + 5; ++i) {
        clock->append(elements[i % elements.size()]->clone());
    }
    return clock;
}

// What the editor does on every rebuild: remember, forget, empty and fill the tree.
void refill(COptionTree& tree, Clock& clock) {
    clock.saveItemState();
    clock.forgetItem();
    tree.deleteAllItems(false);
    clock.createItem(tree, nullptr);
}

int rowCount(const COptionTreeItem* item) {
    int count = 0;
    for (const COptionTreeItem* child = item->firstChild(); child != nullptr;
         child = child->nextSibling()) {
        count += 1 + rowCount(child);
    }
    return count;
}

void fillTree(benchmark::State& state) {
    std::unique_ptr<Clock> clock = schemeWithElements(static_cast<int>(state.range(0)));
    COptionTree tree(0x1B);
    tree.resize(600, 500);
    tree.show();
    for (auto _ : state) {
        refill(tree, *clock);
        // The events the new rows posted, as the dialog's event loop handles them next.
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = rowCount(tree.rootItem());
    clock->forgetItem();
}
BENCHMARK(fillTree)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond);

// A whole repaint of a 600 x 500 tree, expanded, scrolled to the given offset.
void paintTree(benchmark::State& state) {
    std::unique_ptr<Clock> clock = schemeWithElements(static_cast<int>(state.range(0)));
    COptionTree tree(0x1B);
    tree.resize(600, 500);
    tree.show();
    clock->setExpanded(true);
    for (const auto& child : clock->children()) {
        if (auto* map = dynamic_cast<PropertyMap*>(child.get())) {
            map->setExpanded(true);
        }
    }
    refill(tree, *clock);
    tree.updateScrollRange();
    QWidget* viewport = tree.list()->viewport();
    QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    int offset = 0;
    for (auto _ : state) {
        // Each frame scrolls on a little, as a drag of the scroll bar does.
        offset = (offset + 37) % std::max(1, tree.contentHeight());
        tree.setScrollOffset(offset);
        QPainter painter(&image);
        tree.list()->paintList(painter);
    }
    state.counters["rows"] = rowCount(tree.rootItem());
    clock->forgetItem();
}
BENCHMARK(paintTree)->Arg(0)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
