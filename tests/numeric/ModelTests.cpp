// The number model without a window: range and default rules, decimals, rounding through the
// text form, the text itself and the row of places.
#include "NumericTesting.h"
#include <cmath>
#include <cwchar>

using numtest::TestNumEdit;

namespace {

// Window-less editors with the alignment given directly.
struct ModelEdit : TestNumEdit {
    explicit ModelEdit(DWORD style = ES_LEFT) { modelStyle = style; }
};

TEST(NumberModel, NewEditorShowsZeroInThreePlaces)
{
    ModelEdit e;
    EXPECT_EQ(e.GetCurValue(), 0.0f);
    EXPECT_EQ(e.GetMaxValue(), 100.0f);
    EXPECT_EQ(e.GetMinValue(), 0.0f);
    EXPECT_EQ(e.GetNumberGap(), 1.0f);
    EXPECT_EQ(e.GetMouseGap(), 2);
    EXPECT_EQ(e.GetMaxDigit(), 3);
    EXPECT_EQ(e.Text(0.0f), L"0");
    EXPECT_EQ(e.GetEditBox().GetInputStyle(), INPUTSTYLE_NUMBER);
}

TEST(NumberModel, RangeInEitherOrderAndTheDefaultRule)
{
    ModelEdit e;
    e.SetNumberMinMax(10, 1, 5);  // descending, default strictly between: first wins
    EXPECT_EQ(e.GetMaxValue(), 10.0f);
    EXPECT_EQ(e.GetMinValue(), 1.0f);
    EXPECT_EQ(e.GetDefValue(), 10.0f);

    e.SetNumberMinMax(10, 1, 20);  // descending but outside: kept
    EXPECT_EQ(e.GetDefValue(), 20.0f);

    e.SetNumberMinMax(1, 10, 5);  // ascending: never replaced
    EXPECT_EQ(e.GetDefValue(), 5.0f);
    EXPECT_EQ(e.GetMaxValue(), 10.0f);
    EXPECT_EQ(e.GetMinValue(), 1.0f);
}

TEST(NumberModel, UnclampedDefaultIsClampedOnlyWhenApplied)
{
    ModelEdit e;
    e.SetNumberMinMax(0, 50, 80);
    EXPECT_EQ(e.GetDefValue(), 80.0f);
    e.SetCurValue(e.GetDefValue());  // what a reset does
    EXPECT_EQ(e.GetCurValue(), 50.0f);
}

TEST(NumberModel, RangeChangeMovesAnOutsideValueToTheFirstArgument)
{
    ModelEdit e;
    e.SetNumberMinMax(0, 200, 0);
    e.SetCurValue(150.0f);
    e.SetNumberMinMax(0, 100, 0);
    EXPECT_EQ(e.GetCurValue(), 0.0f);  // first, not the nearer bound

    e.SetNumberMinMax(0, 200, 0);
    e.SetCurValue(150.0f);
    e.SetNumberMinMax(120, -5, 0);  // inside the new range: untouched
    EXPECT_EQ(e.GetCurValue(), 120.0f);
    e.SetNumberMinMax(100, -5, 0);
    EXPECT_EQ(e.GetCurValue(), 100.0f);
}

TEST(NumberModel, DecimalCountIsClampedAndPicksTheEditorStyle)
{
    ModelEdit e;
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
    EXPECT_EQ(e.Text(e.Current()), L"2.3");

    e.SetCurValue(7);  // integers are stored exactly, shown with the decimals
    EXPECT_EQ(e.Current(), 7.0f);
    EXPECT_EQ(e.Text(e.Current()), L"7.0");

    e.SetDicimalNum(0);  // re-rounds the value to the new count
    e.SetDicimalNum(1);
    e.SetCurValue(2.7f);
    e.SetDicimalNum(0);
    EXPECT_EQ(e.Current(), 3.0f);
}

TEST(NumberModel, WholeNumbersRoundTiesToEven)
{
    ModelEdit e;
    EXPECT_EQ(e.Text(2.5f), L"2");
    EXPECT_EQ(e.Text(3.5f), L"4");
    EXPECT_EQ(e.Text(0.5f), L"0");
    EXPECT_EQ(e.Text(-2.5f), L"-2");
    EXPECT_EQ(e.Text(-3.6f), L"-4");
    e.SetDicimalNum(-1);
    EXPECT_EQ(e.Text(1.5f), L"2");
}

TEST(NumberModel, DecimalFormatsPrintTheCountOfDigits)
{
    ModelEdit e;
    e.SetNumberMinMax(-10000, 10000, 0);
    const wchar_t* expected[] = {L"3.1", L"3.14", L"3.142", L"3.1416", L"3.14159", L"3.141593"};
    for (int count = 1; count <= 6; ++count) {
        e.SetDicimalNum(count);
        EXPECT_EQ(e.Text(3.14159274f), expected[count - 1]) << count;
    }
    e.SetDicimalNum(2);
    EXPECT_EQ(e.Text(2.5f), L"2.50");
    EXPECT_EQ(e.Text(-0.25f), L"-0.25");
    e.SetDicimalNum(6);
    EXPECT_EQ(e.Text(1234.5f), L"1234.500000");
}

TEST(NumberModel, ReadingRepairsAndTruncates)
{
    ModelEdit e;
    e.SetDicimalNum(1);
    e.SetCurValue(2.9f);
    EXPECT_EQ(e.GetCurIntValue(), 2);
    e.SetNumberMinMax(-50, 50, 0);
    e.SetCurValue(-2.9f);
    EXPECT_EQ(e.GetCurIntValue(), -2);

    // An out-of-range value left by SetValue is repaired on reading.
    e.SetValue(70.0f);
    EXPECT_EQ(e.GetCurIntValue(), 50);
    EXPECT_EQ(e.Current(), 70.0f);  // reading the int stores nothing
    EXPECT_EQ(e.GetCurValue(), 50.0f);
    EXPECT_EQ(e.Current(), 50.0f);

    e.SetCurValue(1000);
    EXPECT_EQ(e.Current(), 50.0f);
    e.SetNumberMinMax(-2.5, 7.5, 0);
    e.SetCurValue(-100);
    EXPECT_EQ(e.Current(), -2.0f);  // the truncated bound
}

TEST(PlaceModel, PlaceCountFollowsRangeSignAndDecimals)
{
    ModelEdit e;
    e.SetNumberMinMax(-50, 100, 0);
    e.SetDicimalNum(1);
    EXPECT_EQ(e.GetMaxDigit(), 6);
    e.SetDicimalNum(0);
    EXPECT_EQ(e.GetMaxDigit(), 4);
    e.SetNumberMinMax(-1000, 5, 0);  // only the maximum's digits count
    EXPECT_EQ(e.GetMaxDigit(), 2);
    e.SetNumberMinMax(0, 99999, 0);
    e.SetDicimalNum(-1);
    EXPECT_EQ(e.GetMaxDigit(), 5);
}

TEST(PlaceModel, PredictedLengthMatchesTheText)
{
    ModelEdit e;
    e.SetNumberMinMax(-99999, 99999, 0);
    const float values[] = {0.0f, 7.0f, -7.0f, 42.0f, -0.5f, 99999.0f, -12345.0f, 0.25f, 10.0f};
    for (int count = -1; count <= 6; ++count) {
        e.SetDicimalNum(count);
        for (float v : values) {
            e.SetCurValue(v);
            EXPECT_EQ(e.GetCurDigit(e.Current()), static_cast<int>(e.Text(e.Current()).size()))
                << "value " << v << " decimals " << count;
        }
    }
}

TEST(PlaceModel, CentredStartRoundsTiesToEven)
{
    ModelEdit e(ES_CENTER);
    e.SetNumberMinMax(0, 100000, 0);  // six places
    EXPECT_EQ(e.GetMiddleStartPlace(12345.0f), 0);  // 0.5
    EXPECT_EQ(e.GetMiddleStartPlace(123.0f), 2);    // 1.5
    EXPECT_EQ(e.GetMiddleStartPlace(1.0f), 2);      // 2.5
    EXPECT_EQ(e.GetMiddleStartPlace(12.0f), 2);     // 2
}

TEST(PlaceModel, ItemValuesInEachAlignment)
{
    ModelEdit right(ES_RIGHT);
    right.SetNumberMinMax(-100, 100, 0);  // four places, "-5" in the last two
    EXPECT_EQ(right.GetItemValue(0, -5.0f), 0);
    EXPECT_EQ(right.GetItemValue(1, -5.0f), 0);
    EXPECT_EQ(right.GetItemValue(2, -5.0f), L'-');
    EXPECT_EQ(right.GetItemValue(3, -5.0f), 5);
    EXPECT_EQ(right.GetItemValue(4, -5.0f), L' ');
    EXPECT_EQ(right.GetItemValue(3, -0.3f), 0);  // shown as "0" but predicted two long

    ModelEdit left(ES_LEFT);
    left.SetDicimalNum(1);
    EXPECT_EQ(left.GetItemValue(0, 2.5f), 2);
    EXPECT_EQ(left.GetItemValue(1, 2.5f), L'.');
    EXPECT_EQ(left.GetItemValue(2, 2.5f), 5);
    EXPECT_EQ(left.GetItemValue(3, 2.5f), L' ');

    ModelEdit centred(ES_CENTER);
    centred.SetNumberMinMax(0, 100000, 0);  // "12" starts at place 2
    EXPECT_EQ(centred.GetItemValue(1, 12.0f), 0);
    EXPECT_EQ(centred.GetItemValue(2, 12.0f), 1);
    EXPECT_EQ(centred.GetItemValue(3, 12.0f), 2);
    EXPECT_EQ(centred.GetItemValue(4, 12.0f), L' ');

    ModelEdit both(ES_CENTER | ES_RIGHT);  // read as left alignment
    EXPECT_EQ(both.GetItemValue(0, 7.0f), 7);
}

TEST(PlaceModel, SuitablePlaceRightAligned)
{
    ModelEdit e(ES_RIGHT);
    e.SetCurValue(5.0f);  // "  5", end place 3
    int place = 0;
    e.FindSuitPlace(place);
    EXPECT_EQ(place, 1);  // one free place left of the text
    place = 2;
    e.FindSuitPlace(place);
    EXPECT_EQ(place, 2);
    place = 3;
    e.FindSuitPlace(place);
    EXPECT_EQ(place, 4);  // the end moves one further right

    e.SetNumberMinMax(-100, 100, 0);
    e.SetCurValue(-5.0f);  // "  -5": the sign place is the leftmost reachable
    place = 0;
    e.FindSuitPlace(place);
    EXPECT_EQ(place, 2);

    e.SetNumberMinMax(0, 100, 0);
    e.SetDicimalNum(1);
    e.SetCurValue(2.5f);  // "  2.5": the point is place 3
    place = 3;
    e.FindSuitPlace(place);
    EXPECT_EQ(place, 4);
}

TEST(PlaceModel, SuitablePlaceLeftAndCentred)
{
    ModelEdit left(ES_LEFT);
    left.SetNumberMinMax(0, 999, 0);
    left.SetCurValue(12.0f);
    int place = 2;  // the end: skipped, then held at the end of the text
    left.FindSuitPlace(place);
    EXPECT_EQ(place, 2);
    place = 0;
    left.FindSuitPlace(place);
    EXPECT_EQ(place, 0);
    left.SetDicimalNum(1);
    left.SetCurValue(1.5f);  // "1.5": the point is place 1
    place = 1;
    left.FindSuitPlace(place);
    EXPECT_EQ(place, 2);

    ModelEdit centred(ES_CENTER);
    centred.SetNumberMinMax(0, 100000, 0);
    centred.SetCurValue(123.0f);  // places 2..4
    place = 0;
    centred.FindSuitPlace(place);
    EXPECT_EQ(place, 1);
    place = 5;
    centred.FindSuitPlace(place);
    EXPECT_EQ(place, 5);
    centred.SetNumberMinMax(-100000, 100000, 0);
    centred.SetCurValue(-12.0f);  // seven places, "-12" at 2..4
    place = 0;
    centred.FindSuitPlace(place);
    EXPECT_EQ(place, 2);

    ModelEdit both(ES_CENTER | ES_RIGHT);  // only the end rule applies
    place = 0;
    both.FindSuitPlace(place);
    EXPECT_EQ(place, 0);
}

TEST(PlaceModel, ChangedPlacesOfAValueChange)
{
    ModelEdit e(ES_RIGHT);
    e.SetNumberMinMax(0, 200, 0);
    int first = 0, last = 0;
    e.GetChangedPlaces(109.0f, 110.0f, first, last);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 2);
    e.GetChangedPlaces(110.0f, 111.0f, first, last);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 2);
    e.GetChangedPlaces(99.0f, 100.0f, first, last);  // the text grows to the left
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 2);
}

TEST(NumberModel, BadInputDoesNotCrash)
{
    ModelEdit e;
    e.SetNumberMinMax(1e30, -1e30, 0);
    e.SetCurValue(3.0e29f);
    e.SetDicimalNum(3);
    EXPECT_GE(e.GetMaxDigit(), 1);
    e.SetCurValue(std::nanf(""));
    e.GetCurValue();
    int place = -7;
    e.FindSuitPlace(place);
    EXPECT_EQ(e.GetItemRect(1000).right, 0);
    EXPECT_EQ(e.HitTest(CPoint(5, 5)), 0);
}

}  // namespace
