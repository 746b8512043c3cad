#include "app/editor/edit_history.h"
#include "clock/clock.h"
#include "clock/scheme_file.h"
#include "model/string_property.h"
#include "resources/default_scheme.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// A distinct scheme each time: the author text carries the number.
void setAuthor(Clock& clock, int number) {
    const std::string digits = std::to_string(number);
    clock.findChildAs<StringProperty>(u"AuthorInfo")
        ->setValue(u"edit " + std::u16string(digits.begin(), digits.end()));
}

std::u16string authorOf(const Clock& clock) {
    return std::u16string(clock.findChildAs<StringProperty>(u"AuthorInfo")->value());
}

// Exactly kMaxSteps edits can be taken back, the oldest going first; a step back and forward
// brings each scheme back, and the scheme counts as saved exactly where it was saved.
TEST(EditHistoryTest, KeepsTheLastStepsAndKnowsTheSavedOne) {
    std::unique_ptr<Clock> clock = readDefaultScheme();
    ASSERT_NE(clock, nullptr);
    EditHistory history;
    history.start(*clock);
    EXPECT_TRUE(history.isSaved());
    const int edits = static_cast<int>(EditHistory::kMaxSteps) + 1;
    for (int i = 1; i <= edits; ++i) {
        setAuthor(*clock, i);
        history.record(*clock);
    }
    EXPECT_FALSE(history.isSaved());
    EXPECT_EQ(history.stepsBack(), EditHistory::kMaxSteps);
    // The same scheme again makes no step.
    history.record(*clock);
    EXPECT_EQ(history.stepsBack(), EditHistory::kMaxSteps);

    const Clock* step = history.back();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(authorOf(*step), u"edit 200");
    EXPECT_EQ(history.stepsForward(), 1u);
    step = history.forward();
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(authorOf(*step), u"edit 201");
    EXPECT_EQ(history.forward(), nullptr);

    history.markSaved(*clock);
    EXPECT_TRUE(history.isSaved());
    step = history.back();
    EXPECT_FALSE(history.isSaved());
    step = history.forward();
    EXPECT_TRUE(history.isSaved()) << "back at the saved scheme";
    // A new edit after a step back drops the steps forward.
    history.back();
    setAuthor(*clock, 999);
    history.record(*clock);
    EXPECT_EQ(history.stepsForward(), 0u);
}

} // namespace
