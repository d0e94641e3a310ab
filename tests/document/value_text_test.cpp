// The Data-column text and image of each value type, as the listing, the
// edits and the data search all show them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/CBrackwellDoc.h"
#include "tests/document/temporary_registry.h"

namespace {

struct ValueTextCase {
    const char* fault;
    DWORD type;
    std::vector<BYTE> data;
    std::u16string text;
    int image;
};

using brackwell::testing::Utf16;

class ValueTextTest : public ::testing::TestWithParam<ValueTextCase> {};

TEST_P(ValueTextTest, ShowsTextAndImageOfType) {
    const ValueTextCase& c = GetParam();
    const ValueDisplay shown =
        CBrackwellDoc::DescribeValue(c.type, c.data.data(), DWORD(c.data.size()));
    EXPECT_EQ(c.text, shown.strText.str());
    EXPECT_EQ(c.image, shown.nImage);
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, ValueTextTest,
    ::testing::Values(
        ValueTextCase{"StringStopsAtTerminator", REG_SZ,
                      Utf16(std::u16string_view(u"abc\0zz", 6)), u"abc", 0},
        ValueTextCase{"StringWithoutTerminatorReadsToEnd", REG_SZ, Utf16(u"abc"), u"abc", 0},
        ValueTextCase{"StringOddTrailingByteIgnored", REG_SZ, {'a', 0, 'b'}, u"a", 0},
        ValueTextCase{"EmptyStringData", REG_SZ, {}, u"", 0},
        ValueTextCase{"MultiStringShowsFirstStringOnly", REG_MULTI_SZ,
                      Utf16(std::u16string_view(u"a\0b\0\0", 5)), u"a", 1},
        ValueTextCase{"EmptyMultiString", REG_MULTI_SZ, Utf16(std::u16string_view(u"\0\0", 2)),
                      u"", 1},
        ValueTextCase{"NumberAllBitsSetIsMinusOne", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, u"-1", 2},
        ValueTextCase{"NumberIsLittleEndian", REG_DWORD, {0x01, 0x02, 0x00, 0x00}, u"513", 2},
        ValueTextCase{"ShortNumberReadsNoStaleBytes", REG_DWORD, {0x07}, u"7", 2},
        ValueTextCase{"BinaryShowsFirstFourBytesOnly", REG_BINARY,
                      {0x01, 0xAB, 0x00, 0xFF, 0x10}, u"01 AB 00 FF ", 3},
        ValueTextCase{"BinaryShorterThanFour", REG_BINARY, {0x00, 0x01, 0x02}, u"00 01 02 ", 3},
        ValueTextCase{"EmptyBinary", REG_BINARY, {}, u"", 3},
        ValueTextCase{"ExpandStringShownAsTextWithOtherImage", REG_EXPAND_SZ,
                      Utf16(std::u16string_view(u"%PATH%\0", 7)), u"%PATH%", 4},
        ValueTextCase{"UntypedDataShownAsText", REG_NONE, Utf16(u"x"), u"x", 4}),
    [](const ::testing::TestParamInfo<ValueTextCase>& info) { return info.param.fault; });

// The search's text rule, for ASCII text compared in place and for text that
// is upper-cased first (a non-ASCII letter whose upper case is ASCII).
TEST(MatchTextTest, IgnoresCaseInSubstringAndWholeMode) {
    struct Case {
        const char16_t* find;
        const char16_t* candidate;
        BOOL whole;
        BOOL matches;
    };
    for (const Case& c : std::vector<Case>{{u"abc", u"xABCy", FALSE, TRUE},
                                           {u"abc", u"xABCy", TRUE, FALSE},
                                           {u"ABC", u"abc", TRUE, TRUE},
                                           {u"abcd", u"abc", FALSE, FALSE},
                                           {u"abc", u"abcd", TRUE, FALSE},
                                           {u"", u"", FALSE, TRUE},
                                           {u"", u"x", FALSE, TRUE},
                                           {u"", u"", TRUE, TRUE},
                                           {u"", u"x", TRUE, FALSE},
                                           {u"s", u"\u017f", FALSE, TRUE},
                                           {u"\u00e9t\u00e9", u"\u00c9T\u00c9", TRUE, TRUE},
                                           {u"\u00e9", u"e", FALSE, FALSE},
                                           {u"a\u00e9", u"A\u00c9", TRUE, TRUE},
                                           {u"a\u00e9", u"xA\u00c9", FALSE, TRUE},
                                           {u"ab", u"xAc\u00e9", FALSE, FALSE},
                                           {u"[a]", u"x[A]", FALSE, TRUE}})
        EXPECT_EQ(c.matches, CBrackwellDoc::MatchText(c.find, c.candidate, c.whole))
            << std::u16string(c.find).size() << " in " << std::u16string(c.candidate).size()
            << " whole " << c.whole;
}

}  // namespace
