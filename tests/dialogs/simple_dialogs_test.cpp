// The dialog base, the key, string and number dialogs and the about box.

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>
#include <ostream>
#include <vector>

#include "dialogs/CAboutDlg.h"
#include "dialogs/CFindDlg.h"
#include "dialogs/CMultiStringDlg.h"
#include "dialogs/CNewKeyDlg.h"
#include "dialogs/CNumberDlg.h"
#include "dialogs/CStringDlg.h"
#include "framework/AfxMessageBox.h"
#include "framework/CWinApp.h"
#include "framework/aygshell.h"
#include "resources/resource.h"
#include "tests/dialogs/dialog_test.h"

namespace brackwell::testing {
namespace {

constexpr LPCWSTR kHeading = u"Enter new value";

// Every dialog that takes typed text, built for a value of that name (the
// key and find dialogs have none).
struct InputDialogKind {
    const char* name;
    std::unique_ptr<CDialog> (*make)(LPCWSTR lpszName);
    // m_strName after the dialog ran; null for dialogs without one.
    CString (*nameAfter)(const CDialog& dlg);
    friend void PrintTo(const InputDialogKind& kind, std::ostream* os) { *os << kind.name; }
};

const InputDialogKind kString{
    "String",
    [](LPCWSTR n) -> std::unique_ptr<CDialog> {
        return std::make_unique<CStringDlg>(kHeading, n, u"text");
    },
    [](const CDialog& d) { return static_cast<const CStringDlg&>(d).m_strName; }};
const InputDialogKind kNumber{
    "Number",
    [](LPCWSTR n) -> std::unique_ptr<CDialog> {
        return std::make_unique<CNumberDlg>(kHeading, n, 7);
    },
    [](const CDialog& d) { return static_cast<const CNumberDlg&>(d).m_strName; }};
const InputDialogKind kMultiString{
    "MultiString",
    [](LPCWSTR n) -> std::unique_ptr<CDialog> {
        return std::make_unique<CMultiStringDlg>(kHeading, n);
    },
    [](const CDialog& d) { return static_cast<const CMultiStringDlg&>(d).m_strName; }};
const InputDialogKind kNewKey{
    "NewKey", [](LPCWSTR) -> std::unique_ptr<CDialog> { return std::make_unique<CNewKeyDlg>(); },
    nullptr};
const InputDialogKind kFind{"Find",
                            [](LPCWSTR) -> std::unique_ptr<CDialog> {
                                return std::make_unique<CFindDlg>(SearchSettings{});
                            },
                            nullptr};

std::string KindName(const ::testing::TestParamInfo<InputDialogKind>& info) {
    return info.param.name;
}

// The create-versus-modify rule of the value dialogs.
class ValueDialogRule : public DialogTest, public ::testing::WithParamInterface<InputDialogKind> {};

TEST_P(ValueDialogRule, WithoutANameTheNameIsTypedFirst) {
    std::unique_ptr<CDialog> dlg = GetParam().make(u"");
    const INT_PTR result = RunDialog(*dlg, [](CDialog& live) {
        EXPECT_EQ(Text(live, IDC_HEADING), QString::fromUtf16(kHeading));
        EXPECT_FALSE(IsReadOnly(live, IDC_NAME));
        EXPECT_EQ(FocusedId(live), IDC_NAME);
        EXPECT_TRUE(AfxIsSipUp());
        Type(live, IDC_NAME, QStringLiteral("Fresh"));
        PressOk(live);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(GetParam().nameAfter(*dlg), u"Fresh");
    EXPECT_FALSE(AfxIsSipUp());
}

TEST_P(ValueDialogRule, AGivenNameIsKeptReadOnlyAndTheValueHasTheFocus) {
    std::unique_ptr<CDialog> dlg = GetParam().make(u"Existing");
    const INT_PTR result = RunDialog(*dlg, [](CDialog& live) {
        EXPECT_EQ(Text(live, IDC_NAME), QStringLiteral("Existing"));
        EXPECT_TRUE(IsReadOnly(live, IDC_NAME));
        EXPECT_EQ(FocusedId(live), IDC_VALUE);
        EXPECT_TRUE(AfxIsSipUp());
        Type(live, IDC_NAME, QStringLiteral("Other"));
        PressOk(live);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(GetParam().nameAfter(*dlg), u"Existing");
    EXPECT_FALSE(AfxIsSipUp());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ValueDialogRule,
                         ::testing::Values(kString, kNumber, kMultiString), KindName);

// Every input dialog covers the main window, and takes the input panel
// down however it is closed.
class InputDialogWindow : public DialogTest,
                          public ::testing::WithParamInterface<InputDialogKind> {};

// The offscreen platform places a window by its frame when it is first
// shown, which moves the client area by the frame's width.
void ExpectCovers(const QRect& dialog, const QRect& area) {
    EXPECT_EQ(dialog.size(), area.size());
    EXPECT_LE((dialog.topLeft() - area.topLeft()).manhattanLength(), 4)
        << dialog.x() << "," << dialog.y() << " for " << area.x() << "," << area.y();
}

TEST_P(InputDialogWindow, CoversTheMainWindowOrElseTheScreen) {
    std::unique_ptr<CDialog> alone = GetParam().make(u"");
    QRect covered;
    RunDialog(*alone, [&covered](CDialog& live) {
        covered = live.m_hWnd->geometry();
        PressCancel(live);
    });
    ExpectCovers(covered, QGuiApplication::primaryScreen()->availableGeometry());

    CWinApp app;
    CWnd mainWindow;
    ASSERT_TRUE(mainWindow.CreateEx(0, nullptr, u"Main", WS_OVERLAPPEDWINDOW, RECT{0, 0, 360, 480},
                                    nullptr, 0));
    mainWindow.m_hWnd->setGeometry(40, 30, 360, 480);
    mainWindow.ShowWindow(SW_SHOW);
    app.m_pMainWnd = &mainWindow;
    std::unique_ptr<CDialog> owned = GetParam().make(u"");
    RunDialog(*owned, [&covered](CDialog& live) {
        covered = live.m_hWnd->geometry();
        PressCancel(live);
    });
    app.m_pMainWnd = nullptr;
    ExpectCovers(covered, mainWindow.m_hWnd->geometry());
}

enum class Ending { Ok, Cancel, Escape };

TEST_P(InputDialogWindow, ThePanelIsUpWhileOpenAndDownAfterEveryEnding) {
    for (Ending ending : {Ending::Ok, Ending::Cancel, Ending::Escape}) {
        std::unique_ptr<CDialog> dlg = GetParam().make(u"");
        bool upWhileOpen = false;
        const INT_PTR result = RunDialog(*dlg, [&](CDialog& live) {
            upWhileOpen = AfxIsSipUp();
            if (ending == Ending::Ok)
                PressOk(live);
            else if (ending == Ending::Cancel)
                PressCancel(live);
            else
                QTest::keyClick(live.m_hWnd, Qt::Key_Escape);
        });
        EXPECT_EQ(result, ending == Ending::Ok ? IDOK : IDCANCEL) << int(ending);
        EXPECT_TRUE(upWhileOpen) << int(ending);
        EXPECT_FALSE(AfxIsSipUp()) << int(ending);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, InputDialogWindow,
                         ::testing::Values(kString, kNumber, kMultiString, kNewKey, kFind),
                         KindName);

using SimpleDialogs = DialogTest;

TEST_F(SimpleDialogs, StringShowsTheValueAndHandsBackTheEdit) {
    CStringDlg dlg(u"Modify string", u"Greeting", u"hello");
    const INT_PTR result = RunDialog(dlg, [](CDialog& live) {
        EXPECT_EQ(Text(live, IDC_VALUE), QStringLiteral("hello"));
        Type(live, IDC_VALUE, QStringLiteral("good day"));
        PressOk(live);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strValue, u"good day");
}

TEST_F(SimpleDialogs, CancelKeepsWhatTheCallerGave) {
    CStringDlg text(u"Modify string", u"Greeting", u"hello");
    EXPECT_EQ(RunDialog(text,
                        [](CDialog& live) {
                            Type(live, IDC_VALUE, QStringLiteral("changed"));
                            PressCancel(live);
                        }),
              IDCANCEL);
    EXPECT_EQ(text.m_strName, u"Greeting");
    EXPECT_EQ(text.m_strValue, u"hello");

    CNumberDlg number(u"Enter new number", u"", 5);
    EXPECT_EQ(RunDialog(number,
                        [](CDialog& live) {
                            Type(live, IDC_NAME, QStringLiteral("Count"));
                            Type(live, IDC_VALUE, QStringLiteral("9"));
                            PressCancel(live);
                        }),
              IDCANCEL);
    EXPECT_EQ(number.m_strName, u"");
    EXPECT_EQ(number.m_nValue, 5u);

    CNewKeyDlg key;
    EXPECT_EQ(RunDialog(key,
                        [](CDialog& live) {
                            Type(live, IDC_KEY_NAME, QStringLiteral("Typed"));
                            PressCancel(live);
                        }),
              IDCANCEL);
    EXPECT_EQ(key.m_strName, u"");
}

TEST_F(SimpleDialogs, NewKeyAlwaysOpensEmptyWithTheFocusInTheField) {
    CNewKeyDlg dlg;
    dlg.m_strName = u"Leftover";
    const INT_PTR result = RunDialog(dlg, [](CDialog& live) {
        EXPECT_EQ(Text(live, IDC_KEY_NAME), QString());
        EXPECT_EQ(FocusedId(live), IDC_KEY_NAME);
        Type(live, IDC_KEY_NAME, QStringLiteral("Settings"));
        PressOk(live);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strName, u"Settings");
}

TEST_F(SimpleDialogs, NumberShowsItsBitsAsASignedNumber) {
    struct Shown {
        DWORD bits;
        const char* text;
    };
    for (const Shown& row : {Shown{0, "0"}, Shown{0xFFFFFFFF, "-1"},
                             Shown{0x80000000, "-2147483648"}, Shown{0x7FFFFFFF, "2147483647"}}) {
        CNumberDlg dlg(u"Modify number", u"Count", row.bits);
        QString shown;
        EXPECT_EQ(RunDialog(dlg,
                            [&shown](CDialog& live) {
                                shown = Text(live, IDC_VALUE);
                                PressOk(live);
                            }),
                  IDOK);
        EXPECT_EQ(shown, QString::fromLatin1(row.text));
        EXPECT_EQ(dlg.m_nValue, row.bits) << "OK without an edit changed " << row.text;
    }
}

// Reading the typed number: the 32 bits whichever way they are written, in
// decimal or after "0x" in hexadecimal; an empty field is 0. Anything else is
// refused with an error and the dialog stays open with the text selected.
constexpr DWORD kRefused = 0xDEADBEEF;

struct TypedNumber {
    const char* fault;
    const char* typed;
    DWORD bits;  // kRefused: not a number
    friend void PrintTo(const TypedNumber& row, std::ostream* os) {
        *os << '"' << row.typed << '"';
    }
};

class NumberReading : public DialogTest, public ::testing::WithParamInterface<TypedNumber> {};

TEST_P(NumberReading, TypedTextGivesTheseBitsOrIsRefused) {
    const bool refused = GetParam().bits == kRefused;
    std::vector<AfxMessageBoxRequest> boxes;
    AfxSetMessageBoxResponder([&boxes](const AfxMessageBoxRequest& request) {
        boxes.push_back(request);
        return IDOK;
    });
    CNumberDlg dlg(u"Modify number", u"Count", 12345);
    const INT_PTR result = RunDialog(dlg, [refused](CDialog& live) {
        Type(live, IDC_VALUE, QString::fromLatin1(GetParam().typed));
        PressOk(live);
        if (!refused) return;
        auto* field = qobject_cast<QLineEdit*>(Control(live, IDC_VALUE));
        EXPECT_EQ(FocusedId(live), IDC_VALUE);
        EXPECT_EQ(field->selectedText(), QString::fromLatin1(GetParam().typed));
        PressCancel(live);
    });
    AfxSetMessageBoxResponder({});
    if (refused) {
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dlg.m_nValue, 12345u);
        EXPECT_EQ(dlg.m_strName, u"Count");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].pOwner, &dlg);
        EXPECT_EQ(boxes[0].caption, u"Error");
        EXPECT_EQ(boxes[0].type, MB_ICONHAND);
    } else {
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dlg.m_nValue, GetParam().bits);
        EXPECT_TRUE(boxes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, NumberReading,
    ::testing::Values(TypedNumber{"MinusOneIsAllBits", "-1", 0xFFFFFFFF},
                      TypedNumber{"MinusTwo", "-2", 0xFFFFFFFE},
                      TypedNumber{"MostNegative", "-2147483648", 0x80000000},
                      TypedNumber{"UnsignedMaximumWasLost", "4294967295", 0xFFFFFFFF},
                      TypedNumber{"AboveSignedRangeWasLost", "2147483648", 0x80000000},
                      TypedNumber{"BlanksAround", "  42 ", 42}, TypedNumber{"Empty", "", 0},
                      TypedNumber{"OnlyBlanks", "   ", 0},
                      TypedNumber{"HexadecimalWasStoredAsZero", "0x1F4", 500},
                      TypedNumber{"HexadecimalInAnyCase", " 0XffFFffFF ", 0xFFFFFFFF},
                      TypedNumber{"HexadecimalZero", "0x0", 0},
                      TypedNumber{"BeyondThirtyTwoBits", "4294967296", kRefused},
                      TypedNumber{"BelowMostNegative", "-2147483649", kRefused},
                      TypedNumber{"HexadecimalBeyondThirtyTwoBits", "0x100000000", kRefused},
                      TypedNumber{"PrefixWithoutDigits", "0x", kRefused},
                      TypedNumber{"NegativeHexadecimal", "-0x1", kRefused},
                      TypedNumber{"HexadecimalWithoutPrefix", "1F4", kRefused},
                      TypedNumber{"Word", "many", kRefused},
                      TypedNumber{"TrailingJunk", "12abc", kRefused},
                      TypedNumber{"UnitSuffix", "5k", kRefused},
                      TypedNumber{"StrayLetterAfterBlank", "500 x", kRefused},
                      TypedNumber{"LeadingPlus", "+5", kRefused},
                      TypedNumber{"TwoMinusSigns", "--5", kRefused}),
    [](const ::testing::TestParamInfo<TypedNumber>& info) {
        return std::string(info.param.fault);
    });

TEST_F(SimpleDialogs, AboutBoxIsCentredAtItsSizeAndClosedByItsCaptionOk) {
    for (bool sipUp : {false, true}) {
        SHSipPreference(nullptr, sipUp ? SIP_UP : SIP_DOWN);
        CAboutDlg dlg;
        QRect placed;
        bool iconShown = false;
        bool versionShown = false;
        const INT_PTR result = RunDialog(dlg, [&](CDialog& live) {
            placed = live.m_hWnd->geometry();
            for (QLabel* label : live.m_hWnd->findChildren<QLabel*>()) {
                iconShown |= !label->pixmap().isNull();
                versionShown |= label->text() == QStringLiteral("Brackwell Version 1.3");
            }
            auto* ok = live.m_hWnd->findChild<QPushButton*>(QStringLiteral("captionOk"));
            ASSERT_NE(ok, nullptr);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(iconShown);
        EXPECT_TRUE(versionShown);
        EXPECT_EQ(AfxIsSipUp(), sipUp) << "the about box changed the input panel";

        RECT size{0, 0, 145, 57};
        dlg.MapDialogRect(&size);
        EXPECT_EQ(placed.width(), size.right);
        EXPECT_GE(placed.height(), size.bottom);  // plus the caption row with the OK
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((placed.center() - centre).manhattanLength(), 2);
    }
}

}  // namespace
}  // namespace brackwell::testing
