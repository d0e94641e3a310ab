// The binary value editor: bytes as labels, Insert, Append, Delete, label
// edits, and the buffer handed back.

#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dialogs/CBinaryDlg.h"
#include "framework/aygshell.h"
#include "resources/resource.h"
#include "tests/dialogs/dialog_test.h"

namespace brackwell::testing {
namespace {

using Bytes = std::vector<BYTE>;
using Labels = std::vector<QString>;

// What the editor shows: the labels, the selected byte and the two counters.
struct Shown {
    Labels labels;
    int selected;
    QString size;
    QString offset;
    friend bool operator==(const Shown&, const Shown&) = default;
};

void PrintTo(const Shown& shown, std::ostream* os) {
    *os << "[" << shown.labels.size() << " bytes:";
    for (const QString& label : shown.labels) *os << ' ' << label.toStdString();
    *os << "] selected " << shown.selected << ", " << shown.size.toStdString() << ", "
        << shown.offset.toStdString();
}

Shown Show(const CDialog& dlg) {
    return {ByteLabels(dlg), SelectedByte(dlg), Text(dlg, IDC_SIZE), Text(dlg, IDC_OFFSET)};
}

class BinaryDialog : public DialogTest {
protected:
    // Opens the editor on bytes, lets the person act, presses Cancel unless
    // the person ended the dialog; returns what the editor showed at the end.
    Shown Edit(Bytes bytes, const std::function<void(CDialog&)>& person) {
        m_bytes = std::move(bytes);
        m_dlg = std::make_unique<CBinaryDlg>(u"Modify binary value", u"Blob",
                                             m_bytes.empty() ? nullptr : m_bytes.data(), DWORD(m_bytes.size()));
        Shown shown;
        m_result = RunDialog(*m_dlg, [&](CDialog& live) {
            person(live);
            shown = Show(live);
            if (live.IsWindowVisible()) PressCancel(live);
        });
        return shown;
    }

    Bytes m_bytes;
    std::unique_ptr<CBinaryDlg> m_dlg;
    INT_PTR m_result = 0;
};

void Nothing(CDialog&) {}

TEST_F(BinaryDialog, OpensOnTheBytesWithTheLastSelected) {
    EXPECT_EQ(Edit({}, Nothing), (Shown{{}, -1, "Size: 0h", "Offset: 0h"}));
    EXPECT_EQ(Edit({0x01, 0x02, 0x03}, Nothing), (Shown{{"01", "02", "03"}, 2, "Size: 3h", "Offset: 2h"}));
    const Shown sixteen = Edit(Bytes(16, 0xAB), Nothing);
    EXPECT_EQ(sixteen.size, "Size: 10h");
    EXPECT_EQ(sixteen.offset, "Offset: Fh");
}

TEST_F(BinaryDialog, ALengthWithoutDataShowsNoBytes) {
    CBinaryDlg dlg(u"Enter new binary value", u"", nullptr, 4);
    Shown shown;
    EXPECT_EQ(RunDialog(dlg,
                        [&shown](CDialog& live) {
                            shown = Show(live);
                            PressOk(live);
                        }),
              IDOK);
    EXPECT_EQ(shown, (Shown{{}, -1, "Size: 0h", "Offset: 0h"}));
    EXPECT_EQ(dlg.m_pData, nullptr);
    EXPECT_EQ(dlg.m_nLength, 0u);
}

TEST_F(BinaryDialog, OpensAtItsTemplateSizeWithTheFocusOnTheBytes) {
    for (bool sipUp : {false, true}) {
        SHSipPreference(nullptr, sipUp ? SIP_UP : SIP_DOWN);
        QSize opened;
        int focused = 0;
        Edit({0x01}, [&](CDialog& live) {
            opened = live.m_hWnd->size();
            focused = FocusedId(live);
        });
        RECT size{0, 0, 143, 154};
        m_dlg->MapDialogRect(&size);
        EXPECT_EQ(opened, QSize(size.right, size.bottom)) << "the editor is not full screen";
        EXPECT_EQ(focused, IDC_VALUE);
        EXPECT_EQ(AfxIsSipUp(), sipUp) << "the editor changed the input panel";
    }
}

TEST_F(BinaryDialog, AGivenNameIsReadOnly) {
    bool readOnly = false;
    Edit({}, [&](CDialog& live) { readOnly = IsReadOnly(live, IDC_NAME); });
    EXPECT_TRUE(readOnly);

    CBinaryDlg fresh(u"Enter new binary value", u"", nullptr, 0);
    RunDialog(fresh, [&](CDialog& live) {
        readOnly = IsReadOnly(live, IDC_NAME);
        PressCancel(live);
    });
    EXPECT_FALSE(readOnly);
}

// Insert, Append and Delete, each after a tap on a byte or beside them.
constexpr int kBeside = -1;

struct ButtonCase {
    const char* fault;
    Bytes bytes;
    int tapped;  // the byte tapped first, or kBeside to select nothing
    int button;
    Shown after;
    friend void PrintTo(const ButtonCase& row, std::ostream* os) { *os << row.fault; }
};

class ByteButton : public BinaryDialog, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ByteButton, LeavesTheseBytes) {
    const ButtonCase& row = GetParam();
    EXPECT_EQ(Edit(row.bytes,
                   [&row](CDialog& live) {
                       if (row.tapped == kBeside) {
                           TapBesideBytes(live);
                           EXPECT_EQ(SelectedByte(live), -1);
                       } else {
                           TapByte(live, row.tapped);
                       }
                       Tap(live, row.button);
                   }),
              row.after);
}

const Bytes k123{0x01, 0x02, 0x03};

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ByteButton,
    ::testing::Values(
        ButtonCase{"InsertIntoNothing", {}, kBeside, IDC_INSERT, {{"00"}, 0, "Size: 1h", "Offset: 0h"}},
        ButtonCase{"AppendToNothing", {}, kBeside, IDC_APPEND, {{"00"}, 0, "Size: 1h", "Offset: 0h"}},
        ButtonCase{"InsertGoesBeforeTheSelectedByte", k123, 1, IDC_INSERT,
                   {{"01", "00", "02", "03"}, 1, "Size: 4h", "Offset: 1h"}},
        ButtonCase{"InsertWithNothingSelectedGoesFirst", k123, kBeside, IDC_INSERT,
                   {{"00", "01", "02", "03"}, 0, "Size: 4h", "Offset: 0h"}},
        ButtonCase{"AppendGoesLastWhateverIsSelected", k123, 0, IDC_APPEND,
                   {{"01", "02", "03", "00"}, 3, "Size: 4h", "Offset: 3h"}},
        ButtonCase{"DeleteWithNothingSelectedKeepsEveryByte", k123, kBeside, IDC_DELETE,
                   {{"01", "02", "03"}, -1, "Size: 3h", "Offset: 2h"}},
        ButtonCase{"DeleteRemovesTheSelectedByteAndTheSelection", k123, 1, IDC_DELETE,
                   {{"01", "03"}, -1, "Size: 2h", "Offset: 0h"}}),
    [](const ::testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.fault); });

struct LabelEdit {
    const char* fault;
    const char* typed;
    const char* label;  // the byte's label afterwards
    friend void PrintTo(const LabelEdit& row, std::ostream* os) { *os << '"' << row.typed << '"'; }
};

class ByteLabelEdit : public BinaryDialog, public ::testing::WithParamInterface<LabelEdit> {};

TEST_P(ByteLabelEdit, TypedTextBecomesThisLabel) {
    const Shown shown = Edit({0x01, 0x02, 0x03}, [](CDialog& live) {
        EditByteLabel(live, 1, QString::fromLatin1(GetParam().typed));
    });
    EXPECT_EQ(shown.labels, (Labels{"01", QString::fromLatin1(GetParam().label), "03"}));
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ByteLabelEdit,
    ::testing::Values(LabelEdit{"OneDigitGetsALeadingZero", "a", "0A"},
                      LabelEdit{"PrefixAndLowerCase", "0x1f", "1F"},
                      LabelEdit{"BlanksBeforeTheNumber", "  ff", "FF"},
                      LabelEdit{"ReadingStopsAtTheFirstNonDigit", "7g", "07"},
                      LabelEdit{"NoNumber", "zz", "02"},
                      LabelEdit{"EmptyText", "", "02"},
                      LabelEdit{"AboveFFWasCutToItsLowByte", "1ff", "02"},
                      LabelEdit{"NegativeWrapsAboveFF", "-1", "02"},
                      LabelEdit{"ManyDigitsOverflowed", "100000000000000000001", "02"}),
    [](const ::testing::TestParamInfo<LabelEdit>& info) { return std::string(info.param.fault); });

TEST_F(BinaryDialog, ACancelledLabelEditChangesNothing) {
    const Shown shown = Edit({0x01, 0x02, 0x03}, [](CDialog& live) {
        EditByteLabel(live, 1, QStringLiteral("ee"), false);
    });
    EXPECT_EQ(shown.labels, (Labels{"01", "02", "03"}));
}

TEST_F(BinaryDialog, OkHandsBackANewBufferOfExactlyTheBytes) {
    Edit({0x01, 0xAB, 0x00, 0xFF, 0x10}, [](CDialog& live) {
        EditByteLabel(live, 0, QStringLiteral("7f"));
        TapByte(live, 2);
        Tap(live, IDC_INSERT);
        PressOk(live);
    });
    ASSERT_EQ(m_result, IDOK);
    ASSERT_NE(m_dlg->m_pData, nullptr);
    EXPECT_NE(m_dlg->m_pData, m_bytes.data());
    const std::unique_ptr<BYTE[]> returned(m_dlg->m_pData);
    EXPECT_EQ(Bytes(returned.get(), returned.get() + m_dlg->m_nLength), (Bytes{0x7F, 0xAB, 0x00, 0x00, 0xFF, 0x10}));
    EXPECT_EQ(m_bytes, (Bytes{0x01, 0xAB, 0x00, 0xFF, 0x10})) << "the caller's bytes were written to";
}

TEST_F(BinaryDialog, OkWithNoBytesHandsBackNoBuffer) {
    Edit({0x42}, [](CDialog& live) {
        TapByte(live, 0);
        Tap(live, IDC_DELETE);
        PressOk(live);
    });
    ASSERT_EQ(m_result, IDOK);
    EXPECT_EQ(m_dlg->m_pData, nullptr);
    EXPECT_EQ(m_dlg->m_nLength, 0u);
}

// The largest value the registry holds, changed at its first and last byte
// and grown at both ends.
TEST_F(BinaryDialog, AMegabyteValueEditedAtBothEnds) {
    Bytes bytes(1024 * 1024);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = BYTE(i * 31 + 7);
    const int last = int(bytes.size()) - 1;
    QString size, offset;
    Edit(bytes, [&](CDialog& live) {
        EXPECT_EQ(SelectedByte(live), last);
        EditByteLabel(live, 0, QStringLiteral("aa"));
        EditByteLabel(live, last, QStringLiteral("bb"));
        Tap(live, IDC_APPEND);
        TapByte(live, 0);
        Tap(live, IDC_INSERT);
        size = Text(live, IDC_SIZE);
        offset = Text(live, IDC_OFFSET);
        PressOk(live);
    });
    EXPECT_EQ(size, "Size: 100002h");
    EXPECT_EQ(offset, "Offset: 0h");
    ASSERT_EQ(m_result, IDOK);
    const std::unique_ptr<BYTE[]> returned(m_dlg->m_pData);
    Bytes expected = bytes;
    expected.front() = 0xAA;
    expected.back() = 0xBB;
    expected.insert(expected.begin(), 0x00);
    expected.push_back(0x00);
    ASSERT_EQ(m_dlg->m_nLength, expected.size());
    EXPECT_TRUE(Bytes(returned.get(), returned.get() + m_dlg->m_nLength) == expected)
        << "the bytes handed back differ from the edited value";
}

TEST_F(BinaryDialog, CancelKeepsTheCallersPointerAndLength) {
    Edit({0x01, 0x02}, [](CDialog& live) {
        Tap(live, IDC_APPEND);
        EditByteLabel(live, 0, QStringLiteral("99"));
        PressCancel(live);
    });
    EXPECT_EQ(m_result, IDCANCEL);
    EXPECT_EQ(m_dlg->m_pData, m_bytes.data());
    EXPECT_EQ(m_dlg->m_nLength, 2u);
    EXPECT_EQ(m_bytes, (Bytes{0x01, 0x02}));
}

}  // namespace
}  // namespace brackwell::testing
