// The number model without a window: range and default rules, decimals, rounding through the
// text form, the text itself and the row of places.
#include "NumericTesting.h"
#include <cmath>

using numtest::TestNumEdit;

namespace {

// Window-less editors with the alignment given directly.
struct ModelEdit : TestNumEdit {
    explicit ModelEdit(DWORD style = ES_LEFT) { modelStyle = style; }
};

TEST(NumberModel, RangeInEitherOrderAndTheDefaultRule)
{
    ModelEdit e;
    e.SetNumberMinMax(10, 1, 5);  // descending, default strictly between: first wins
    EXPECT_EQ(e.GetMaxValue(), 10.0f);
    EXPECT_EQ(e.GetMinValue(), 1.0f);
    EXPECT_EQ(e.GetDefValue(), 10.0f);
    e.SetNumberMinMax(10, 1, 20);  // descending but outside: kept
    EXPECT_EQ(e.GetDefValue(), 20.0f);

    // Ascending bounds never replace the default, even outside them; a reset clamps it.
    e.SetNumberMinMax(0, 50, 80);
    EXPECT_EQ(e.GetDefValue(), 80.0f);
    e.SetCurValue(e.GetDefValue());
    EXPECT_EQ(e.GetCurValue(), 50.0f);
}

TEST(NumberModel, RangeChangeMovesAnOutsideValueToTheFirstArgument)
{
    ModelEdit e;
    e.SetNumberMinMax(0, 200, 0);
    e.SetCurValue(150.0f);
    e.SetNumberMinMax(0, 100, 0);
    EXPECT_EQ(e.GetCurValue(), 0.0f);  // not the nearer bound

    e.SetNumberMinMax(-5, 100, 0);  // inside the new range: untouched
    EXPECT_EQ(e.GetCurValue(), 0.0f);
    e.SetNumberMinMax(200, 150, 0);  // below the new range: still the first argument
    EXPECT_EQ(e.GetCurValue(), 200.0f);
}

TEST(NumberModel, NewEditorAndTheDecimalCountsEditorStyle)
{
    ModelEdit e;
    EXPECT_EQ(e.GetCurValue(), 0.0f);
    EXPECT_EQ(e.GetMaxValue(), 100.0f);
    EXPECT_EQ(e.GetMinValue(), 0.0f);
    EXPECT_EQ(e.GetMaxDigit(), 3);
    EXPECT_EQ(e.GetEditBox().GetInputStyle(), INPUTSTYLE_NUMBER);

    e.SetDicimalNum(9);
    EXPECT_EQ(e.Decimals(), 6);
    EXPECT_EQ(e.GetEditBox().GetInputStyle(), INPUTSTYLE_NUMBER);
    e.SetDicimalNum(0);
    EXPECT_EQ(e.GetEditBox().GetInputStyle(), INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER);
    e.SetDicimalNum(-5);
    EXPECT_EQ(e.Decimals(), -1);
    EXPECT_EQ(e.GetEditBox().GetInputStyle(), INPUTSTYLE_NUMBER);
}

TEST(NumberModel, ValuesAreRoundedThroughTheirText)
{
    ModelEdit e;
    e.SetDicimalNum(1);
    e.SetCurValue(2.26f);
    EXPECT_EQ(e.Current(), static_cast<float>(2.3));
    e.SetCurValue(7);  // integers are stored exactly, shown with the decimals
    EXPECT_EQ(e.Text(e.Current()), L"7.0");
    e.SetCurValue(2.7f);
    e.SetDicimalNum(0);  // re-rounds to the new count
    EXPECT_EQ(e.Current(), 3.0f);
}

TEST(NumberModel, TextOfEachDecimalCount)
{
    ModelEdit e;
    const struct {
        int decimals;
        float value;
        const wchar_t* text;
    } cases[] = {
        {0, 2.5f, L"2"},   {0, 3.5f, L"4"},   {0, 0.5f, L"0"},     {0, -2.5f, L"-2"},   {0, -3.6f, L"-4"},
        {-1, 1.5f, L"2"},  {1, 3.14159f, L"3.1"}, {2, 2.5f, L"2.50"}, {2, -0.25f, L"-0.25"},
        {3, 3.14159f, L"3.142"}, {6, 1234.5f, L"1234.500000"},
    };
    for (const auto& c : cases) {
        e.SetDicimalNum(c.decimals);
        EXPECT_EQ(e.Text(c.value), c.text) << c.value << " with " << c.decimals;
    }
}

TEST(NumberModel, ReadingRepairsAndTruncates)
{
    ModelEdit e;
    e.SetNumberMinMax(-2.5, 7.26, 0);
    e.SetDicimalNum(1);
    e.SetCurValue(-2.4f);
    EXPECT_EQ(e.GetCurIntValue(), -2);

    // An out-of-range value left by SetValue: the int read stores nothing; the float read
    // repairs it and returns the bound itself, not the rounded value it stores.
    e.SetValue(70.0f);
    EXPECT_EQ(e.GetCurIntValue(), 7);
    EXPECT_EQ(e.Current(), 70.0f);
    EXPECT_EQ(e.GetCurValue(), 7.26f);
    EXPECT_EQ(e.Current(), static_cast<float>(7.3));

    e.SetCurValue(-100);
    EXPECT_EQ(e.Current(), -2.0f);  // the truncated bound
}

TEST(PlaceModel, PlaceCountAndPredictedLength)
{
    ModelEdit e;
    const struct {
        double minimum, maximum;
        int decimals, places;
    } ranges[] = {{-50, 100, 1, 6}, {-50, 100, 0, 4}, {-1000, 5, 0, 2}, {0, 99999, -1, 5}};
    for (const auto& r : ranges) {
        e.SetNumberMinMax(r.minimum, r.maximum, 0);
        e.SetDicimalNum(r.decimals);
        EXPECT_EQ(e.GetMaxDigit(), r.places) << r.minimum << ".." << r.maximum;
    }

    e.SetNumberMinMax(-99999, 99999, 0);
    for (int count = -1; count <= 6; ++count) {
        e.SetDicimalNum(count);
        for (float v : {0.0f, -7.0f, 42.0f, -0.5f, 99999.0f, 0.25f, 10.0f}) {
            e.SetCurValue(v);
            EXPECT_EQ(e.GetCurDigit(e.Current()), static_cast<int>(e.Text(e.Current()).size()))
                << v << " with " << count;
        }
    }
}

TEST(PlaceModel, ItemValuesInEachAlignment)
{
    ModelEdit right(ES_RIGHT);
    right.SetNumberMinMax(-100, 100, 0);  // four places, "-5" in the last two
    const int rightExpected[] = {0, 0, L'-', 5, L' '};
    for (UINT place = 0; place < 5; ++place) EXPECT_EQ(right.GetItemValue(place, -5.0f), rightExpected[place]);
    EXPECT_EQ(right.GetItemValue(3, -0.3f), 0);  // shown as "0" but predicted two long

    ModelEdit left(ES_LEFT);
    left.SetDicimalNum(1);
    const int leftExpected[] = {2, L'.', 5, L' '};
    for (UINT place = 0; place < 4; ++place) EXPECT_EQ(left.GetItemValue(place, 2.5f), leftExpected[place]);

    ModelEdit centred(ES_CENTER);
    centred.SetNumberMinMax(0, 100000, 0);  // six places; starts round ties to even
    EXPECT_EQ(centred.GetMiddleStartPlace(12345.0f), 0);  // 0.5
    EXPECT_EQ(centred.GetMiddleStartPlace(123.0f), 2);    // 1.5
    EXPECT_EQ(centred.GetMiddleStartPlace(1.0f), 2);      // 2.5
    const int centredExpected[] = {0, 0, 1, 2, L' '};  // "12" from place 2
    for (UINT place = 0; place < 5; ++place) EXPECT_EQ(centred.GetItemValue(place, 12.0f), centredExpected[place]);

    ModelEdit both(ES_CENTER | ES_RIGHT);  // read as left alignment
    EXPECT_EQ(both.GetItemValue(0, 7.0f), 7);
}

TEST(PlaceModel, SuitablePlaceInEachAlignment)
{
    const struct {
        DWORD style;
        double minimum, maximum;
        int decimals;
        float value;
        int place, expected;
    } cases[] = {
        {ES_RIGHT, 0, 100, 0, 5.0f, 0, 1},      // one free place left of "  5"
        {ES_RIGHT, 0, 100, 0, 5.0f, 3, 4},      // the end moves one further right
        {ES_RIGHT, -100, 100, 0, -5.0f, 0, 2},  // the sign is the leftmost reachable
        {ES_RIGHT, 0, 100, 1, 2.5f, 3, 4},      // "  2.5": the point is skipped
        {ES_LEFT, 0, 999, 0, 12.0f, 2, 2},      // the end, skipped, then held at the text end
        {ES_LEFT, 0, 100, 1, 1.5f, 1, 2},
        {ES_CENTER, 0, 100000, 0, 123.0f, 0, 1},  // "123" on places 2..4
        {ES_CENTER, -100000, 100000, 0, -12.0f, 0, 2},
        {ES_CENTER | ES_RIGHT, 0, 100, 0, 0.0f, 0, 0},  // only the end rule applies
    };
    for (const auto& c : cases) {
        ModelEdit e(c.style);
        e.SetNumberMinMax(c.minimum, c.maximum, 0);
        e.SetDicimalNum(c.decimals);
        e.SetCurValue(c.value);
        int place = c.place;
        e.FindSuitPlace(place);
        EXPECT_EQ(place, c.expected) << "style " << c.style << " value " << c.value << " place " << c.place;
    }
}

TEST(NumberModel, HugeAndInvalidValuesDoNotCrash)
{
    ModelEdit e;
    e.SetNumberMinMax(1e30, -1e30, 0);
    e.SetCurValue(3.0e29f);
    e.SetDicimalNum(3);
    EXPECT_GE(e.GetMaxDigit(), 1);
    int place = -7;
    e.FindSuitPlace(place);
    EXPECT_EQ(e.GetItemRect(1000).right, 0);
}

TEST(NumberModel, NaNIsIgnoredAndInfinitiesAreClamped)
{
    ModelEdit e;
    e.SetNumberMinMax(-10, 100, 5);
    e.SetNumberGap(2.0f);
    e.SetCurValue(42.0f);
    const double nan = std::nan("");
    e.SetNumberMinMax(nan, 100, 0);
    e.SetNumberMinMax(0, nan, 0);
    e.SetNumberMinMax(0, 50, nan);
    e.SetNumberGap(std::nanf(""));
    e.SetCurValue(std::nanf(""));
    float exchanged = std::nanf("");
    e.OnExChangeNum(NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&exchanged));
    EXPECT_EQ(e.GetMinValue(), -10.0f);
    EXPECT_EQ(e.GetMaxValue(), 100.0f);
    EXPECT_EQ(e.GetDefValue(), 5.0f);
    EXPECT_EQ(e.GetCurValue(), 42.0f);

    e.SetCurValue(INFINITY);
    EXPECT_EQ(e.GetCurValue(), 100.0f);
    e.SetCurValue(-INFINITY);
    EXPECT_EQ(e.GetCurValue(), -10.0f);
}

}  // namespace
