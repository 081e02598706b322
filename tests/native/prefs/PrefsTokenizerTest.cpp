#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prefs/PrefsTokenizer.h"

namespace {

// Every token up to exhaustion, the lost final token included as "".
std::vector<std::string> TokensOf(std::string_view text) {
    PrefsTokenizer tokens(text);
    std::vector<std::string> all;
    while (!tokens.Exhausted())
        all.emplace_back(tokens.NextToken());
    return all;
}

using Tokens = std::vector<std::string>;

}  // namespace

TEST(PrefsTokenizer, SplitsAtWhitespaceAndMakesEachDelimiterAToken) {
    EXPECT_EQ(TokensOf("vtl_prefs = {\n  ab: \"cd\",\n  ef: \"g\"};\n"),
              (Tokens{"vtl_prefs", "=", "{", "ab", ":", "\"cd\"", ",", "ef", ":", "\"g\"", "}", ";", ""}));
    // The delimiter that ends a token is the first byte of the next call.
    EXPECT_EQ(TokensOf("ab:cd,{}\t\v\f\r x "), (Tokens{"ab", ":", "cd", ",", "{", "}", "x", ""}));
    EXPECT_EQ(TokensOf(""), (Tokens{""}));
    EXPECT_EQ(TokensOf(" \r\n\t"), (Tokens{""}));
}

TEST(PrefsTokenizer, AFinalTokenWithNoDelimiterAfterItIsLost) {
    PrefsTokenizer tokens("ab cd");
    EXPECT_EQ(tokens.NextToken(), "ab");
    EXPECT_FALSE(tokens.Exhausted());
    EXPECT_EQ(tokens.NextToken().size(), 0u);
    EXPECT_TRUE(tokens.Exhausted());
    // An exhausted cursor stays exhausted.
    EXPECT_EQ(tokens.NextToken().size(), 0u);
    EXPECT_TRUE(tokens.Exhausted());
}

TEST(PrefsTokenizer, QuotedRunsHoldDelimitersWhereverTheyOpen) {
    EXPECT_EQ(TokensOf("\"a, b: {c}\" "), (Tokens{"\"a, b: {c}\"", ""}));
    EXPECT_EQ(TokensOf("x'y z'w:"), (Tokens{"x'y z'w", ":", ""}));
    // The other quote character is ordinary inside a run.
    EXPECT_EQ(TokensOf("\"it's\" 'say \"hi\"' "), (Tokens{"\"it's\"", "'say \"hi\"'", ""}));
    // A run that the text ends inside takes the token with it.
    EXPECT_EQ(TokensOf("ab \"cd, ef}\n"), (Tokens{"ab", ""}));
}

TEST(PrefsTokenizer, BackslashInsideAQuotedRunEscapesTheNextByte) {
    EXPECT_EQ(TokensOf("\"a\\\"b\" c "), (Tokens{"\"a\\\"b\"", "c", ""}));
    EXPECT_EQ(TokensOf("\"a\\\\\" c "), (Tokens{"\"a\\\\\"", "c", ""}));
    // Outside a run a backslash is an ordinary byte.
    EXPECT_EQ(TokensOf("a\\ b\\\"c d\" "), (Tokens{"a\\", "b\\\"c d\"", ""}));
    // An escaped closing quote leaves the run open to the end of the text.
    EXPECT_EQ(TokensOf("\"C:\\dir\\\" next "), (Tokens{""}));
}

TEST(PrefsTokenizer, HighBytesAreNeverWhitespace) {
    EXPECT_EQ(TokensOf("\xA0" "a\x85 \xFF,"), (Tokens{"\xA0" "a\x85", "\xFF", ",", ""}));
}
