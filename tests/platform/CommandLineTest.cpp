// The Windows command-line rules: splitting, and quoting that splitting undoes exactly.
#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kestrune::platform {
namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, SplitsByBlanksQuotesAndBackslashRules) {
    const struct {
        const char* line;
        Arguments arguments;
    } cases[] = {
        {"", {}},
        {" \t ", {}},
        {"lame  --nohist \t -m s ", {"lame", "--nohist", "-m", "s"}},
        {"lame -e n-s --silent", {"lame", "-e", "n-s", "--silent"}},
        {"p \"a b\" c\"d e\"f", {"p", "a b", "cd ef"}},
        {"p \"\" x \"\"", {"p", "", "x", ""}},
        {"p a\\b \\\\server\\share", {"p", "a\\b", "\\\\server\\share"}},
        {"p a\\\"b", {"p", "a\"b"}},
        {"p a\\\\\"b c\"", {"p", "a\\b c"}},
        {"p a\\\\\\\"b", {"p", "a\\\"b"}},
        {"p \"C:\\dir\\\" x", {"p", "C:\\dir\" x"}},
        {"p \"C:\\dir\\\\\" x", {"p", "C:\\dir\\", "x"}},
        {"p \"a\"\"b\" c", {"p", "a\"b", "c"}},
        {"p \"open to the end", {"p", "open to the end"}},
        // The program name follows the same rules.
        {"\"C:\\Program Files\\LAME.EXE\" -x", {"C:\\Program Files\\LAME.EXE", "-x"}},
        {"\"/opt/Кодек \\\"LAME\\\"/lame\" -x", {"/opt/Кодек \"LAME\"/lame", "-x"}},
        {"C:\\LAME\\ -x", {"C:\\LAME\\", "-x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(SplitCommandLine(c.line), c.arguments);
    }
}

TEST(CommandLine, QuotedArgumentSplitsBackToItselfAlone) {
    for (const std::string value :
         {"", "plain", "two words", "say \"hi\"", "\"", "\\", "C:\\dir\\", "a\\\\\"b\\",
          "\" --foo \"", "\\\" -o /etc/passwd \\\"", "Песня \"Ночь\"\t\\"}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(SplitCommandLine("p " + QuoteArgument(value) + " next"),
                  (Arguments{"p", value, "next"}));
    }
}

TEST(CommandLine, AnyTextOfQuotesBackslashesAndBlanksSurvivesQuoting) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, 5);
    constexpr char kAlphabet[] = {'"', '\\', ' ', '\t', 'a', '-'};
    for (int round = 0; round < 20000; ++round) {
        std::string value;
        for (std::size_t n = length(random); n > 0; --n) {
            value.push_back(kAlphabet[pick(random)]);
        }
        ASSERT_EQ(SplitCommandLine("p " + QuoteArgument(value) + " " + QuoteArgument(value)),
                  (Arguments{"p", value, value}))
            << QuoteArgument(value);
    }
}

TEST(CommandLine, QuotingOnlyEnclosesTextWithoutQuotesOrTrailingBackslashes) {
    for (const std::string value : {"", "a b", "C:\\Music\\a.b.mp3", "\\\\server\\x", "Ёлка"}) {
        EXPECT_EQ(QuoteArgument(value), "\"" + value + "\"");
    }
}

}  // namespace
}  // namespace kestrune::platform
