// The document's selection and the search cursor it moves.
#include <gtest/gtest.h>

#include <memory>

#include "document/CBrackwellDoc.h"
#include "document/SearchCursor.h"

namespace {

HTREEITEM SomeItem() { return reinterpret_cast<HTREEITEM>(std::uintptr_t{42}); }

struct CursorCase {
    const char* fault;
    HTREEITEM item;
    int row;
    int cursorBefore;
    int cursorAfter;
};

class SelectionCursorTest : public ::testing::TestWithParam<CursorCase> {
protected:
    void TearDown() override { g_nFoundValue = -1; }
};

TEST_P(SelectionCursorTest, MovesCursorOnlyAfterValueMatch) {
    const CursorCase& c = GetParam();
    std::unique_ptr<CObject> object(RUNTIME_CLASS(CBrackwellDoc)->CreateObject());
    auto* doc = static_cast<CBrackwellDoc*>(object.get());
    g_nFoundValue = c.cursorBefore;
    doc->SetSelection(c.item, c.row);
    EXPECT_EQ(c.item, doc->m_hCurrentItem);
    EXPECT_EQ(c.row, doc->m_nCurrentValue);
    EXPECT_EQ(c.cursorAfter, g_nFoundValue);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SelectionCursorTest,
    ::testing::Values(
        CursorCase{"KeySelectionKeepsCursor", SomeItem(), -1, 3, 3},
        CursorCase{"ValueTapWithoutEarlierMatchKeepsCursorUnset", nullptr, 5, -1, -1},
        CursorCase{"ValueTapAfterMatchMovesCursor", nullptr, 5, 0, 5},
        CursorCase{"EarlierValueTapMovesCursorBack", nullptr, 1, 4, 1},
        CursorCase{"ClearingSelectionKeepsCursor", nullptr, -1, 2, 2}),
    [](const ::testing::TestParamInfo<CursorCase>& info) { return info.param.fault; });

TEST(BrackwellDocTest, StartsWithNothingSelectedAndCreatesByRuntimeClass) {
    EXPECT_STREQ("CBrackwellDoc", RUNTIME_CLASS(CBrackwellDoc)->m_lpszClassName);
    std::unique_ptr<CObject> object(RUNTIME_CLASS(CBrackwellDoc)->CreateObject());
    auto* doc = dynamic_cast<CBrackwellDoc*>(object.get());
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(nullptr, doc->m_hCurrentItem);
    EXPECT_EQ(-1, doc->m_nCurrentValue);
    EXPECT_TRUE(doc->m_strKeyPath.IsEmpty());
    EXPECT_EQ(-1, g_nFoundValue);
    EXPECT_EQ(nullptr, g_hFoundKeyItem);
}

}  // namespace
