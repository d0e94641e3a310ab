// Reading a multi-string value into the lines the modify dialog shows: what
// it reads is what OK writes back, so every string must arrive whole.
#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "document/CBrackwellDoc.h"
#include "framework/CStringList.h"
#include "tests/document/temporary_registry.h"

namespace brackwell::testing {
namespace {

// Version 5 keeps hex(7) bytes as UTF-16, as written here.
constexpr std::string_view kRegistry =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Lists]\n"
    "\"TwoStrings\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
    "\"EmptyInside\"=hex(7):61,00,00,00,00,00,62,00,00,00,00,00\n"
    "\"EmptyList\"=hex(7):00,00,00,00\n"
    "\"SingleNul\"=hex(7):00,00\n"
    "\"NoData\"=hex(7):\n"
    "\"ListNulMissing\"=hex(7):61,00,00,00,62,00,00,00\n"
    "\"NoNulAtAll\"=hex(7):61,00,62,00\n";

struct ReadCase {
    const char* name;  // also the value's name
    std::vector<std::u16string> strings;
};

class ListsKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ("", registry_.error());
        object_.reset(RUNTIME_CLASS(CBrackwellDoc)->CreateObject());
        doc_ = static_cast<CBrackwellDoc*>(object_.get());
        doc_->LoadValues(HKEY_LOCAL_MACHINE, u"Lists", -1);
    }

    TemporaryRegistry registry_{kRegistry};
    std::unique_ptr<CObject> object_;
    CBrackwellDoc* doc_ = nullptr;
};

class ReadMultiStringTest : public ListsKeyTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadMultiStringTest, EveryStringArrivesWhole) {
    CStringList list;
    const QString name = QString::fromUtf8(GetParam().name);
    ASSERT_TRUE(doc_->ReadMultiString(CString::FromQString(name), list));
    std::vector<std::u16string> strings;
    for (POSITION pos = list.GetHeadPosition(); pos;) strings.push_back(list.GetNext(pos).str());
    EXPECT_EQ(GetParam().strings, strings);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ReadMultiStringTest,
    ::testing::Values(ReadCase{"TwoStrings", {u"a", u"b"}},
                      ReadCase{"EmptyInside", {u"a", u"", u"b"}},
                      ReadCase{"EmptyList", {u""}},
                      ReadCase{"SingleNul", {}},
                      ReadCase{"NoData", {}},
                      // Written by another program without the closing NULs.
                      ReadCase{"ListNulMissing", {u"a", u"b"}},
                      ReadCase{"NoNulAtAll", {u"ab"}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST_F(ListsKeyTest, MissingValueReadsNothing) {
    CStringList list;
    EXPECT_FALSE(doc_->ReadMultiString(u"Absent", list));
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
}  // namespace brackwell::testing
