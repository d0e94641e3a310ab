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

}  // namespace
