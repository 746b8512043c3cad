// The customize dialog headless, on a real clock and a real option tree.
#include "app/desktop/settings.h"
#include "app/dialogs/about_dialog.h"
#include "app/editor/background_check.h"
#include "app/editor/options_dial.h"
#include "app/editor/stand_out_color.h"
#include "app/editor/true_color_tool_bar.h"
#include "app/window/velmora_dlg.h"
#include "clock/class_registration.h"
#include "clock/clock_hand.h"
#include "clock/clock_slice.h"
#include "clock/clock_text.h"
#include "clock/element_edits.h"
#include "clock/scheme_file.h"
#include "model/color_property.h"
#include "model/file_property.h"
#include "model/font_family_list.h"
#include "model/font_family_property.h"
#include "model/percent_property.h"
#include "model/smoothing_mode_property.h"
#include "model/string_property.h"
#include "model/time_zone_property.h"
#include "optiontree/option_tree_info.h"
#include "optiontree/option_tree_item_combo_box.h"
#include "optiontree/option_tree_item_edit.h"
#include "optiontree/option_tree_item_file.h"
#include "optiontree/option_tree_list.h"
#include "render/font_families.h"
#include "render/frame_renderer.h"
#include "resources/default_scheme.h"
#include "tests/app/window/clock_window_probe.h"
#include "tests/image_bombs.h"
#include "tests/tab_stops.h"
#include "time/zone_slots.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>
#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

class OptionsDialTest : public testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_DATA_HOME", folder_.filePath("data").toLocal8Bit());
        settings_ = std::make_unique<Settings>(folder_.filePath("velmora.conf"));
        std::unique_ptr<Clock> defaults = readDefaultScheme();
        clock_.adopt(*defaults);
    }
    void TearDown() override {
        delete dial_.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    COptionsDial& open() {
        dial_ = new COptionsDial(clock_, *settings_);
        dial_->setFileDialog([this](const COptionsDial::FileRequest& request) {
            requests_.push_back(request);
            if (answers_.empty()) {
                return QString();
            }
            QString answer = answers_.front();
            answers_.pop_front();
            return answer;
        });
        dial_->setMessageBox([this](QMessageBox::Icon, const QString& caption, const QString& text,
                                    QMessageBox::StandardButtons) {
            messages_.push_back(caption + "|" + text);
            return confirm_;
        });
        return *dial_;
    }
    // The tree's selection moving to a row, as a click sends it.
    void click(COptionTreeItem* row) {
        dial_->tree()->selectItems(nullptr, false);
        row->setMarked(true);
        dial_->treeNotify(*dial_->tree(), OptionTreeNotify::kSelectionChanged, row);
    }
    std::vector<ClockObject*> elements() {
        std::vector<ClockObject*> found;
        for (const auto& child : clock_.children()) {
            if (child->isKindOf(ClockObject::kTypeName)) {
                found.push_back(static_cast<ClockObject*>(child.get()));
            }
        }
        return found;
    }
    static COptionTreeItem* rowOf(const Property* property) {
        return static_cast<COptionTreeItem*>(property->item());
    }
    // The element commands of the toolbar that are enabled now.
    std::set<int> enabledButtons() {
        std::set<int> enabled;
        for (int id : {COptionsDial::CopySelected, COptionsDial::DeleteSelected,
                       COptionsDial::MoveDown, COptionsDial::MoveUp}) {
            if (dial_->toolBar()->action(id)->isEnabled()) {
                enabled.insert(id);
            }
        }
        return enabled;
    }
    // The body's author text row, with its editor open and a new text typed but not committed.
    COptionTreeItemEdit* typeAuthorWithoutCommit(const QString& text) {
        for (COptionTreeItem* row = dial_->tree()->rootItem()->firstChild()->firstChild();
             row != nullptr; row = row->nextSibling()) {
            if (auto* edit = dynamic_cast<COptionTreeItemEdit*>(row)) {
                edit->activate();
                edit->lineEdit()->setText(text);
                return edit;
            }
        }
        ADD_FAILURE() << "no edit row under the clock body";
        return nullptr;
    }
    std::u16string author() const {
        return clock_.findChildAs<StringProperty>(u"AuthorInfo")->value();
    }
    QString saveFile(const char* name, const Clock& clock) {
        const QString path = folder_.filePath(name);
        std::string error;
        EXPECT_TRUE(saveSchemeFile(clock, path.toStdString(), &error)) << error;
        return path;
    }
    static Bytes readFile(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        return Bytes(bytes.begin(), bytes.end());
    }

    QTemporaryDir folder_;
    std::unique_ptr<Settings> settings_;
    Clock clock_;
    QPointer<COptionsDial> dial_;
    std::deque<QString> answers_;
    std::vector<COptionsDial::FileRequest> requests_;
    std::vector<QString> messages_;
    QMessageBox::StandardButton confirm_ = QMessageBox::Discard;
};

TEST_F(OptionsDialTest, OpensOnTheTemplateWithTheBodySelected) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::processEvents();
    EXPECT_EQ(COptionsDial::instanceCount(), 1);
    EXPECT_EQ(dial.windowTitle(), "VELMORA - Customizing...");
    const DialogUnits units(dial.font());
    EXPECT_EQ(dial.size(), units.toPixels(QSize(304, 290)));
    for (const TemplateItem& item : COptionsDial::dialogTemplate().items) {
        QWidget* control = dial.findChild<QWidget*>(item.name);
        ASSERT_NE(control, nullptr) << item.name;
        if (item.kind == TemplateItem::Kind::Label) {
            // A label may be wider than its cell, for fonts wider than the table's.
            EXPECT_EQ(control->geometry().topLeft(), units.toPixels(item.units).topLeft());
            EXPECT_GE(control->width(), control->sizeHint().width());
        } else {
            EXPECT_EQ(control->geometry(), units.toPixels(item.units)) << item.name;
        }
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            EXPECT_EQ(button->text(), item.text);
        }
    }
    EXPECT_TRUE(dial.control(COptionsDial::TreePlaceholder)->isHidden());
    EXPECT_EQ(dial.tree()->geometry(), units.toPixels(QRect(8, 42, 287, 220)));
    EXPECT_EQ(dial.toolBar()->geometry(), units.toPixels(QRect(8, 21, 287, 21)));
    EXPECT_EQ(dial.tree()->columnPosition(), 160);
    EXPECT_EQ(dial.tree()->options(), 0x1Bu);
    EXPECT_EQ(dial.tree()->id(), 1012);
    EXPECT_TRUE(static_cast<QPushButton*>(dial.control(COptionsDial::OkButton))->isDefault());

    COptionTreeItem* body = dial.tree()->rootItem()->firstChild();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->nextSibling(), nullptr) << "the body row is the only top-level row";
    EXPECT_TRUE(body->isExpanded());
    EXPECT_EQ(dial.tree()->focusedItem(), body);
    EXPECT_EQ(dial.selectedElement(), &clock_);
    EXPECT_TRUE(enabledButtons().empty()) << "none acts on the body";
    EXPECT_TRUE(dial.isSaved());
    EXPECT_EQ(schemeBytes(dial.backup()), schemeBytes(clock_));
    for (ClockObject* element : elements()) {
        EXPECT_EQ(rowOf(element)->parentItem(), body);
    }
}

TEST_F(OptionsDialTest, ToolBarHasSevenCaptionedButtonsInTheirGroups) {
    COptionsDial& dial = open();
    std::vector<int> ids;
    for (QAction* action : dial.toolBar()->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->toolTip().isEmpty());
            EXPECT_FALSE(action->text().isEmpty());
            // Both densities come from the artwork, not from scaling.
            const QPixmap one = action->icon().pixmap(QSize(16, 16), 1.0);
            const QPixmap two = action->icon().pixmap(QSize(16, 16), 2.0);
            EXPECT_EQ(one.size(), QSize(16, 16));
            EXPECT_EQ(two.size(), QSize(32, 32));
        }
    }
    EXPECT_EQ(ids, (std::vector<int>{40049, 0, 40046, 40047, 40048, 0, 40045, 0, 40043, 40044}));
    EXPECT_EQ(dial.toolBar()->iconSize(), QSize(16, 16));
    // At the template's size the words fit beside the icons.
    dial.show();
    QApplication::processEvents();
    EXPECT_EQ(dial.toolBar()->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    CTrueColorToolBar broken;
    broken.setButtons(std::vector<ToolBarButton>{{1, "a"}, {2, "b"}});
    EXPECT_FALSE(broken.loadButtonImages(16, ":/toolbar/missing.png"));
    EXPECT_FALSE(broken.loadButtonImages(200, ":/toolbar/element_icons.png")) << "too few images";
}

TEST_F(OptionsDialTest, NewElementsAreAppendedWithTheirDefaults) {
    COptionsDial& dial = open();
    const std::size_t before = elements().size();
    dial.runCommand(COptionsDial::NewHand);
    dial.runCommand(COptionsDial::NewSlice);
    dial.runCommand(COptionsDial::NewText);
    ASSERT_EQ(elements().size(), before + 3);
    const std::vector<ClockObject*> all = elements();
    const auto added = std::vector<ClockObject*>(all.end() - 3, all.end());
    const std::unique_ptr<Property> fresh[] = {std::make_unique<ClockHand>(),
                                               std::make_unique<ClockSlice>(),
                                               std::make_unique<ClockText>()};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_STREQ(added[i]->className(), fresh[i]->className());
        EXPECT_NE(rowOf(added[i]), nullptr) << "the tree was rebuilt";
    }
    const auto* hand = added[0];
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"Begin")->value(), -10);
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"End")->value(), 80);
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"Thickness")->value(), 4);
    EXPECT_EQ(added[1]->findChildAs<PercentProperty>(u"Begin")->value(), 0);
    EXPECT_EQ(added[1]->findChildAs<PercentProperty>(u"End")->value(), 100);
    EXPECT_EQ(added[2]->findChildAs<PercentProperty>(u"FontSize")->value(),
              ElementEdits::kNewTextSize);
    EXPECT_EQ(added[2]->findChildAs<PercentProperty>(u"dY")->value(), ElementEdits::kNewTextOffset);
}

// A new text is written in a family the machine has: the desktop's own.
TEST_F(OptionsDialTest, NewTextsUseTheDesktopsInstalledFamily) {
    useInstalledFontFamilies();
    COptionsDial& dial = open();
    dial.runCommand(COptionsDial::NewText);
    const auto* family = elements().back()->findChildAs<FontFamilyProperty>(u"FontFamily");
    ASSERT_NE(family, nullptr);
    const std::vector<std::u16string>& installed = FontFamilyList::families();
    ASSERT_FALSE(installed.empty());
    EXPECT_NE(std::find(installed.begin(), installed.end(), family->familyName()), installed.end())
        << QString::fromStdU16String(family->familyName()).toStdString();
    EXPECT_EQ(QString::fromStdU16String(family->familyName())
                  .compare(QFontInfo(QApplication::font()).family(), Qt::CaseInsensitive),
              0);
    auto* row = dynamic_cast<COptionTreeItemComboBox*>(
        static_cast<COptionTreeItem*>(static_cast<const IntProperty*>(family)->row()));
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(QString::fromStdU16String(row->selectedText()).contains("not installed"));
    FontFamilyList::resetForTesting();
}

TEST_F(OptionsDialTest, CopyPlacesTheCopyAfterAndSelectsIt) {
    COptionsDial& dial = open();
    ClockObject* original = elements()[1];
    rowOf(original)->setExpanded(true);
    click(rowOf(original));
    EXPECT_TRUE(original->isSelected());
    dial.runCommand(COptionsDial::CopySelected);
    ClockObject* copy = elements()[2];
    EXPECT_NE(copy, original);
    EXPECT_EQ(dial.selectedElement(), copy);
    EXPECT_TRUE(copy->isSelected());
    EXPECT_FALSE(original->isSelected());
    EXPECT_TRUE(rowOf(copy)->isMarked());
    EXPECT_FALSE(rowOf(original)->isMarked());
    EXPECT_TRUE(rowOf(original)->isExpanded()) << "rows keep their expanded state";
    EXPECT_EQ(copy->valueText(), original->valueText());

    dial.runCommand(COptionsDial::CopySelected);
    EXPECT_EQ(elements()[3], dial.selectedElement()) << "the copy of the copy follows it";
    EXPECT_EQ(elements()[1], original);
}

// Each button is enabled only where it acts; Delete selects the element that follows.
TEST_F(OptionsDialTest, ButtonsActOnlyWhereTheyCanAndDeleteSelectsTheNext) {
    using Ids = std::set<int>;
    COptionsDial& dial = open();
    dial.show();
    std::vector<ClockObject*> order = elements();
    ASSERT_GE(order.size(), 3u);
    click(rowOf(order[0])->firstChild());
    EXPECT_EQ(dial.selectedElement(), nullptr) << "a property row is no element";
    EXPECT_TRUE(enabledButtons().empty());
    click(rowOf(order[0]));
    EXPECT_EQ(enabledButtons(), (Ids{COptionsDial::CopySelected, COptionsDial::DeleteSelected,
                                     COptionsDial::MoveDown}));
    click(rowOf(order[1]));
    EXPECT_EQ(enabledButtons().size(), 4u);
    click(rowOf(order.back()));
    EXPECT_EQ(enabledButtons(), (Ids{COptionsDial::CopySelected, COptionsDial::DeleteSelected,
                                     COptionsDial::MoveUp}));
    // What cannot act does nothing at all, not even rebuild the rows.
    const int rowId = rowOf(order.back())->id();
    dial.runCommand(COptionsDial::MoveDown);
    dial.runCommand(COptionsDial::MoveToBottom);
    EXPECT_EQ(rowOf(order.back())->id(), rowId);
    EXPECT_EQ(dial.stepsBack(), 0u);

    // Delete selects the element after the deleted one, in view; the last, the one before.
    click(rowOf(order[1]));
    dial.runCommand(COptionsDial::DeleteSelected);
    EXPECT_EQ(elements().size(), order.size() - 1);
    EXPECT_EQ(dial.selectedElement(), order[2]);
    EXPECT_TRUE(rowOf(order[2])->isMarked());
    EXPECT_EQ(dial.tree()->focusedItem(), rowOf(order[2]));
    const QRect row = rowOf(order[2])->rowRect();
    EXPECT_GE(row.top(), 0);
    EXPECT_LE(row.bottom(), dial.tree()->list()->viewport()->height());
    click(rowOf(order.back()));
    dial.runCommand(COptionsDial::DeleteSelected);
    EXPECT_EQ(dial.selectedElement(), order[order.size() - 2]);
}

// Layers: an element moves to the top or bottom of the list from its row's menu, or to any
// place by dragging its row.
TEST_F(OptionsDialTest, ElementsMoveToTheTopTheBottomOrWhereTheirRowIsDropped) {
    COptionsDial& dial = open();
    const std::vector<ClockObject*> order = elements();
    ASSERT_GE(order.size(), 3u);
    dial.runCommand(COptionsDial::NewText);
    ClockObject* text = elements().back();
    click(rowOf(text));
    const std::unique_ptr<QMenu> menu = dial.rowMenu();
    std::vector<QString> entries;
    for (QAction* action : menu->actions()) {
        entries.push_back(action->isSeparator() ? QString() : action->text());
    }
    EXPECT_EQ(entries, (std::vector<QString>{"Move to top", "Move up", "Move down",
                                             "Move to bottom", "", "Copy", "Delete"}));
    EXPECT_FALSE(menu->actions()[3]->isEnabled()) << "the last cannot go lower";
    dial.runCommand(menu->actions()[0]->data().toInt());
    EXPECT_EQ(elements().front(), text);
    EXPECT_EQ(dial.selectedElement(), text);
    EXPECT_EQ(elements()[1], order[0]);
    dial.runCommand(COptionsDial::MoveToBottom);
    EXPECT_EQ(elements().back(), text);

    // The rows of the elements are movable, the body's own rows not.
    EXPECT_TRUE(rowOf(order[1])->isMovable());
    EXPECT_FALSE(rowOf(order[1])->firstChild()->isMovable());
    const std::size_t steps = dial.stepsBack();
    dial.rowDropped(*dial.tree(), rowOf(text), rowOf(order[1]));
    EXPECT_EQ(elements()[1], text);
    EXPECT_EQ(elements()[0], order[0]);
    EXPECT_EQ(dial.selectedElement(), text);
    EXPECT_EQ(dial.stepsBack(), steps + 1) << "a drop is a step";
    dial.rowDropped(*dial.tree(), rowOf(text), rowOf(order[1]));
    EXPECT_EQ(dial.stepsBack(), steps + 1) << "dropped where it was: no change";
    dial.rowDropped(*dial.tree(), rowOf(text), nullptr);
    EXPECT_EQ(elements().back(), text);
}

TEST_F(OptionsDialTest, MovesSwapNeighbours) {
    COptionsDial& dial = open();
    const std::vector<ClockObject*> order = elements();
    ASSERT_GE(order.size(), 3u);
    click(rowOf(order[1]));
    dial.runCommand(COptionsDial::MoveDown);
    EXPECT_EQ(elements()[1], order[2]);
    EXPECT_EQ(elements()[2], order[1]);
    dial.runCommand(COptionsDial::MoveUp);
    EXPECT_EQ(elements(), order);
    EXPECT_EQ(dial.selectedElement(), order[1]);
}

// Element commands are edits: OK then asks to save them, unless nothing changed.
TEST_F(OptionsDialTest, ElementCommandsThatChangeTheSchemeAskToBeSaved) {
    COptionsDial& dial = open();
    EXPECT_TRUE(dial.isSaved());
    dial.runCommand(COptionsDial::NewText);
    EXPECT_FALSE(dial.isSaved());
    confirm_ = QMessageBox::Cancel;
    dial.accept();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_.front().startsWith("Save changes?|"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_NE(dial_, nullptr) << "Cancel in the question keeps the dialog open";
}

TEST_F(OptionsDialTest, CommittedValuesReachTheClockAtOnce) {
    COptionsDial& dial = open();
    QSignalSpy changed(&dial, &COptionsDial::schemeChanged);
    COptionTreeItemEdit* row = typeAuthorWithoutCommit("Ana");
    ASSERT_NE(row, nullptr);
    EXPECT_NE(author(), u"Ana");
    row->commit();
    EXPECT_EQ(author(), u"Ana");
    EXPECT_FALSE(dial.isSaved());
    EXPECT_EQ(changed.count(), 1);
}

// A value still being typed is dropped by what rebuilds the tree, and kept by OK.
struct PendingEditRow {
    const char* name;
    std::function<void(COptionsDial&)> act;
    bool applied;
};

class PendingEditTest : public OptionsDialTest,
                        public testing::WithParamInterface<PendingEditRow> {};

TEST_P(PendingEditTest, OnlyOkAppliesAnOpenEditor) {
    answers_.push_back(saveFile("other.Velmora", clock_));
    COptionsDial& dial = open();
    // Revert and Restore Defaults go ahead; OK, with an edit to settle, keeps editing.
    confirm_ = QMessageBox::Ok;
    typeAuthorWithoutCommit("Pending");
    GetParam().act(dial);
    EXPECT_EQ(author() == u"Pending", GetParam().applied);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PendingEditTest,
    testing::Values(
        PendingEditRow{"NewHand", [](COptionsDial& d) { d.runCommand(COptionsDial::NewHand); },
                       false},
        PendingEditRow{"MoveUp", [](COptionsDial& d) { d.runCommand(COptionsDial::MoveUp); },
                       false},
        PendingEditRow{"Revert", [](COptionsDial& d) { d.revert(); }, false},
        PendingEditRow{"Load", [](COptionsDial& d) { d.load(); }, false},
        PendingEditRow{"RestoreDefaults", [](COptionsDial& d) { d.restoreDefaults(); }, false},
        PendingEditRow{"Ok", [](COptionsDial& d) { d.accept(); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Every way of leaving with unsaved edits asks the same question, naming the scheme; "Keep
// Editing" leaves the dialog open and the edit in place.
class LeavingTest
    : public OptionsDialTest,
      public testing::WithParamInterface<std::pair<const char*, void (*)(COptionsDial&)>> {};

TEST_P(LeavingTest, AsksOnceAndKeepEditingChangesNothing) {
    clock_.findChildAs<StringProperty>(u"AuthorInfo")->setValue(u"before");
    COptionsDial& dial = open();
    typeAuthorWithoutCommit("edited")->commit();
    confirm_ = QMessageBox::Cancel;
    GetParam().second(dial);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Save changes?|Discard the changes to the built-in scheme?\n\nYour "
                            "changes are not saved in a scheme file.");
    EXPECT_TRUE(requests_.empty()) << "keeping on editing saves nothing";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_NE(dial_, nullptr);
    EXPECT_EQ(author(), u"edited");
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingTest,
                         testing::Values(std::pair{"Ok", +[](COptionsDial& d) { d.accept(); }},
                                         std::pair{"Cancel", +[](COptionsDial& d) { d.reject(); }},
                                         std::pair{"WindowClose",
                                                   +[](COptionsDial& d) {
                                                       d.show();
                                                       d.close();
                                                   }},
                                         std::pair{"Esc",
                                                   +[](COptionsDial& d) {
                                                       d.show();
                                                       QTest::keyClick(&d, Qt::Key_Escape);
                                                   }},
                                         std::pair{"ForTheProgramsEnd",
                                                   +[](COptionsDial& d) { d.closeKeeping(); }}),
                         [](const auto& info) { return std::string(info.param.first); });

// "Discard" puts the clock back to what it showed at the opening, whichever way it closed,
// the loaded scheme's setting included, and no element keeps its guide marks.
TEST_P(LeavingTest, DiscardPutsTheOpeningSchemeBack) {
    const QString other = saveFile("other.Velmora", Clock());
    settings_->writeText(settings::kSchemeLoaded, u"");
    const Bytes opening = schemeBytes(clock_);
    COptionsDial& dial = open();
    typeAuthorWithoutCommit("edited")->commit();
    answers_.push_back(other);
    dial.load();
    dial.stepBack();
    dial.runCommand(COptionsDial::NewHand);
    ASSERT_FALSE(dial.isSaved());
    confirm_ = QMessageBox::Discard;
    GetParam().second(dial);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dial_, nullptr);
    EXPECT_EQ(schemeBytes(clock_), opening);
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), u"");
    for (ClockObject* element : elements()) {
        EXPECT_FALSE(element->isSelected());
    }
}

TEST_F(OptionsDialTest, QuestionsNameTheSchemeAndTheirAction) {
    const QString night = saveFile("Night.Velmora", clock_);
    ASSERT_TRUE(clock_.loadSchemeFile(night.toStdString(), *settings_));
    COptionsDial& dial = open();
    typeAuthorWithoutCommit("edited")->commit();
    confirm_ = QMessageBox::Cancel;
    dial.reject();
    dial.restoreDefaults();
    dial.revert();
    ASSERT_EQ(messages_.size(), 3u);
    EXPECT_TRUE(messages_[0].startsWith("Save changes?|Discard the changes to Night.Velmora?"));
    EXPECT_EQ(messages_[1],
              "Restore Defaults|Restore the built-in scheme? Your edits can be undone.");
    EXPECT_EQ(messages_[2], "Revert|Revert to the scheme as it was when this dialog opened? Your "
                            "edits can be undone.");
    EXPECT_EQ(author(), u"edited") << "neither went ahead";
}

TEST_F(OptionsDialTest, RevertReturnsToTheOpeningStateEveryTime) {
    COptionsDial& dial = open();
    confirm_ = QMessageBox::Ok;
    const Bytes opening = schemeBytes(clock_);
    const std::size_t elementsAtOpening = elements().size();
    dial.runCommand(COptionsDial::NewText);
    typeAuthorWithoutCommit("x")->commit();
    dial.revert();
    EXPECT_EQ(schemeBytes(clock_), opening);
    EXPECT_TRUE(dial.isSaved()) << "back at the opening scheme, nothing is left unsaved";
    EXPECT_EQ(dial.selectedElement(), nullptr);
    EXPECT_TRUE(enabledButtons().empty());
    dial.runCommand(COptionsDial::NewHand);
    dial.revert();
    dial.revert();
    EXPECT_EQ(schemeBytes(clock_), opening);
    dial.stepBack();
    EXPECT_EQ(elements().size(), elementsAtOpening + 1) << "a revert is a step like any other";
}

TEST_F(OptionsDialTest, SaveAsAlwaysAsksAndWritesAtomically) {
    COptionsDial& dial = open();
    // Nothing edited: the file dialog still opens, starting in the user's scheme folder.
    answers_.push_back(folder_.filePath("first"));
    dial.saveAs();
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_TRUE(requests_[0].save);
    EXPECT_EQ(requests_[0].folder, folder_.filePath("data/velmora/schemes"));
    EXPECT_TRUE(QDir(requests_[0].folder).exists());
    EXPECT_EQ(requests_[0].fileName, "test.Velmora");
    EXPECT_EQ(readFile(folder_.filePath("first.Velmora")), schemeBytes(clock_));

    // A target that cannot be replaced (a folder has its name): the message and the dialog
    // again; what is there is left as it was.
    const QString target = folder_.filePath("taken.Velmora");
    ASSERT_TRUE(QDir().mkpath(target + "/inside"));
    typeAuthorWithoutCommit("changed")->commit();
    answers_.push_back(target);
    dial.saveAs();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].startsWith(
        "File open error|Can't access this file, please select another or permit access.\n\n"))
        << messages_[0].toStdString();
    EXPECT_EQ(requests_.size(), 3u) << "asked again after the failure, then cancelled";
    EXPECT_TRUE(QFileInfo(target + "/inside").isDir());
    EXPECT_FALSE(dial.isSaved());

    // "Save As..." in the question saves; the saved flag then lets OK close without asking.
    confirm_ = QMessageBox::Save;
    answers_.push_back(folder_.filePath("second.Velmora"));
    dial.accept();
    EXPECT_EQ(readFile(folder_.filePath("second.Velmora")), schemeBytes(clock_));
    EXPECT_EQ(author(), u"changed");
}

TEST_F(OptionsDialTest, LoadTakesOnlyWholeSchemes) {
    Clock small;
    small.append(std::make_unique<ClockText>());
    const QString good = saveFile("small.Velmora", small);
    const Bytes goodBytes = readFile(good);
    const QString truncated = folder_.filePath("truncated.Velmora");
    {
        QFile file(truncated);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(goodBytes.data()),
                   static_cast<qint64>(goodBytes.size() / 2));
    }
    COptionsDial& dial = open();
    typeAuthorWithoutCommit("unsaved")->commit();
    click(rowOf(elements()[0]));
    const Bytes before = schemeBytes(clock_);

    answers_.push_back(truncated);
    dial.load();
    ASSERT_EQ(messages_.size(), 1u) << "no question: a load is a step back with Ctrl+Z";
    EXPECT_TRUE(messages_[0].contains("truncated.Velmora")) << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains("at byte ")) << messages_[0].toStdString();
    EXPECT_EQ(schemeBytes(clock_), before);
    EXPECT_FALSE(dial.isSaved());
    EXPECT_EQ(dial.selectedElement(), elements()[0]);
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), u"");
    // Saved again, the scheme is byte for byte the one before the failed load.
    answers_.push_back(folder_.filePath("again.Velmora"));
    dial.saveAs();
    EXPECT_EQ(readFile(folder_.filePath("again.Velmora")), before);

    typeAuthorWithoutCommit("unsaved again")->commit();
    answers_.push_back(good);
    dial.load();
    EXPECT_EQ(schemeBytes(clock_), schemeBytes(small));
    EXPECT_TRUE(dial.isSaved());
    EXPECT_EQ(dial.selectedElement(), nullptr);
    EXPECT_EQ(QString::fromStdU16String(settings_->readText(settings::kSchemeLoaded)), good);
    // The next file dialog starts where the scheme came from.
    dial.load();
    EXPECT_EQ(requests_.back().folder, folder_.path());
    EXPECT_FALSE(requests_.back().save);
}

TEST_F(OptionsDialTest, ExampleSchemesAreOfferedAmongThePlaces) {
    QTemporaryDir system;
    ASSERT_TRUE(QDir().mkpath(system.filePath("velmora/schemes")));
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", system.path().toLocal8Bit());
    COptionsDial& dial = open();
    dial.load();
    qputenv("XDG_DATA_DIRS", saved);
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].places,
              QStringList{QDir(system.filePath("velmora/schemes")).canonicalPath()});
}

// Load's menu: the examples, then the schemes used last (only those still there), then
// a file dialog for any other; a choice loads at once.
TEST_F(OptionsDialTest, LoadOffersTheExamplesAndTheSchemesUsedLast) {
    QTemporaryDir system;
    ASSERT_TRUE(QDir().mkpath(system.filePath("velmora/schemes")));
    Clock night;
    night.append(std::make_unique<ClockHand>());
    Clock rings;
    rings.append(std::make_unique<ClockSlice>());
    ASSERT_TRUE(saveSchemeFile(
        night, system.filePath("velmora/schemes/Night.Velmora").toStdString(), nullptr));
    ASSERT_TRUE(saveSchemeFile(
        rings, system.filePath("velmora/schemes/Rings.Velmora").toStdString(), nullptr));
    Clock mine;
    mine.append(std::make_unique<ClockText>());
    const QString own = saveFile("Mine.Velmora", mine);
    const QString gone = saveFile("Gone.Velmora", mine);
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", system.path().toLocal8Bit());
    COptionsDial& dial = open();
    ASSERT_TRUE(dial.loadFile(gone));
    ASSERT_TRUE(dial.loadFile(own));
    ASSERT_TRUE(QFile::remove(gone));

    QMenu* menu = dial.loadMenu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList shown;
    for (const QAction* action : menu->actions()) {
        shown.append(action->isSeparator() ? "|" + action->text() : action->text());
    }
    EXPECT_EQ(shown, (QStringList{"|Examples", "Night", "Rings", "|Recently used", "Mine", "|",
                                  "Other scheme file..."}));
    // Shown again, the menu lists each once.
    emit menu->aboutToShow();
    qputenv("XDG_DATA_DIRS", saved);
    EXPECT_EQ(menu->actions().size(), shown.size());

    menu->actions()[2]->trigger();
    EXPECT_EQ(schemeBytes(clock_), schemeBytes(rings));
    EXPECT_TRUE(dial.isSaved());
    EXPECT_TRUE(requests_.empty()) << "a listed scheme needs no file dialog";
    // Ctrl+Z takes the load back to the scheme before it.
    dial.stepBack();
    EXPECT_EQ(schemeBytes(clock_), schemeBytes(mine));

    menu->actions().back()->trigger();
    EXPECT_EQ(requests_.size(), 1u);
}

TEST_F(OptionsDialTest, ControlsFollowTheirAnchorsAndTheSizeStopsWhereTheyWouldMeet) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::processEvents();
    const QSize design = dial.size();
    auto place = [&](int id) { return dial.control(id)->geometry(); };
    const int ids[] = {COptionsDial::OkButton,         COptionsDial::CancelButton,
                       COptionsDial::RevertButton,     COptionsDial::RestoreDefaultsButton,
                       COptionsDial::LoadButton,       COptionsDial::SaveAsButton,
                       COptionsDial::TreeId,           COptionsDial::StepBackButton,
                       COptionsDial::StepForwardButton};
    std::map<int, QRect> before;
    for (int id : ids) {
        before[id] = place(id);
    }
    dial.resize(design + QSize(100, 50));
    QApplication::processEvents();
    EXPECT_EQ(place(COptionsDial::OkButton), before[COptionsDial::OkButton].translated(100, 50));
    EXPECT_EQ(place(COptionsDial::CancelButton),
              before[COptionsDial::CancelButton].translated(100, 50));
    EXPECT_EQ(place(COptionsDial::RevertButton),
              before[COptionsDial::RevertButton].translated(0, 50));
    EXPECT_EQ(place(COptionsDial::RestoreDefaultsButton),
              before[COptionsDial::RestoreDefaultsButton].translated(0, 50));
    EXPECT_EQ(place(COptionsDial::LoadButton), before[COptionsDial::LoadButton].translated(100, 0));
    EXPECT_EQ(place(COptionsDial::SaveAsButton),
              before[COptionsDial::SaveAsButton].translated(100, 0));
    EXPECT_EQ(place(COptionsDial::TreeId), before[COptionsDial::TreeId].adjusted(0, 0, 100, 50));

    // For small screens it shrinks below the design, as far as its controls stay apart and
    // whole, the tree keeping a few rows.
    const QSize least = dial.minimumSize();
    EXPECT_LT(least.width(), design.width());
    EXPECT_LE(least.height(), design.height() / 2);
    dial.resize(10, 10);
    QApplication::processEvents();
    EXPECT_EQ(dial.size(), least);
    std::vector<QRect> controls;
    for (int id : ids) {
        controls.push_back(place(id));
        EXPECT_TRUE(dial.rect().contains(controls.back())) << id;
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i].intersects(controls[j])) << ids[i] << " and " << ids[j];
        }
    }
    EXPECT_GE(place(COptionsDial::TreeId).height(), COptionsDial::kTreeMinimum.height());
    EXPECT_GE(dial.tree()->list()->height(), 3 * COptionTreeItem::kDefaultHeight)
        << "the rows keep three lines beside the description";
    // The placement is kept under "Options".
    EXPECT_EQ(
        settings_->readInt(
            settings::windowLayoutKey(settings::kOptionsWindow, settings::PlacementPart::W), -1),
        least.width());
}

// Through the clock window: the menu item, live frames and closing by the window manager.
TEST_F(OptionsDialTest, SaveAsInTheQuestionClosesOnlyOnceTheSchemeWasWritten) {
    COptionsDial& dial = open();
    dial.runCommand(COptionsDial::NewHand);
    const Bytes edited = schemeBytes(clock_);
    confirm_ = QMessageBox::Save;
    // The file dialog is cancelled: nothing was saved, so the dialog stays as it was.
    dial.accept();
    dial.reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(dial_, nullptr);
    EXPECT_EQ(schemeBytes(clock_), edited);
    EXPECT_EQ(requests_.size(), 2u);
    // With a file chosen, the scheme is saved and stays on the clock, even after Cancel.
    answers_.push_back(folder_.filePath("kept.Velmora"));
    dial.reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dial_, nullptr);
    EXPECT_EQ(readFile(folder_.filePath("kept.Velmora")), edited);
    EXPECT_EQ(schemeBytes(clock_), edited);
}

TEST_F(OptionsDialTest, SavedSchemeIsTheOneTheClockStartsWithAndItsNameShows) {
    COptionsDial& dial = open();
    dial.runCommand(COptionsDial::NewText);
    const QString path = folder_.filePath("mine.Velmora");
    answers_.push_back(folder_.filePath("mine"));
    ASSERT_TRUE(dial.saveAs());
    EXPECT_EQ(QString::fromStdU16String(settings_->readText(settings::kSchemeLoaded)), path);
    EXPECT_EQ(clock_.schemePath(), std::filesystem::path(path.toStdString()));
    EXPECT_EQ(dial.control(COptionsDial::SchemeName)->toolTip(), QDir::toNativeSeparators(path))
        << "the scheme field names the saved file";
    dial.accept();
    // The next start.
    Clock next;
    ASSERT_TRUE(next.loadLastScheme(*settings_));
    EXPECT_EQ(schemeBytes(next), schemeBytes(clock_));
}

TEST_F(OptionsDialTest, CancelTakesBackOnlyWhatWasNotSaved) {
    settings_->writeText(settings::kSchemeLoaded, u"");
    const Bytes opening = schemeBytes(clock_);
    COptionsDial& dial = open();
    dial.runCommand(COptionsDial::NewText);
    const Bytes saved = schemeBytes(clock_);
    const QString path = folder_.filePath("kept.Velmora");
    answers_.push_back(path);
    ASSERT_TRUE(dial.saveAs());
    dial.runCommand(COptionsDial::NewHand);
    confirm_ = QMessageBox::Discard;
    dial.reject();
    EXPECT_EQ(schemeBytes(clock_), saved) << "the saved scheme stays on the clock";
    EXPECT_EQ(QString::fromStdU16String(settings_->readText(settings::kSchemeLoaded)), path);

    // Without a save, Cancel goes back to the opening scheme and the opening setting.
    settings_->writeText(settings::kSchemeLoaded, u"");
    std::unique_ptr<Clock> defaults = readDefaultScheme();
    clock_.adopt(*defaults);
    COptionsDial& second = open();
    second.runCommand(COptionsDial::NewText);
    second.reject();
    EXPECT_EQ(schemeBytes(clock_), opening);
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), u"");
}

// The background's chooser lists images first and previews them as the clock would show
// them: a file the clock refuses has no picture, and a costly one costs the preview nothing.
TEST_F(OptionsDialTest, TheBackgroundsChooserListsImagesWithAPreview) {
    open();
    auto* background = clock_.findChildAs<FileProperty>(u"BackgroundImage");
    auto* row = static_cast<COptionTreeItemFile*>(background->row());
    ASSERT_NE(row, nullptr);
    const COptionTreeFileDlg chooser = row->dialog();
    EXPECT_TRUE(chooser.hasPreview());
    ASSERT_FALSE(chooser.nameFilters().isEmpty());
    EXPECT_TRUE(chooser.nameFilters()[0].startsWith("Images (*.png *.jpg"))
        << chooser.nameFilters()[0].toStdString();

    const auto write = [this](const char* name, const QByteArray& bytes) {
        QFile file(folder_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QSize within(160, 160);
    const QImage wide = backgroundPreview(
        write("wide.png", image_bombs::encoded(image_bombs::gradient(400, 200), "PNG")), within);
    EXPECT_EQ(wide.size(), QSize(160, 80));
    EXPECT_TRUE(backgroundPreview(write("notes.png", "not a picture"), within).isNull());
    EXPECT_TRUE(
        backgroundPreview(write("huge.png", image_bombs::pngDeclaring(60000, 60000)), within)
            .isNull());
    EXPECT_TRUE(backgroundPreview(folder_.filePath("missing.png"), within).isNull());
}

TEST_F(OptionsDialTest, UnusableBackgroundsAreRefusedAndThePreviousImageStays) {
    auto* background = clock_.findChildAs<FileProperty>(u"BackgroundImage");
    const Bytes before(background->bytes().begin(), background->bytes().end());
    const std::u16string source = background->sourcePath();
    COptionsDial& dial = open();
    auto* row = static_cast<COptionTreeItemFile*>(background->row());
    ASSERT_NE(row, nullptr);
    // The user picks the file in the row's file dialog.
    auto choose = [row](const QString& path) {
        row->setDialogRunner([path](const COptionTreeFileDlg&, QWidget*) {
            return std::optional<QStringList>(QStringList{path});
        });
        row->activate();
    };
    struct Bad {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const QByteArray png = image_bombs::encoded(image_bombs::gradient(8, 8), "PNG");
    const QByteArray jpeg =
        image_bombs::encoded(image_bombs::gradient(64, 64, QImage::Format_RGB32), "JPEG");
    const Bad bad[] = {
        {"empty.png", QByteArray(), "empty"},
        {"notes.png", QByteArray("these are notes, not pixels"), "not an image"},
        {"cut.png", png.left(png.size() / 2), "truncated"},
        {"cut.jpg", jpeg.left(jpeg.size() - 40), "truncated"},
    };
    for (const Bad& file : bad) {
        const QString path = folder_.filePath(file.name);
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file.bytes);
        out.close();
        messages_.clear();
        choose(path);
        ASSERT_EQ(messages_.size(), 1u) << file.name;
        EXPECT_TRUE(messages_[0].contains(file.name)) << messages_[0].toStdString();
        EXPECT_TRUE(messages_[0].contains(file.reason)) << messages_[0].toStdString();
        EXPECT_EQ(background->sourcePath(), source);
        EXPECT_EQ(Bytes(background->bytes().begin(), background->bytes().end()), before);
        EXPECT_EQ(row->text(), source) << "the row shows the image that stays";
    }
    EXPECT_TRUE(dial.isSaved()) << "a refused file is no edit";
    // A good image is taken.
    const QString good = folder_.filePath("good.png");
    QFile out(good);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(png);
    out.close();
    messages_.clear();
    choose(good);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(background->bytes().size(), static_cast<std::size_t>(png.size()));
}

TEST_F(OptionsDialTest, StepsGoBackAndForthThroughEveryEditAndCommand) {
    COptionsDial& dial = open();
    const Bytes opening = schemeBytes(clock_);
    const std::size_t count = elements().size();
    dial.runCommand(COptionsDial::NewHand);
    const Bytes oneHand = schemeBytes(clock_);
    typeAuthorWithoutCommit("edited")->commit();
    // Committing an unchanged value is no step.
    typeAuthorWithoutCommit("edited")->commit();
    EXPECT_EQ(dial.stepsBack(), 2u);

    dial.stepBack();
    EXPECT_EQ(schemeBytes(clock_), oneHand);
    dial.stepBack();
    EXPECT_EQ(schemeBytes(clock_), opening);
    EXPECT_TRUE(dial.isSaved()) << "back where it opened";
    dial.stepBack();
    EXPECT_EQ(schemeBytes(clock_), opening) << "nothing further back";
    dial.stepForward();
    EXPECT_EQ(elements().size(), count + 1);
    EXPECT_FALSE(dial.isSaved());
    // A new edit forgets the steps forward.
    dial.runCommand(COptionsDial::NewSlice);
    EXPECT_EQ(dial.stepsForward(), 0u);
    dial.stepForward();
    EXPECT_EQ(elements().size(), count + 2);
    // The dialog's Revert is a step too.
    confirm_ = QMessageBox::Ok;
    dial.revert();
    EXPECT_EQ(schemeBytes(clock_), opening);
    dial.stepBack();
    EXPECT_EQ(elements().size(), count + 2);
}

TEST_F(OptionsDialTest, CtrlZAndCtrlShiftZStepOutsideAnEditor) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::setActiveWindow(&dial);
    const std::size_t count = elements().size();
    dial.runCommand(COptionsDial::NewText);
    dial.tree()->list()->setFocus();
    QTest::keyClick(dial.tree()->list(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(elements().size(), count);
    QTest::keyClick(dial.tree()->list(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(elements().size(), count + 1);
}

// Tab leaves the tree from its body row for the description, the element buttons, the
// dialog's buttons in their rows and back to the tree; disabled buttons are passed over.
TEST_F(OptionsDialTest, TabGoesFromTheTreeThroughTheButtonsAndBack) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::setActiveWindow(&dial);
    ASSERT_EQ(dial.tree()->focusedItem(), dial.tree()->rootItem()->firstChild());
    EXPECT_EQ(QApplication::focusWidget(), dial.tree()->list()) << "the keys start in the tree";
    std::vector<QWidget*> expected{dial.tree()->info()};
    for (QAction* action : dial.toolBar()->actions()) {
        if (!action->isSeparator() && action->isEnabled()) {
            expected.push_back(dial.toolBar()->widgetForAction(action));
        }
    }
    ASSERT_EQ(expected.size(), 4u) << "the description and the three new-element buttons";
    for (int id : {COptionsDial::SaveAsButton, COptionsDial::LoadButton, COptionsDial::RevertButton,
                   COptionsDial::RestoreDefaultsButton, COptionsDial::OkButton,
                   COptionsDial::CancelButton}) {
        expected.push_back(dial.control(id));
    }
    expected.push_back(dial.tree()->list());
    const std::vector<QWidget*> stops = tabStops(dial.tree()->list());
    EXPECT_EQ(stops, expected) << describeStops(stops);
    // Once there is a step to undo, its button is a stop before OK.
    dial.runCommand(COptionsDial::NewHand);
    dial.control(COptionsDial::RestoreDefaultsButton)->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(pressTab(), dial.control(COptionsDial::StepBackButton));
    EXPECT_EQ(pressTab(), dial.control(COptionsDial::OkButton));
}

// Enter commits an open editor and leaves the dialog open; elsewhere it presses the focused
// button, or OK where the focus has no button.
TEST_F(OptionsDialTest, EnterCommitsAnOpenEditorAndElsePressesTheFocusedButton) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::setActiveWindow(&dial);
    QSignalSpy finished(&dial, &QDialog::finished);
    typeAuthorWithoutCommit("typed");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(author(), u"typed");
    EXPECT_TRUE(finished.empty());
    // Every kind of editor that opens in place keeps Enter, on the body and on a text's rows.
    dial.runCommand(COptionsDial::NewText);
    std::set<int> kinds;
    for (COptionTreeItem* group :
         {dial.tree()->rootItem()->firstChild(), rowOf(elements().back())}) {
        for (COptionTreeItem* row = group->firstChild(); row != nullptr; row = row->nextSibling()) {
            const int kind = row->kindCode();
            if (row->isReadOnly() || row->hasChildren() || kind == COptionTreeItem::ColorCode ||
                kind == COptionTreeItem::FileCode || kind == COptionTreeItem::PlainCode) {
                continue;
            }
            dial.tree()->setFocusedItem(row);
            dial.tree()->list()->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(dial.tree()->list(), Qt::Key_Return);
            QWidget* editor = QApplication::focusWidget();
            QTest::keyClick(editor, Qt::Key_Return);
            kinds.insert(kind);
            EXPECT_TRUE(finished.empty())
                << "Enter in the editor of " << row->labelText().toStdString();
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{COptionTreeItem::CheckBoxCode, COptionTreeItem::ComboBoxCode,
                                    COptionTreeItem::EditCode, COptionTreeItem::SpinnerCode}));
    // On a focused element button Enter runs its command.
    const std::size_t count = elements().size();
    QWidget* newHand =
        dial.toolBar()->widgetForAction(dial.toolBar()->action(COptionsDial::NewHand));
    newHand->setFocus(Qt::TabFocusReason);
    QTest::keyClick(newHand, Qt::Key_Return);
    EXPECT_EQ(elements().size(), count + 1);
    EXPECT_TRUE(finished.empty());
    // On Cancel it cancels; the question about the edits comes first.
    confirm_ = QMessageBox::Discard;
    dial.control(COptionsDial::CancelButton)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dial.control(COptionsDial::CancelButton), Qt::Key_Return);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Rejected);
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(OptionsDialTest, EnterOnTheBodyRowIsOk) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::setActiveWindow(&dial);
    QSignalSpy finished(&dial, &QDialog::finished);
    dial.tree()->list()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(dial.tree()->list(), Qt::Key_Return);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Accepted);
}

// Esc in an open editor takes back what was typed there; Esc once more leaves the dialog,
// asking about the edits made before.
TEST_F(OptionsDialTest, EscClosesTheEditorFirstThenTheDialog) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::setActiveWindow(&dial);
    QSignalSpy finished(&dial, &QDialog::finished);
    typeAuthorWithoutCommit("kept")->commit();
    typeAuthorWithoutCommit("dropped");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(finished.empty());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(author(), u"kept");
    confirm_ = QMessageBox::Cancel;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(messages_.size(), 1u) << "the question about the kept edit";
    EXPECT_TRUE(finished.empty()) << "Keep Editing";
    confirm_ = QMessageBox::Discard;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Rejected);
}

// The keyboard's place shows: on the tree's focused row, the description and a focused element
// button, each reached by Tab from the widget before it.
TEST_F(OptionsDialTest, TheFocusIsDrawn) {
    COptionsDial& dial = open();
    dial.show();
    QApplication::setActiveWindow(&dial);
    QWidget* newHand =
        dial.toolBar()->widgetForAction(dial.toolBar()->action(COptionsDial::NewHand));
    const std::pair<QWidget*, QWidget*> steps[] = {
        {dial.control(COptionsDial::CancelButton), dial.tree()->list()},
        {dial.tree()->list(), dial.tree()->info()},
        {dial.tree()->info(), newHand}};
    for (const auto& [before, widget] : steps) {
        before->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        const QImage without = widget->grab().toImage();
        ASSERT_EQ(pressTab(), widget);
        QApplication::processEvents();
        EXPECT_NE(widget->grab().toImage(), without) << widget->metaObject()->className();
    }
}

TEST_F(OptionsDialTest, NewElementsShowAtOnceSelectedAndInView) {
    COptionsDial& dial = open();
    dial.show();
    for (int command : {COptionsDial::NewHand, COptionsDial::NewSlice, COptionsDial::NewText}) {
        dial.runCommand(command);
        ClockObject* added = elements().back();
        EXPECT_EQ(dial.selectedElement(), added);
        // A new text's format opens for typing at once, its value selected.
        COptionTreeItem* focused = dial.tree()->focusedItem();
        if (command == COptionsDial::NewText) {
            ASSERT_NE(focused, nullptr);
            EXPECT_EQ(focused->parentItem(), rowOf(added));
            EXPECT_TRUE(focused->isActivated());
            auto* format = dynamic_cast<COptionTreeItemEdit*>(focused);
            ASSERT_NE(format, nullptr);
            EXPECT_EQ(format->lineEdit()->selectedText(), format->lineEdit()->text());
        } else {
            EXPECT_EQ(focused, rowOf(added));
        }
        EXPECT_TRUE(added->isSelected());
        EXPECT_EQ(enabledButtons(),
                  (std::set<int>{COptionsDial::CopySelected, COptionsDial::DeleteSelected,
                                 COptionsDial::MoveUp}));
        const std::uint32_t color = added->findChildAs<ColorProperty>(u"Color")->argb();
        EXPECT_EQ(color >> 24, 0xFFu);
        EXPECT_NE(color, ColorProperty::kOpaqueBlack) << "black disappears on the dark dial";
        const QRect row = rowOf(added)->rowRect();
        EXPECT_GE(row.top(), 0);
        EXPECT_LE(row.bottom(), dial.tree()->list()->viewport()->height());
    }
    EXPECT_GE(elements().back()->findChildAs<PercentProperty>(u"FontSize")->value(), 20);
}

TEST_F(OptionsDialTest, GroupRowsSayWhichElementAndFollowEdits) {
    COptionsDial& dial = open();
    dial.runCommand(COptionsDial::NewText);
    auto* text = static_cast<ClockText*>(elements().back());
    EXPECT_EQ(rowOf(text)->labelText(), "digital display: %d.%m.%Y");
    EXPECT_TRUE(rowOf(text)->swatch().has_value());
    auto* format = dynamic_cast<COptionTreeItemEdit*>(
        static_cast<COptionTreeItem*>(rowOf(text)->firstChild()));
    ASSERT_NE(format, nullptr);
    format->activate();
    format->lineEdit()->setText("%A");
    format->commit();
    EXPECT_EQ(rowOf(text)->labelText(), "digital display: %A");
    dial.runCommand(COptionsDial::CopySelected);
    EXPECT_EQ(rowOf(elements().back())->labelText(), "digital display: %A #2");
}

TEST_F(OptionsDialTest, ZoneRowsNameTheZoneOfEachSlot) {
    velmora::ZoneRecord kolkata;
    kolkata.setStandardName(u"Asia/Kolkata");
    velmora::setZoneSlot(2, kolkata);
    open();
    auto* zone = elements().front()->findChildAs<TimeZoneProperty>(u"TimeZone");
    auto* row = dynamic_cast<COptionTreeItemComboBox*>(static_cast<COptionTreeItem*>(zone->row()));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->comboBox()->itemText(2), "(User set time zone 2) - Asia/Kolkata");
    EXPECT_EQ(row->comboBox()->itemText(3), "(User set time zone 3) - UTC") << "an empty slot";
    velmora::clearZoneSlots();
}

// The built-in scheme stores its drawing quality as a plain number: the row still offers the
// choice by name, and what it stores keeps its kind.
TEST_F(OptionsDialTest, ChoicesShowTheirNamesWhereTheSchemeStoredANumber) {
    auto* quality = clock_.findChildAs<IntProperty>(u"SmoothingMode");
    ASSERT_NE(quality, nullptr);
    ASSERT_STREQ(quality->className(), "IntProperty");
    ASSERT_EQ(quality->value(), SmoothingModeProperty::kHighQuality);
    open();
    auto* row =
        dynamic_cast<COptionTreeItemComboBox*>(static_cast<COptionTreeItem*>(quality->row()));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->selectedData(), SmoothingModeProperty::kHighQuality);
    EXPECT_FALSE(QString::fromStdU16String(row->selectedText()).isEmpty());
    EXPECT_NE(row->selectedText(), u"2");
    const Bytes before = schemeBytes(clock_);
    row->activate();
    row->comboBox()->setCurrentIndex(row->comboBox()->findData(SmoothingModeProperty::kHighSpeed));
    row->commit();
    EXPECT_EQ(quality->value(), SmoothingModeProperty::kHighSpeed);
    EXPECT_STREQ(clock_.findChildAs<IntProperty>(u"SmoothingMode")->className(), "IntProperty");
    EXPECT_EQ(schemeBytes(clock_).size(), before.size());
}

TEST_F(OptionsDialTest, ACarriedBackgroundIsNamedByItsSize) {
    open();
    auto* background = clock_.findChildAs<FileProperty>(u"BackgroundImage");
    auto* row = static_cast<COptionTreeItemFile*>(background->row());
    ASSERT_NE(row, nullptr);
    const QStringList lines = row->displayLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("carried image, ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(" x ")) << lines[0].toStdString();
}

TEST_F(OptionsDialTest, MovingAnElementOnTheClockIsOneStep) {
    COptionsDial& dial = open();
    ClockObject* hand = elements().front();
    const int startDx = hand->findChildAs<PercentProperty>(u"dX")->value();
    dial.selectOnClock(hand);
    EXPECT_EQ(dial.selectedElement(), hand);
    dial.moveElement(hand, 10, -5);
    dial.moveElement(hand, 30, 250);
    dial.finishMove();
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"dX")->value(), 30);
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"dY")->value(), 100) << "kept in range";
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"dX")->row()->number(), 30);
    // Applying every row keeps the moved values.
    clock_.commitItem();
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"dY")->value(), 100);
    EXPECT_EQ(dial.stepsBack(), 1u);
    dial.stepBack();
    EXPECT_EQ(elements().front()->findChildAs<PercentProperty>(u"dX")->value(), startDx);
}

class CustomizeFromClockTest : public OptionsDialTest {
protected:
    std::unique_ptr<CVelmoraDlg> startClock() {
        ClockWindowOptions options;
        options.wallClock = [] {
            return std::chrono::system_clock::time_point(std::chrono::seconds(1'800'000'000));
        };
        auto window = std::make_unique<CVelmoraDlg>(*settings_, std::move(options));
        window->initialize();
        QApplication::processEvents();
        return window;
    }
    static QImage wholeFrame(Clock& clock, const QImage& like) {
        FrameRenderer renderer;
        renderer.render(clock, like.size(), like.devicePixelRatio(),
                        velmora::packedDateTimeFrom(std::chrono::system_clock::time_point(
                            std::chrono::seconds(1'800'000'000))));
        return renderer.frame();
    }
    // The window draws its focus marks into the corner squares of its frame.
    static bool sameOutsideCorners(const QImage& window, const QImage& whole) {
        const int corner = CVelmoraDlg::kCornerSize;
        for (int y = 0; y < window.height(); ++y) {
            for (int x = 0; x < window.width(); ++x) {
                const bool inCorner = (x < corner || x >= window.width() - corner) &&
                                      (y < corner || y >= window.height() - corner);
                if (!inCorner && window.pixel(x, y) != whole.pixel(x, y)) {
                    return false;
                }
            }
        }
        return window.size() == whole.size();
    }
};

TEST_F(CustomizeFromClockTest, OneDialogAtATimeAndTheMenuItemFollows) {
    auto window = startClock();
    const ClockWindowProbe probe(*window);
    QAction* customize = probe.menu().action(MenuCommand::Customize);
    probe.updateMenu();
    EXPECT_TRUE(customize->isEnabled());
    // Through the menu item itself, as a person picks it, not the command behind it.
    customize->trigger();
    QPointer<COptionsDial> first = qobject_cast<COptionsDial*>(probe.dialogs().optionsDialog());
    ASSERT_NE(first, nullptr);
    probe.runCommand(MenuCommand::Customize);
    EXPECT_EQ(COptionsDial::instanceCount(), 1);
    EXPECT_EQ(probe.dialogs().optionsDialog(), first);
    probe.updateMenu();
    EXPECT_FALSE(customize->isEnabled());

    // Closing by the window manager is Cancel: the edit is undone, after the question whether
    // to save it.
    int questions = 0;
    first->setMessageBox([&questions](QMessageBox::Icon, const QString&, const QString&,
                                      QMessageBox::StandardButtons) {
        ++questions;
        return QMessageBox::Discard;
    });
    const Bytes opening = schemeBytes(probe.clock());
    first->runCommand(COptionsDial::NewHand);
    first->close();
    EXPECT_EQ(questions, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(schemeBytes(probe.clock()), opening);
    probe.updateMenu();
    EXPECT_TRUE(customize->isEnabled());
}

// Ending the program with the dialog open and unsaved edits asks nothing and leaves what
// was saved as it was.
TEST_F(CustomizeFromClockTest, EndingTheProgramWithTheDialogOpenAsksNothing) {
    auto window = startClock();
    const ClockWindowProbe probe(*window);
    probe.runCommand(MenuCommand::Customize);
    QPointer<COptionsDial> dial = qobject_cast<COptionsDial*>(probe.dialogs().optionsDialog());
    ASSERT_NE(dial, nullptr);
    int questions = 0;
    dial->setMessageBox([&questions](QMessageBox::Icon, const QString&, const QString&,
                                     QMessageBox::StandardButtons) {
        ++questions;
        return QMessageBox::Yes;
    });
    const std::u16string loaded = settings_->readText(settings::kSchemeLoaded);
    dial->runCommand(COptionsDial::NewHand);
    ASSERT_FALSE(dial->isSaved());
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(dial, nullptr);
    EXPECT_EQ(COptionsDial::instanceCount(), 0);
    EXPECT_EQ(settings_->readText(settings::kSchemeLoaded), loaded);
}

// The user's Exit (the menu, Enter on the clock, the window manager's close) settles the
// dialog's unsaved edits first, and may be called off there.
TEST_F(CustomizeFromClockTest, TheUsersExitAsksAboutUnsavedEditsFirst) {
    auto window = startClock();
    const ClockWindowProbe probe(*window);
    QSignalSpy exits(window.get(), &CVelmoraDlg::exitRequested);
    probe.runCommand(MenuCommand::Customize);
    QPointer<COptionsDial> dial = qobject_cast<COptionsDial*>(probe.dialogs().optionsDialog());
    ASSERT_NE(dial, nullptr);
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    int questions = 0;
    dial->setMessageBox(
        [&](QMessageBox::Icon, const QString&, const QString&, QMessageBox::StandardButtons) {
            ++questions;
            return answer;
        });
    const Bytes opening = schemeBytes(probe.clock());
    dial->runCommand(COptionsDial::NewHand);
    probe.runCommand(MenuCommand::Exit);
    QTest::keyClick(window.get(), Qt::Key_Return);
    window->close();
    EXPECT_EQ(questions, 3);
    EXPECT_EQ(exits.count(), 0) << "Keep Editing calls the exit off";
    EXPECT_NE(dial, nullptr);

    answer = QMessageBox::Discard;
    probe.runCommand(MenuCommand::Exit);
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(schemeBytes(probe.clock()), opening);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dial, nullptr);
}

// After an edit on the clock the clock has the keyboard: the editor's keys work there.
TEST_F(CustomizeFromClockTest, TheEditorsKeysWorkOnTheClock) {
    auto window = startClock();
    const ClockWindowProbe probe(*window);
    window->resize(200, 200);
    probe.runCommand(MenuCommand::Customize);
    auto* dial = qobject_cast<COptionsDial*>(probe.dialogs().optionsDialog());
    ASSERT_NE(dial, nullptr);
    auto list = [&probe] {
        std::vector<ClockObject*> found;
        for (const auto& child : probe.clock().children()) {
            if (child->isKindOf(ClockObject::kTypeName)) {
                found.push_back(static_cast<ClockObject*>(child.get()));
            }
        }
        return found;
    };
    ClockObject* hand = list().front();
    auto offset = [&hand](const char16_t* name) {
        return hand->findChildAs<PercentProperty>(name)->value();
    };
    const int x = offset(u"dX");
    const int y = offset(u"dY");
    dial->selectOnClock(hand);
    // The dial's radius is about 100 pixels here: a pixel is a percent.
    ASSERT_NEAR(probe.clock().radius() / window->devicePixelRatioF(), 100, 5);
    QTest::keyClick(window.get(), Qt::Key_Right);
    QTest::keyClick(window.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(offset(u"dX"), x + 1);
    EXPECT_EQ(offset(u"dY"), y + 10);
    EXPECT_EQ(hand->findChildAs<PercentProperty>(u"dY")->row()->number(), y + 10)
        << "the row shows it";
    EXPECT_EQ(dial->stepsBack(), 2u) << "each nudge is a step";

    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    hand = list().front();
    EXPECT_EQ(offset(u"dY"), y);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    hand = list().front();
    EXPECT_EQ(offset(u"dY"), y + 10);

    const std::size_t count = list().size();
    dial->selectOnClock(hand);
    QTest::keyClick(window.get(), Qt::Key_Delete);
    EXPECT_EQ(list().size(), count - 1);
}

TEST_F(CustomizeFromClockTest, EditsAndNewBackgroundsShowInTheNextFrameAtOnce) {
    auto window = startClock();
    const ClockWindowProbe probe(*window);
    probe.runCommand(MenuCommand::Customize);
    COptionsDial* dial = qobject_cast<COptionsDial*>(probe.dialogs().optionsDialog());
    ASSERT_NE(dial, nullptr);
    // Opening selects the body; the element rows are there to edit.
    ClockObject* hand = nullptr;
    for (const auto& child : probe.clock().children()) {
        if (child->isKindOf(ClockHand::kTypeName)) {
            hand = static_cast<ClockObject*>(child.get());
        }
    }
    ASSERT_NE(hand, nullptr);
    COptionTreeItem* colour = nullptr;
    for (COptionTreeItem* row = rowOf(hand)->firstChild(); row != nullptr;
         row = row->nextSibling()) {
        if (row->kindCode() == COptionTreeItem::ColorCode) {
            colour = row;
            break;
        }
    }
    ASSERT_NE(colour, nullptr);
    const int frames = probe.framesDrawn();
    colour->setColor(0x0000FF);
    colour->commit();
    EXPECT_EQ(hand->findChildAs<ColorProperty>(u"Color")->argb() & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(probe.framesDrawn(), frames + 1) << "drawn now, not at the next second";
    EXPECT_FALSE(probe.lastRedrawn().isEmpty());
    EXPECT_TRUE(
        sameOutsideCorners(probe.lastFrame(), wholeFrame(probe.clock(), probe.lastFrame())));

    QImage picture(120, 80, QImage::Format_ARGB32);
    picture.fill(Qt::darkGreen);
    const QString png = folder_.filePath("green.png");
    ASSERT_TRUE(picture.save(png));
    auto* background = probe.clock().findChildAs<FileProperty>(u"BackgroundImage");
    COptionTreeItem* file = nullptr;
    for (COptionTreeItem* row = dial->tree()->rootItem()->firstChild()->firstChild();
         row != nullptr; row = row->nextSibling()) {
        if (row->kindCode() == COptionTreeItem::FileCode) {
            file = row;
        }
    }
    ASSERT_NE(file, nullptr);
    file->setText(png.toStdU16String());
    file->commit();
    EXPECT_EQ(background->valueText(), png.toStdU16String());
    EXPECT_TRUE(sameOutsideCorners(probe.lastFrame(), wholeFrame(probe.clock(), probe.lastFrame())))
        << "the partial redraw noticed the new background";
    EXPECT_EQ(probe.lastFrame().pixelColor(3, probe.lastFrame().height() / 2).green(),
              QColor(Qt::darkGreen).green());
}

// A new element's colour stands out from the background; a background the clock would refuse
// (a progressive JPEG whose scans cost far more than its pixels) is not decoded for it at all
// and gives the colour of no background.
TEST(StandOutColorTest, FarFromTheBackgroundAndNothingDecodedOfAnImageTheClockRefuses) {
    const auto colorOver = [](const QByteArray& bytes) {
        return standOutColor(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size())));
    };
    constexpr std::uint32_t kRed = 0xFFE53935;
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(QColor(230, 30, 40));
    EXPECT_NE(colorOver(image_bombs::encoded(red, "png")), kRed);
    QImage white(32, 32, QImage::Format_ARGB32);
    white.fill(Qt::white);
    EXPECT_NE(colorOver(image_bombs::encoded(white, "png")), 0xFFFFFFFFu);
    EXPECT_EQ(colorOver(image_bombs::jpegScanBomb(4096, 120)), kRed);
    EXPECT_EQ(colorOver(QByteArray("not a picture")), kRed);
}

} // namespace
