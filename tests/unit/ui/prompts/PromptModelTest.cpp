// The information message's memo lines.
#include <gtest/gtest.h>

#include "ui/prompts/PromptModel.h"

namespace {

using Lines = std::vector<std::string>;

TEST(FillInfoMemo, OnlyLineFeedsEndLines) {
    struct Case {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {""}},
        {"a", {"a"}},
        {"a\nb", {"a", "b"}},
        {"a\rb", {"a\rb"}},
        {"a\r\nb", {"a\r", "b"}},
        {"a\n", {"a", ""}},
        {"\n", {"", ""}},
        {"\n\n", {"", "", ""}},
        {std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
    };
    for (const Case& c : cases) EXPECT_EQ(FillInfoMemo(c.text), c.lines) << c.text;
}

TEST(InfoMemoDisplayText, JoinsWithCrLfAndHidesCarriageReturns) {
    EXPECT_EQ(InfoMemoDisplayText({""}), "");
    EXPECT_EQ(InfoMemoDisplayText({"a", "b"}), "a\r\nb");
    EXPECT_EQ(InfoMemoDisplayText({"a\r", "b"}), "a\r\nb");
    EXPECT_EQ(InfoMemoDisplayText({"a\rb"}), "a b");
    EXPECT_EQ(InfoMemoDisplayText({"a", ""}), "a\r\n");
}

}  // namespace
