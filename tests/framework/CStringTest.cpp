#include <gtest/gtest.h>

#include "framework/CString.h"
#include "framework/CStringList.h"

namespace {

struct FormatRow {
    const char* fault;
    CString (*format)();
    const char16_t* expected;
};

template <typename... Args>
CString Fmt(LPCWSTR format, const Args&... args) {
    CString s;
    s.Format(format, args...);
    return s;
}

class FormatTest : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatTest, MatchesPrintf) { EXPECT_EQ(GetParam().format(), CString(GetParam().expected)); }

INSTANTIATE_TEST_SUITE_P(
    CString, FormatTest,
    testing::Values(
        FormatRow{"DwordShownSigned", [] { return Fmt(u"%d", DWORD(0xFFFFFFFF)); }, u"-1"},
        FormatRow{"IntMinimum", [] { return Fmt(u"%d", int(0x80000000u)); }, u"-2147483648"},
        FormatRow{"Zero", [] { return Fmt(u"%d/%X", 0, 0u); }, u"0/0"},
        FormatRow{"ByteAsTwoUpperHexDigits", [] { return Fmt(u"%02X ", BYTE(0x0A)); }, u"0A "},
        FormatRow{"WideValueKeepsAllHexDigits", [] { return Fmt(u"%02X", 0x1FFu); }, u"1FF"},
        FormatRow{"HexLowerAndUpper", [] { return Fmt(u"%x/%X", 255, 255); }, u"ff/FF"},
        FormatRow{"SizeLabelHex", [] { return Fmt(u"Size: %Xh", 16); }, u"Size: 10h"},
        FormatRow{"UnsignedFromNegative", [] { return Fmt(u"%u", -1); }, u"4294967295"},
        FormatRow{"WidthPadsLeft", [] { return Fmt(u"[%5d]", 42); }, u"[   42]"},
        FormatRow{"MinusFlagPadsRight", [] { return Fmt(u"[%-4X]", 171); }, u"[AB  ]"},
        FormatRow{"ZeroPadAfterSign", [] { return Fmt(u"%05d", -42); }, u"-0042"},
        FormatRow{"Percent", [] { return Fmt(u"%d%%", 5); }, u"5%"},
        FormatRow{"MissingArgumentDoesNotCrash", [] { return Fmt(u"%d %X"); }, u"0 0"},
        FormatRow{"UnknownConversionKept", [] { return Fmt(u"%s %d", 1); }, u"%s 1"},
        FormatRow{"LoneTrailingPercentKept", [] { return Fmt(u"50%"); }, u"50%"}),
    [](const testing::TestParamInfo<FormatRow>& info) { return info.param.fault; });

TEST(CString, MakeUpperMapsNonAsciiAndKeepsLength) {
    CString s(u"stra\u00dfe \u00e9t\u00e9 \u0434\u043e\u043c \U00010428");  // ß has no one-character upper case
    s.MakeUpper();
    EXPECT_EQ(s, CString(u"STRA\u00dfE \u00c9T\u00c9 \u0414\u041e\u041c \U00010400"));
}

TEST(CString, CompareNoCaseFoldsUnicodeAndOrders) {
    EXPECT_EQ(CString(u"\u00c9t\u00e9").CompareNoCase(u"\u00e9T\u00c9"), 0);
    EXPECT_LT(CString(u"abc").CompareNoCase(u"ABD"), 0);
    EXPECT_GT(CString(u"abcd").CompareNoCase(u"ABC"), 0);
    EXPECT_NE(CString(u"a").Compare(u"A"), 0);
}

TEST(CString, FindAndSubstringsStayInRange) {
    const CString s(u"Software\\Apps");
    EXPECT_EQ(s.Find(u'\\'), 8);
    EXPECT_EQ(s.Find(u"Apps", 9), 9);
    EXPECT_EQ(s.Find(u"Apps", 10), -1);
    EXPECT_EQ(s.Find(u'x', 100), -1);
    EXPECT_EQ(s.Left(8), CString(u"Software"));
    EXPECT_EQ(s.Mid(9), CString(u"Apps"));
    EXPECT_EQ(s.Mid(9, 100), CString(u"Apps"));
    EXPECT_EQ(s.Mid(50), CString());
    EXPECT_EQ(s.Left(-1), CString());
}

TEST(CStringList, KeepsOrderAndEmptyElements) {
    CStringList list;
    list.AddTail(u"a");
    list.AddTail(u"");
    list.AddTail(u"b");
    ASSERT_EQ(list.GetCount(), 3);
    std::u16string joined;
    for (POSITION pos = list.GetHeadPosition(); pos;) joined += list.GetNext(pos).str() + u"|";
    EXPECT_EQ(joined, u"a||b|");
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail(u"c");  // usable again after RemoveAll
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(list.GetNext(pos), CString(u"c"));
    EXPECT_EQ(pos, nullptr);
}

}  // namespace
