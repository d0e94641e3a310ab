#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "resources/resources.h"
#include "tests/framework/TestSupport.h"

namespace {

class StringDlg : public CDialog {
public:
    StringDlg() : CDialog(IDD_STRING) {}

    CString m_strValue;
    bool m_bOkRan = false;
    bool m_bDestroyed = false;
    bool m_bSawInitialisedDuringDestroy = false;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetDlgItemText(IDC_NAME, u"given");
        SetDlgItemText(IDC_HEADING, u"Enter new string");
        static_cast<CEdit*>(GetDlgItem(IDC_NAME))->SetReadOnly();
        GotoDlgCtrl(GetDlgItem(IDC_VALUE));
        return FALSE;
    }

protected:
    void OnOK() override {
        m_bOkRan = true;
        GetDlgItemText(IDC_VALUE, m_strValue);
        CDialog::OnOK();
    }
    void OnDestroy() {
        CString name;
        GetDlgItemText(IDC_NAME, name);
        m_bSawInitialisedDuringDestroy = name == CString(u"given");
        m_bDestroyed = true;
        CDialog::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StringDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

class ByteDlg : public CDialog {
public:
    ByteDlg() : CDialog(IDD_BINARY) {}
    std::vector<int> changedSelected;

protected:
    void OnInsert() {
        auto* list = static_cast<CListCtrl*>(GetDlgItem(IDC_VALUE));
        const int row = list->InsertItem(list->GetItemCount(), u"00");
        list->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
        if (nm->uNewState & LVIS_SELECTED) changedSelected.push_back(nm->iItem);
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ByteDlg, CDialog)
    ON_BN_CLICKED(IDC_INSERT, OnInsert)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_VALUE, OnItemChanged)
END_MESSAGE_MAP()

class CDialogTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        brackwell::resources::Register();
    }
    void TearDown() override {
        AfxSetModalDialogDriver({});
        AfxSetMessageBoxResponder({});
        SHSipPreference(nullptr, SIP_DOWN);
    }
};

TEST_F(CDialogTest, DriverGetsInitialisedDialogAndOkRunsOnOkThenDestroy) {
    StringDlg dlg;
    bool driven = false;
    AfxSetModalDialogDriver([&](CDialog& d) -> INT_PTR {
        driven = true;
        CString name;
        d.GetDlgItemText(IDC_NAME, name);
        EXPECT_EQ(name, CString(u"given"));
        EXPECT_TRUE(static_cast<QLineEdit*>(d.GetDlgItem(IDC_NAME)->m_hWnd)->isReadOnly());
        EXPECT_EQ(d.m_hWnd->focusWidget(), d.GetDlgItem(IDC_VALUE)->m_hWnd);
        d.SetDlgItemText(IDC_VALUE, u"typed");
        d.SendMessage(WM_COMMAND, IDOK);
        return 99;  // ignored: the dialog was ended with IDOK
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(driven);
    EXPECT_TRUE(dlg.m_bOkRan);
    EXPECT_EQ(dlg.m_strValue, CString(u"typed"));
    EXPECT_TRUE(dlg.m_bDestroyed);
    EXPECT_TRUE(dlg.m_bSawInitialisedDuringDestroy);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(CDialogTest, CancelButtonEndsWithoutOnOk) {
    StringDlg dlg;
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        static_cast<QPushButton*>(d.GetDlgItem(IDCANCEL)->m_hWnd)->click();
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(dlg.m_bOkRan);
    EXPECT_TRUE(dlg.m_bDestroyed);
}

TEST_F(CDialogTest, DriverResultWhenDialogNotEndedAndMissingTemplate) {
    StringDlg dlg;
    AfxSetModalDialogDriver([](CDialog&) -> INT_PTR { return 7; });
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_TRUE(dlg.m_bDestroyed);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(CDialogTest, ButtonsAndListNotificationsReachTheDialogMap) {
    ByteDlg dlg;
    AfxSetModalDialogDriver([&](CDialog& d) -> INT_PTR {
        static_cast<QPushButton*>(d.GetDlgItem(IDC_INSERT)->m_hWnd)->click();
        static_cast<QPushButton*>(d.GetDlgItem(IDC_INSERT)->m_hWnd)->click();
        EXPECT_EQ(static_cast<CListCtrl*>(d.GetDlgItem(IDC_VALUE))->GetItemCount(), 2);
        return IDCANCEL;
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.changedSelected, (std::vector<int>{0, 1}));
}

TEST_F(CDialogTest, ControlsArePlacedInDialogUnits) {
    CDialog dlg(IDD_FIND);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        const SIZE base = d.GetDialogBaseUnits();
        EXPECT_GT(base.cx, 0);
        EXPECT_GT(base.cy, 0);
        const struct {
            int id;
            RECT du;
        } items[] = {{IDC_FIND_TEXT, {28, 7, 28 + 105, 7 + 14}}, {IDOK, {7, 74, 7 + 50, 74 + 14}}};
        for (const auto& item : items) {
            RECT px = item.du;
            AfxMapDialogRect(&px, base);
            EXPECT_EQ(d.GetDlgItem(item.id)->m_hWnd->geometry(),
                      QRect(px.left, px.top, px.right - px.left, px.bottom - px.top))
                << item.id;
        }
        RECT whole{0, 0, 143, 95};
        d.MapDialogRect(&whole);
        EXPECT_EQ(d.m_hWnd->size(), QSize(whole.right, whole.bottom));
        d.CheckDlgButton(IDC_FIND_KEYS, BST_CHECKED);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_FIND_KEYS), UINT(BST_CHECKED));
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_FIND_DATA), UINT(BST_UNCHECKED));
        return IDCANCEL;
    });
    dlg.DoModal();
}

// Keys reach the dialog as on the platform: Enter presses the default
// button, except in a multi-line edit that wants Enter; Escape cancels.
TEST_F(CDialogTest, EnterPressesDefaultButtonAndEscapeCancels) {
    StringDlg enter;
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        d.SetDlgItemText(IDC_VALUE, u"by Enter");
        QTest::keyClick(d.GetDlgItem(IDC_VALUE)->m_hWnd, Qt::Key_Return);
        return 0;
    });
    EXPECT_EQ(enter.DoModal(), IDOK);
    EXPECT_EQ(enter.m_strValue, CString(u"by Enter"));

    StringDlg escape;
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        QTest::keyClick(d.GetDlgItem(IDC_VALUE)->m_hWnd, Qt::Key_Escape);
        return 0;
    });
    EXPECT_EQ(escape.DoModal(), IDCANCEL);
    EXPECT_FALSE(escape.m_bOkRan);
}

TEST_F(CDialogTest, EnterInMultiLineEditBreaksTheLine) {
    CDialog dlg(IDD_MULTI_STRING);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        QWidget* edit = d.GetDlgItem(IDC_VALUE)->m_hWnd;
        QTest::keyClicks(edit, QStringLiteral("a"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("b"));
        EXPECT_EQ(static_cast<CEdit*>(d.GetDlgItem(IDC_VALUE))->GetLineCount(), 2);
        return 5;
    });
    EXPECT_EQ(dlg.DoModal(), 5);  // still open when the driver returned
}

TEST_F(CDialogTest, GotoDlgCtrlMovesTheDefaultButtonHighlight) {
    CDialog dlg(IDD_STRING);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        auto* ok = static_cast<QPushButton*>(d.GetDlgItem(IDOK)->m_hWnd);
        auto* cancel = static_cast<QPushButton*>(d.GetDlgItem(IDCANCEL)->m_hWnd);
        d.GotoDlgCtrl(d.GetDlgItem(IDCANCEL));
        EXPECT_TRUE(cancel->isDefault());
        EXPECT_FALSE(ok->isDefault());
        d.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.GetDlgItem(IDC_NAME)->m_hWnd), TRUE);
        EXPECT_TRUE(ok->isDefault());
        EXPECT_FALSE(cancel->isDefault());
        return IDCANCEL;
    });
    dlg.DoModal();
}

TEST_F(CDialogTest, OkInTheCaptionEndsWithIdok) {
    CDialog about(IDD_ABOUTBOX);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        auto* ok = d.m_hWnd->findChild<QPushButton*>(QStringLiteral("captionOk"));
        EXPECT_NE(ok, nullptr);
        if (ok) ok->click();
        return 0;
    });
    EXPECT_EQ(about.DoModal(), IDOK);
}

TEST(AfxMapDialogRect, RoundsToNearestPixel) {
    RECT r{7, 26, 143, 95};
    AfxMapDialogRect(&r, SIZE{6, 13});
    EXPECT_EQ(r.left, 11);    // 7 * 6 / 4 = 10.5
    EXPECT_EQ(r.top, 42);     // 26 * 13 / 8 = 42.25
    EXPECT_EQ(r.right, 215);  // 143 * 6 / 4 = 214.5
    EXPECT_EQ(r.bottom, 154); // 95 * 13 / 8 = 154.375
}

struct IntRow {
    const char* fault;
    const char16_t* text;
    BOOL translated;
    UINT value;
};

class GetDlgItemIntTest : public CDialogTest, public testing::WithParamInterface<IntRow> {};

TEST_P(GetDlgItemIntTest, ReadsSignedDecimalOrZero) {
    CDialog dlg(IDD_NUMBER);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        d.SetDlgItemText(IDC_VALUE, GetParam().text);
        BOOL translated = -1;
        EXPECT_EQ(d.GetDlgItemInt(IDC_VALUE, &translated, TRUE), GetParam().value);
        EXPECT_EQ(translated, GetParam().translated);
        return IDCANCEL;
    });
    dlg.DoModal();
}

INSTANTIATE_TEST_SUITE_P(
    CDialog, GetDlgItemIntTest,
    testing::Values(IntRow{"NegativeKeepsBits", u" -2", TRUE, 0xFFFFFFFEu},
                    IntRow{"AboveSignedRangeIsZero", u"4294967295", FALSE, 0},
                    IntRow{"SignedMaximum", u"2147483647", TRUE, 2147483647u},
                    IntRow{"SignedMinimum", u"-2147483648", TRUE, 0x80000000u},
                    IntRow{"EmptyIsZero", u"", FALSE, 0}, IntRow{"WordIsZero", u"ten", FALSE, 0},
                    IntRow{"TrailingLettersAreZero", u"12ab", FALSE, 0},
                    IntRow{"LoneMinusIsZero", u"-", FALSE, 0}),
    [](const testing::TestParamInfo<IntRow>& info) { return info.param.fault; });

TEST_F(CDialogTest, SetDlgItemIntShowsSignedBits) {
    CDialog dlg(IDD_NUMBER);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        d.SetDlgItemInt(IDC_VALUE, 0xFFFFFFFFu, TRUE);
        CString text;
        d.GetDlgItemText(IDC_VALUE, text);
        EXPECT_EQ(text, CString(u"-1"));
        return IDCANCEL;
    });
    dlg.DoModal();
}

TEST_F(CDialogTest, MultiLineEditKeepsLinesAndReadsThemBack) {
    CDialog dlg(IDD_MULTI_STRING);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        d.SetDlgItemText(IDC_VALUE, u"a\r\n\r\nbc\r\n");
        auto* edit = static_cast<CEdit*>(d.GetDlgItem(IDC_VALUE));
        EXPECT_EQ(edit->GetLineCount(), 4);
        WCHAR buffer[1024];
        EXPECT_EQ(edit->GetLine(2, buffer, 1024), 2);
        EXPECT_EQ(std::u16string(buffer, 2), u"bc");
        EXPECT_EQ(edit->GetLine(2, buffer, 1), 1);  // cut to the buffer
        EXPECT_EQ(edit->GetLine(1, buffer, 1024), 0);
        EXPECT_EQ(edit->GetLine(3, buffer, 10), 0);
        EXPECT_EQ(edit->GetLine(9, buffer, 10), 0);
        CString text;
        d.GetDlgItemText(IDC_VALUE, text);
        EXPECT_EQ(text, CString(u"a\r\n\r\nbc\r\n"));
        return IDCANCEL;
    });
    dlg.DoModal();
}

TEST_F(CDialogTest, FullScreenCoversTheScreenWithoutMainWindowAndSipIsObservable) {
    CDialog dlg(IDD_STRING);
    AfxSetModalDialogDriver([](CDialog& d) -> INT_PTR {
        SHINITDLGINFO info{SHIDIM_FLAGS, d.m_hWnd, SHIDIF_SIZEDLGFULLSCREEN};
        EXPECT_TRUE(SHInitDialog(&info));
        EXPECT_EQ(d.m_hWnd->geometry(), QGuiApplication::primaryScreen()->availableGeometry());
        SHSipPreference(d.m_hWnd, SIP_UP);
        EXPECT_TRUE(AfxIsSipUp());
        SHSipPreference(d.m_hWnd, SIP_DOWN);
        EXPECT_FALSE(AfxIsSipUp());
        return IDCANCEL;
    });
    dlg.DoModal();
    SHINITDLGINFO bad{0, nullptr, SHIDIF_SIZEDLGFULLSCREEN};
    EXPECT_FALSE(SHInitDialog(&bad));
}

TEST_F(CDialogTest, MessageBoxGoesToResponderWithOwnerTextCaptionAndStyle) {
    CNotifyRecorder owner;
    std::vector<AfxMessageBoxRequest> requests;
    AfxSetMessageBoxResponder([&](const AfxMessageBoxRequest& request) {
        requests.push_back(request);
        return IDCANCEL;
    });
    EXPECT_EQ(owner.MessageBox(u"Delete this value?", u"Delete", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].pOwner, &owner);
    EXPECT_EQ(requests[0].text, CString(u"Delete this value?"));
    EXPECT_EQ(requests[0].caption, CString(u"Delete"));
    EXPECT_EQ(requests[0].type, MB_OKCANCEL | MB_ICONQUESTION);
    AfxMessageBox(u"Unable to add/modify string", MB_ICONHAND);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].type, MB_ICONHAND);
}

}  // namespace
