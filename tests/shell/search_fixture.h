#pragma once
// The program on a registry laid out for the search, driven through the Find
// dialog and the Find Next command. After each step a test reads where the
// program stands: the tree's selected key, the list's selected row, the
// document's selection, the listed key, the pane with the focus and any
// message box the step showed.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/SearchSettings.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {

struct Spot {
    std::string key;       // the tree's selected key, "ROOT\\name\\name"
    std::string row;       // the name in the list's selected row, "(none)"
    std::string document;  // the document's selection: a key path or "row NAME"
    std::string listed;    // the key whose values the list shows
    std::string focus;     // "keys" or "values"
    std::string box;       // the message box the step showed, if any
    friend bool operator==(const Spot&, const Spot&) = default;
};
void PrintTo(const Spot& spot, std::ostream* os);

// Where a key-name match leaves the program, and where a value match does.
Spot KeyAt(std::string_view path);
Spot ValueAt(std::string_view path, std::string_view name);
// "There are no more matches": the program stays where it was.
Spot NoMoreMatches(Spot before);

class SearchTest : public GuiTest {
public:
    static void SetUpTestSuite();

protected:
    void SetUp() override;

    // Taps the key so that it becomes selected afresh, with no value selected.
    void StartAt(std::u16string_view path);
    // Runs Find, fills the dialog with the settings and confirms; or opens
    // it, checks nothing and cancels. Returns where the program stands.
    Spot Find(const SearchSettings& settings);
    void FindAndCancel(const SearchSettings& typed);
    Spot FindNext();
    Spot Observed();
    // What the Find dialog showed when it opened last.
    const SearchSettings& LastShown() const { return shown_; }

private:
    void RunFind(const SearchSettings& settings, int nButton);

    std::size_t boxesSeen_ = 0;
    SearchSettings shown_;
};

}  // namespace brackwell::testing
