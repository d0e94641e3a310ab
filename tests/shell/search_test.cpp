// Search steps as a person takes them: start at a key, run Find with some
// settings, then Find Next until the end. Each row lists where every step
// must leave the program.
#include <gtest/gtest.h>

#include <optional>

#include "tests/shell/search_fixture.h"

namespace brackwell::testing {
namespace {

constexpr std::string_view kCase = "HKEY_LOCAL_MACHINE\\Case";
constexpr std::string_view kNest = "HKEY_LOCAL_MACHINE\\Nest";
constexpr std::string_view kTypes = "HKEY_LOCAL_MACHINE\\Types";
constexpr std::string_view kLast = "HKEY_USERS\\.Default\\Last";

// A step that finds nothing more; the program stays where the step before
// left it.
const std::optional<Spot> kNoMore;

struct StepsCase {
    const char* name;
    std::u16string_view start;
    SearchSettings settings;
    // The Find, then each Find Next.
    std::vector<std::optional<Spot>> steps;
};

void PrintTo(const StepsCase& param, std::ostream* os) {
    *os << param.name;
}

class SearchStepsTest : public SearchTest, public ::testing::WithParamInterface<StepsCase> {};

TEST_P(SearchStepsTest, EachStepShowsTheNextMatch) {
    const StepsCase& param = GetParam();
    StartAt(param.start);
    Spot before = Observed();
    for (std::size_t i = 0; i < param.steps.size(); ++i) {
        const Spot expected = param.steps[i] ? *param.steps[i] : NoMoreMatches(before);
        EXPECT_EQ(expected, i == 0 ? Find(param.settings) : FindNext()) << "step " << i;
        before = expected;
        before.box.clear();
    }
}

SearchSettings Settings(const char16_t* text, BOOL keys, BOOL values, BOOL data, BOOL whole) {
    return {text, keys, values, data, whole};
}

constexpr BOOL on = TRUE;
constexpr BOOL off = FALSE;

INSTANTIATE_TEST_SUITE_P(
    Search, SearchStepsTest,
    ::testing::Values(
        // Rows in order, then subkeys; letter case ignored in names and data alike.
        StepsCase{"SubstringIgnoresCase",
                  u"HKEY_LOCAL_MACHINE\\Case",
                  Settings(u"colour", on, on, on, off),
                  {ValueAt(kCase, "Tint"), ValueAt(kCase, "ColourName"), ValueAt(kCase, "Shade"),
                   KeyAt("HKEY_LOCAL_MACHINE\\Case\\Colours"),
                   KeyAt("HKEY_LOCAL_MACHINE\\Case\\COLOUR"), kNoMore}},
        StepsCase{"WholeStringIgnoresCaseButNotTheRest",
                  u"HKEY_LOCAL_MACHINE\\Case",
                  Settings(u"Colour", on, on, on, on),
                  {ValueAt(kCase, "Shade"), KeyAt("HKEY_LOCAL_MACHINE\\Case\\COLOUR"), kNoMore}},
        StepsCase{"WholeStringRefusesABeginning",
                  u"HKEY_LOCAL_MACHINE\\Case",
                  Settings(u"Col", on, on, on, on),
                  {kNoMore}},
        StepsCase{"SelectedKeyTestedFirstAndKeysBeforeItNever",
                  u"HKEY_LOCAL_MACHINE\\Case\\COLOUR",
                  Settings(u"colour", on, on, on, on),
                  {KeyAt("HKEY_LOCAL_MACHINE\\Case\\COLOUR"), kNoMore}},
        // The key's name, its own values in row order, then its subkeys.
        StepsCase{"KeyNameThenItsValuesThenItsSubkeys",
                  u"HKEY_LOCAL_MACHINE",
                  Settings(u"nest", on, on, on, off),
                  {KeyAt(kNest), ValueAt(kNest, "Nestling"), ValueAt(kNest, "Other"),
                   KeyAt("HKEY_LOCAL_MACHINE\\Nest\\Nested"),
                   ValueAt("HKEY_LOCAL_MACHINE\\Nest\\Nested", "Bird"), kNoMore}},
        StepsCase{"NameAndDataMatchFoundOnce",
                  u"HKEY_LOCAL_MACHINE\\Nest",
                  Settings(u"echo", on, on, on, off),
                  {ValueAt(kNest, "Echo"), kNoMore}},
        StepsCase{"EmptyTextMatchesTheFirstCandidate",
                  u"HKEY_LOCAL_MACHINE\\Nest",
                  Settings(u"", on, on, on, off),
                  {KeyAt(kNest), ValueAt(kNest, "Nestling"), ValueAt(kNest, "Other")}},
        StepsCase{"NothingToTestWalksToTheEnd",
                  u"HKEY_LOCAL_MACHINE\\Nest",
                  Settings(u"", off, off, off, off),
                  {kNoMore, kNoMore}},
        StepsCase{"RootFoundByNameThenItsOwnValues",
                  u"HKEY_CLASSES_ROOT",
                  Settings(u"USERS", on, on, on, off),
                  {KeyAt("HKEY_USERS"), ValueAt("HKEY_USERS", "Owner"), kNoMore}},
        StepsCase{"RootByWholeName",
                  u"HKEY_CLASSES_ROOT",
                  Settings(u"hkey_users", on, off, off, on),
                  {KeyAt("HKEY_USERS"), kNoMore}},
        // What the list shows, the search finds: values without data too.
        StepsCase{"ValueWithoutDataFoundByName",
                  u"HKEY_LOCAL_MACHINE\\Hollow",
                  Settings(u"nothing", off, on, off, off),
                  {ValueAt("HKEY_LOCAL_MACHINE\\Hollow", "Nothing"), kNoMore}},
        StepsCase{"ValueWithoutDataFoundByEmptyWholeText",
                  u"HKEY_LOCAL_MACHINE\\Hollow",
                  Settings(u"", off, off, on, on),
                  {ValueAt("HKEY_LOCAL_MACHINE\\Hollow", "Blank"),
                   ValueAt("HKEY_LOCAL_MACHINE\\Hollow", "Nothing")}},
        // Data are matched by the text the Data column shows.
        StepsCase{"NumberBySignedDecimal",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"-1", off, off, on, on),
                  {ValueAt(kTypes, "Number"), kNoMore}},
        StepsCase{"NumberNotByUnsignedDecimal",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"4294967295", off, off, on, off),
                  {kNoMore}},
        StepsCase{"BinaryByAByteOfTheFirstFour",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"ab", off, off, on, off),
                  {ValueAt(kTypes, "Binary"), kNoMore}},
        StepsCase{"BinaryNotByTheFifthByte",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"10", off, off, on, off),
                  {kNoMore}},
        StepsCase{"BinaryWholeWithTrailingSpace",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"01 AB 00 FF ", off, off, on, on),
                  {ValueAt(kTypes, "Binary")}},
        StepsCase{"BinaryWholeWithoutTrailingSpace",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"01 AB 00 FF", off, off, on, on),
                  {kNoMore}},
        StepsCase{"MultiStringByItsFirstString",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"apple", off, off, on, off),
                  {ValueAt(kTypes, "Multi")}},
        StepsCase{"MultiStringNotByItsSecondString",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"pear", off, off, on, off),
                  {kNoMore}},
        StepsCase{"OtherTypesByTheirText",
                  u"HKEY_LOCAL_MACHINE\\Types",
                  Settings(u"%path%", off, off, on, on),
                  {ValueAt(kTypes, "Expand")}},
        // At the end the walk has left the value cursor behind it, so the
        // selected key's values are tested again from the first row.
        StepsCase{"AfterTheEndTheSelectedKeyIsTestedAgain",
                  u"HKEY_USERS\\.Default\\Last",
                  Settings(u"again", on, on, on, off),
                  {ValueAt(kLast, "x"), kNoMore, ValueAt(kLast, "x")}}),
    [](const ::testing::TestParamInfo<StepsCase>& info) { return info.param.name; });

}  // namespace
}  // namespace brackwell::testing
