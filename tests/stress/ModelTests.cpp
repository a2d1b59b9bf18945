// Random operation sequences with a fixed seed on the number model, checking after every step
// what the model promises whatever it was given: a finite range in order, a decimal count in
// its range, a value inside the range, text that fits its buffer, and places that show only
// digits, a sign, a point or a space.
#include "Stress.h"
#include <KestrelNumeric.h>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cwchar>

namespace {

class ModelEdit : public CNumEdit {
public:
    using CNumEdit::FindSuitPlace;
    using CNumEdit::GetCurDigit;
    using CNumEdit::GetItemValue;
    using CNumEdit::GetMaxDigit;
    using CNumEdit::GetString;
    using CNumEdit::OnExChangeInt;
    using CNumEdit::OnExChangeNum;
};

// A double as a host would pass it in a float argument, without the undefined narrowing of
// values beyond the float range.
float AsFloat(double v)
{
    if (v != v) return NAN;
    if (v > FLT_MAX) return INFINITY;
    if (v < -FLT_MAX) return -INFINITY;
    return static_cast<float>(v);
}

bool IsPlaceValue(int v)
{
    return (v >= 0 && v <= 9) || v == L' ' || v == L'-' || v == L'.';
}

void CheckModel(const std::string& row, ModelEdit& e, long step)
{
    const std::string at = " (step " + std::to_string(step) + ")";
    const float maximum = e.GetMaxValue(), minimum = e.GetMinValue();
    STRESS_CHECK_AT(row, std::isfinite(maximum) && std::isfinite(minimum), "the range stays finite", at);
    STRESS_CHECK_AT(row, maximum >= minimum, "maximum >= minimum", at);
    STRESS_CHECK_AT(row, std::isfinite(e.GetDefValue()), "the default stays finite", at);
    STRESS_CHECK_AT(row, e.GetDicimalNum() >= NUM_DECIMAL_MIN && e.GetDicimalNum() <= NUM_DECIMAL_MAX,
                 "decimal count in -1..6", at);
    const float v = e.GetCurValue();
    STRESS_CHECK_AT(row, v == v, "the value is a number", at);
    STRESS_CHECK_AT(row, v >= minimum && v <= maximum, "the value lies in the range", at);
    // The whole value keeps to the truncated bounds, saturated where they leave the int range.
    auto saturate = [](double b) { return std::fmax(std::fmin(std::trunc(b), 2147483647.0), -2147483648.0); };
    const double n = e.GetCurIntValue();
    STRESS_CHECK_AT(row, n >= saturate(minimum) && n <= saturate(maximum), "the whole value lies in the truncated range", at);

    // The text form stays inside its buffer: guard characters behind it are untouched.
    wchar_t text[NUM_TEXT_MAX + 8];
    std::wmemset(text, 0xABCD, NUM_TEXT_MAX + 8);
    e.GetString(text, v);
    bool guarded = true;
    for (int i = NUM_TEXT_MAX; i < NUM_TEXT_MAX + 8; ++i) guarded = guarded && text[i] == 0xABCD;
    STRESS_CHECK_AT(row, guarded && std::wmemchr(text, L'\0', NUM_TEXT_MAX) != nullptr, "text fits its buffer", at);

    const int places = e.GetMaxDigit();
    STRESS_CHECK_AT(row, places >= 1 && places <= 64, "a sane place count", at);
    bool shown = true;
    for (int p = 0; p < places + 2 && p < 80; ++p) shown = shown && IsPlaceValue(e.GetItemValue(static_cast<UINT>(p), v));
    STRESS_CHECK_AT(row, shown, "places show digits, sign, point or space", at);
}

void RandomSteps(const std::string& row, ModelEdit& e, long steps, uint64_t seed)
{
    stress::Rng rng(seed);
    for (long s = 0; s < steps; ++s) {
        switch (rng.Int(0, 10)) {
        case 0: e.SetNumberMinMax(rng.Hostile(), rng.Hostile(), rng.Hostile()); break;
        case 1: e.SetNumberGap(AsFloat(rng.Hostile())); break;
        case 2: e.SetMouseGap(rng.Int(-5, 40)); break;
        case 3: e.SetDicimalNum(rng.Int(-12, 12)); break;
        case 4: e.SetCurValue(AsFloat(rng.Hostile())); break;
        case 5: {
            const int edges[] = {INT_MIN, INT_MAX, 0, -1, 1, 16777217};
            e.SetCurValue(rng.Chance(30) ? edges[rng.Int(0, 5)] : rng.Int(-100000, 100000));
            break;
        }
        case 6: {
            float value = AsFloat(rng.Hostile());
            e.OnExChangeNum(static_cast<WPARAM>(rng.Int(0, 3)), reinterpret_cast<LPARAM>(&value));
            break;
        }
        case 7: {
            int value = rng.Int(INT_MIN / 2, INT_MAX / 2) * 2;
            if (rng.Chance(10)) e.OnExChangeInt(NUMEXCHANGE_READ, 0);  // a null address is ignored
            else e.OnExChangeInt(static_cast<WPARAM>(rng.Int(0, 3)), reinterpret_cast<LPARAM>(&value));
            break;
        }
        case 8: {
            int place = rng.Int(-5, e.GetMaxDigit() + 5);
            e.FindSuitPlace(place);
            break;
        }
        case 9: e.GetCurValue(); break;
        default: {
            // Ordinary values round through the text form to what the display shows.
            e.SetNumberMinMax(-1000, 1000, 0);
            e.SetDicimalNum(rng.Int(-1, 3));
            const float v = static_cast<float>(rng.Int(-99999, 99999)) / 100.0f;
            e.SetCurValue(v);
            wchar_t text[NUM_TEXT_MAX];
            e.GetString(text, v);
            STRESS_CHECK(row, e.GetCurValue() == static_cast<float>(_wtof(text)), "the value is what the display shows");
            break;
        }
        }
        CheckModel(row, e, s);
    }
    stress::TableRow(row).steps += steps;
}

class NumberModel : public stress::StressTest {};

TEST_F(NumberModel, RandomSequencesWithoutAWindow)
{
    for (uint64_t seed : {1u, 2u}) {
        ModelEdit e;
        RandomSteps("number model", e, stress::Run().steps / 2, seed);
    }
}

// The same with a window, so that every change also rebuilds fonts and repaints places.
TEST_F(NumberModel, RandomSequencesOnAWindow)
{
    ModelEdit e;
    ASSERT_TRUE(e.Create(CRect(10, 10, 140, 34), &host, 100, WS_CHILD | WS_VISIBLE | ES_CENTER));
    RandomSteps("number model (window)", e, stress::Run().steps / 10, 3);
    e.DestroyWindow();
}

// The numeric label keeps its value as its window text: the same promises, whatever text the
// host writes into the window behind its back.
TEST_F(NumberModel, LabelRandomSequences)
{
    const std::string row = "number model (label)";
    CNumStatic label;
    ASSERT_TRUE(label.Create(L"0", WS_CHILD | WS_VISIBLE, CRect(10, 50, 140, 70), &host, 101, INPUTSTYLE_NUMBER));
    stress::Rng rng(5);
    const wchar_t* texts[] = {L"", L"1e300", L"-1e300", L"nan", L"-inf", L"12abc", L"99999999999999999999",
                              L"0.000001", L"-", L".", L"3.4e38", L"2147483648"};
    const long steps = stress::Run().steps / 10;
    for (long s = 0; s < steps; ++s) {
        switch (rng.Int(0, 7)) {
        case 0: label.SetNumberMinMax(rng.Hostile(), rng.Hostile(), rng.Hostile()); break;
        case 1: label.SetNumberGap(AsFloat(rng.Hostile())); break;
        case 2: label.SetDicimalNum(rng.Int(-12, 12)); break;
        case 3: label.SetText(AsFloat(rng.Hostile())); break;
        case 4: label.SetText(rng.Chance(30) ? (rng.Chance(50) ? INT_MIN : INT_MAX) : rng.Int(-100000, 100000)); break;
        case 5: label.SetWindowText(texts[rng.Int(0, static_cast<int>(sizeof(texts) / sizeof(texts[0])) - 1)]); break;
        case 6: label.SetInputStyle(rng.Chance(50) ? INPUTSTYLE_NUMBER : INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER); break;
        default: label.SetMouseGap(rng.Int(-5, 40)); break;
        }
        const std::string at = " (step " + std::to_string(s) + ")";
        double minimum = 0, maximum = 0, def = 0;
        label.GetNumberMinMax(minimum, maximum, def);
        STRESS_CHECK_AT(row, std::isfinite(minimum) && std::isfinite(maximum) && std::isfinite(def),
                        "the range stays finite", at);
        STRESS_CHECK_AT(row, maximum >= minimum, "maximum >= minimum", at);
        const float v = label.GetText();
        STRESS_CHECK_AT(row, v == v && v >= minimum && v <= maximum, "the value read back lies in the range", at);
        const int whole = label.GetIntText();
        auto saturate = [](double b) { return std::fmax(std::fmin(std::trunc(b), 2147483647.0), -2147483648.0); };
        STRESS_CHECK_AT(row, whole >= saturate(minimum) && whole <= saturate(maximum),
                        "the whole value lies in the truncated range",
                        at + ": " + std::to_string(whole) + " in " + std::to_string(minimum) + ".." + std::to_string(maximum));
    }
    stress::TableRow(row).steps += steps;
    label.DestroyWindow();
}

}  // namespace
