// Facts about the console dialogue: which entries are numbers, and what the user
// sees when one is not.
#include "dialogue/dialogue.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace zelm {
namespace {

TEST(Entry, NumbersWrittenWithADecimalPoint) {
    const struct {
        const char* token;
        float value;
    } accepted[] = {
        {"30", 30.0F},
        {"2.5", 2.5F},
        {"-5", -5.0F},
        {"+20.", 20.0F},
        {".15E1", 1.5F},
        {"1e0", 1.0F},
        {"0.1", 0.1F},
        {"1.5e-3", 0.0015F},
        {"-0", -0.0F},
        {"007", 7.0F},
        {"3.4028234e38", 3.4028234e38F},
        {"1e-40", 1e-40F},
    };
    for (const auto& entry : accepted) {
        const auto value = parse_entry(entry.token);
        ASSERT_TRUE(value.has_value()) << entry.token;
        EXPECT_EQ(*value, entry.value) << entry.token;
    }
}

TEST(Entry, AnythingElseIsRefused) {
    for (const char* token :
         {"2,5", "abc", "2.5x", "inf", "-inf", "nan", "NAN", "infinity", "0x10", "1e39", "-1e39",
          "1e",  "1e+", ".",    "-",   "+",    "",    "e5",  "1.2.3",    "--1",  "1 ",   "٣"}) {
        EXPECT_FALSE(parse_entry(token).has_value()) << '"' << token << '"';
    }
}

constexpr const char* prompts[] = {
    "\tFriction angle \t\t[degree] :",    "\n\tCohesion \t\t[Tn/m2]\t:", "\n\tDensity  \t\t[Tn/m3]\t:",
    "\n\tHeight of the talus \t  [m]\t:", "\n\tDefinition \t\t  [m]\t:", "\n\tSecurity Factor \t\t  [m]\t:",
};

TEST(Dialogue, SixPromptsInOrderEntriesOnAnyLines) {
    std::istringstream in("30 2\n2.5\n\n  20\t1 1.5");
    std::ostringstream out;
    const auto inputs = read_inputs(in, out);
    ASSERT_TRUE(inputs.has_value());
    EXPECT_EQ(inputs->friction_angle, 30.0F);
    EXPECT_EQ(inputs->cohesion, 2.0F);
    EXPECT_EQ(inputs->density, 2.5F);
    EXPECT_EQ(inputs->height, 20.0F);
    EXPECT_EQ(inputs->definition, 1.0F);
    EXPECT_EQ(inputs->security_factor, 1.5F);
    std::string expected;
    for (const char* prompt : prompts) {
        expected += prompt;
    }
    EXPECT_EQ(out.str(), expected);
}

TEST(Dialogue, ARefusedEntryIsExplainedAndAskedAgain) {
    std::istringstream in("30 2,5 2 2.5 20 1 1.5");
    std::ostringstream out;
    const auto inputs = read_inputs(in, out);
    ASSERT_TRUE(inputs.has_value());
    EXPECT_EQ(inputs->cohesion, 2.0F);
    EXPECT_EQ(inputs->density, 2.5F);  // the refused "2,5" shifts nothing
    EXPECT_EQ(out.str(), std::string(prompts[0]) + prompts[1] + std::string(bad_entry_message) + prompts[1] +
                             prompts[2] + prompts[3] + prompts[4] + prompts[5]);
}

TEST(Dialogue, InputEndingEarlyGivesNoValues) {
    for (const char* text : {"", "30 2 2.5 20 1", "30 2 2.5 20 1 abc", "  \n"}) {
        std::istringstream in(text);
        std::ostringstream out;
        EXPECT_FALSE(read_inputs(in, out).has_value()) << text;
    }
}

}  // namespace
}  // namespace zelm
