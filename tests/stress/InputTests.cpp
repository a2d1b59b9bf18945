// Malformed and huge inputs to the public entry points that take text, numbers, rectangles or
// records: nothing may crash, write outside its buffers or leave state broken.
#include "Stress.h"
#include <KestrelDraw.h>
#include <KestrelEdit.h>
#include <KestrelMemDC.h>
#include <KestrelNumeric.h>
#include <KestrelOrmProgress.h>
#include <KestrelProgress.h>
#include <KestrelToolTip.h>
#include <KestrelUtil.h>
#include <climits>
#include <cmath>
#include <string>

namespace {

const char kRow[] = "malformed and huge inputs";

void Count(long calls)
{
    stress::TableRow(kRow).steps += calls;
}

// Rectangles a careless host hands over: empty, inverted, at the ends of the int range.
std::vector<CRect> HostileRects()
{
    return {CRect(0, 0, 0, 0),           CRect(50, 50, 10, 10),        CRect(-100, -100, 5, 5),
            CRect(0, 0, 1, 1),           CRect(0, 0, 30000, 30000),    CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX),
            CRect(INT_MAX - 5, 0, INT_MAX, 10), CRect(INT_MIN, INT_MIN, INT_MIN + 3, INT_MIN + 3)};
}

std::wstring HugeText(size_t length)
{
    std::wstring s(length, L'W');
    for (size_t i = 0; i < length; i += 97) s[i] = static_cast<wchar_t>(L'a' + i % 26);
    return s;
}

class Inputs : public stress::StressTest {};

TEST_F(Inputs, DrawingPrimitivesAndTheMemoryContext)
{
    kx::Canvas canvas(64, 64, RGB(0, 0, 0));
    long calls = 0;
    for (CRect r : HostileRects()) {
        for (int face = -1; face <= 4; ++face) DrawArrowInRect(canvas.dc(), r, static_cast<ENUMARROWFACE2>(face), 0xFF);
        DrawSign(canvas.dc(), r, static_cast<ENUMSIGN>(7), 0);
        DrawSign(canvas.dc(), r, SIGN_CHECK, 0);
        drawborder(canvas.cdc(), r, 1);
        draw3Dborder(canvas.cdc(), r, 0xFFFFFFFF, -1);
        OrmDraw3dRect(canvas.dc(), r, 0, 0);
        OnNcEdit(canvas.cdc(), r, 0, 0);
        drawborder(nullptr, r, 1);
        DrawArrowInRect(static_cast<CDC*>(nullptr), r, ARROWFACE2_UP, 0);
        for (CRect inner : HostileRects()) {
            CRect fitted = inner;
            CalRect4Fit(r, fitted, 0);
            IsRectIntersect(&r, &inner);
            ++calls;
        }
        DrawImg(canvas.dc(), static_cast<int>(reinterpret_cast<INT_PTR>(GetHBmp(10001))), nullptr, r);
        {
            CMemDCHelper mem(canvas.dc(), r);
            mem.GetDC();
        }
        calls += 16;
    }
    IsRectIntersect(nullptr, nullptr);
    CMemDCHelper none(nullptr, CRect(0, 0, 10, 10));
    EXPECT_EQ(none.GetDC(), nullptr);
    CMemDCHelper bogus(canvas.dc(), reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x12345)));
    PopWin2Center(nullptr);
    OnNcPaintBorder(nullptr, 1, 0, 0);

    // Image arguments of every kind: list indexes with no list, small numbers, stale handles.
    stress::Rng rng(11);
    for (int i = 0; i < 2000; ++i) {
        const int image = rng.Chance(50) ? rng.Int(-5, 70000) : static_cast<int>(rng.Next());
        DrawImg(canvas.dc(), image, nullptr, CRect(0, 0, 16, 16));
        DrawImg(nullptr, image, nullptr, CRect(0, 0, 16, 16));
    }
    calls += 4000;

    // Shortened text stays in its shared buffer, for every width and a text of a million characters.
    const std::wstring huge = HugeText(1000000);
    for (int width : {INT_MIN, -1, 0, 1, 7, 100, 5000, INT_MAX}) {
        const wchar_t* shortened = MakeShortString(canvas.dc(), huge.c_str(), width);
        ASSERT_NE(shortened, nullptr);
        const size_t length = std::wcslen(shortened);
        const bool whole = shortened == huge.c_str();
        STRESS_CHECK(kRow, whole || (length <= 255 && length >= 3 && std::wcscmp(shortened + length - 3, L"...") == 0),
                     "MakeShortString keeps to its buffer and ends in dots");
        ++calls;
    }
    EXPECT_EQ(MakeShortString(canvas.dc(), nullptr, 10), nullptr);
    EXPECT_STREQ(MakeShortString(nullptr, L"abc", 1), L"abc");
    Count(calls);
}

TEST_F(Inputs, ThemeRegistryAndCursorLookupsOutOfRange)
{
    long calls = 0;
    for (int part : {-1, 13, 100, INT_MAX, INT_MIN})
        for (int state : {-1, 0, 4, INT_MAX}) {
            EXPECT_EQ(getcaptionBmp(static_cast<ENUMCAPTIONPART>(part), static_cast<ENUMCAPTIONBTNSTATE>(state)), nullptr);
            EXPECT_EQ(getdefaultFBrush(static_cast<ENUMFRAMEBRUSH>(part), static_cast<ENUMFRAMEBRUSHSTATE>(state)), nullptr);
            calls += 2;
        }
    for (unsigned id : {0u, 1u, 9999u, 10083u, 0xFFFFu, 0xFFFFFFFFu}) {
        GetHBmp(id);
        GetHBrush(id);
        GetHCursor(id);
        calls += 3;
    }
    for (int n : {-1, 6, 1000, INT_MIN}) EXPECT_EQ(LoadCursorW(static_cast<NUMCURSOR>(n)), nullptr);
    Count(calls + 4);
}

TEST_F(Inputs, TooltipUtilitiesAndTime)
{
    long calls = 0;
    BeginToolTip(0);
    tooltip_string(nullptr, CPoint(0, 0));
    const std::wstring huge = HugeText(100000);
    for (CPoint p : {CPoint(0, 0), CPoint(-30000, -30000), CPoint(30000, 30000), CPoint(INT_MAX, INT_MIN)}) {
        tooltip_string(huge.c_str(), p);
        tooltip_string(L"", p);
        tooltip_string(huge.c_str() + 99990, p);
        calls += 3;
    }
    const wchar_t* held = GetToolTipText();
    ASSERT_NE(held, nullptr);
    STRESS_CHECK(kRow, std::wcslen(held) < 260, "the tooltip keeps its text in its own buffer");
    EndToolTip();
    EndToolTip();

    const std::wstring longDate = L"2020-" + HugeText(5000) + L"-01 00:00:00";
    const wchar_t* dates[] = {nullptr,
                              L"",
                              L"----::",
                              L"2024-02-30 25:61:61",
                              L"99999999999-1-1 0:0:0",
                              L"-2147483648--2147483648--2147483648 -2147483648:-2147483648:-2147483648",
                              L"2147483647-2147483647-2147483647 2147483647:2147483647:2147483647",
                              L"1970-01-01 00:00:00",
                              L"3001-01-01 00:00:00",
                              L"abcd-ef-gh ij:kl:mn",
                              longDate.c_str()};
    for (const wchar_t* d : dates) {
        DATETIME_timet(d);
        ++calls;
    }
    EXPECT_EQ(DATETIME_timet(nullptr), -1);

    EXPECT_FALSE(ConfirmDirectory(nullptr, TRUE));
    EXPECT_FALSE(ConfirmDirectory(L"", TRUE));
    const std::wstring deep = L"Z:\\tmp\\kestrel-stress-" + HugeText(40000);
    EXPECT_FALSE(ConfirmDirectory(deep.c_str(), TRUE));
    for (const wchar_t* p : {L"\\", L"////", L"\\\\?\\", L"C:", L"Z:\\tmp\\a<>|?*\\b", L"\\\\server"}) {
        ConfirmDirectory(p, FALSE);
        ++calls;
    }
    Count(calls + 5);
}

TEST_F(Inputs, ProgressBarsAtTheEndsOfTheIntRange)
{
    CCoolProgressCtrl cool;
    COrmProgressCtrl orm;
    ASSERT_TRUE(cool.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 30), &host, 1));
    ASSERT_TRUE(orm.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 210, 54), &host, 2));
    const int ends[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, 100, INT_MAX - 1, INT_MAX};
    long calls = 0;
    for (CProgressCtrlBase* bar : {static_cast<CProgressCtrlBase*>(&cool), static_cast<CProgressCtrlBase*>(&orm)}) {
        for (int lower : ends)
            for (int upper : ends) {
                bar->SetRange(lower, upper);
                for (int pos : ends) {
                    bar->SetPos(pos);
                    ::SendMessageW(*bar, WM_PROGRESSPOS, PROGRESSPOS_SET, pos);  // unclamped, as another thread may
                    ::SendMessageW(*bar, WM_PROGRESSPOS, 77, pos);
                    for (int left : {INT_MIN, 0, INT_MAX})
                        for (int width : {INT_MIN, -1, 0, 200, INT_MAX}) bar->PosToX(pos, left, width);
                    calls += 18;
                }
                bar->UpdateWindow();
            }
        bar->SetRange(0, 100);
        bar->SetPos(50);
        EXPECT_EQ(bar->GetPos(), 50);
    }
    cool.DrawGradient(nullptr, CRect(0, 0, 0, 0), 0);
    cool.DestroyWindow();
    orm.DestroyWindow();
    Count(calls);
}

TEST_F(Inputs, EditBoxesTakeHugeTextsAndAnyCharacter)
{
    long calls = 0;
    const std::wstring huge = HugeText(200000);
    CEditCtrl edit;
    for (DWORD style : {INPUTSTYLE_TEXT, INPUTSTYLE_NUMBER, INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, DWORD(0xFFFFFFFF), DWORD(0)}) {
        edit.ModifyInputStyle(style);
        for (int limit : {-5, 0, 3, INT_MAX}) {
            edit.SetText(huge.c_str(), limit);
            edit.SetText(L"", limit);
            calls += 2;
        }
        for (float v : {NAN, INFINITY, -INFINITY, 3.4e38f, -1e-30f}) {
            edit.SetNumber(v);
            edit.SetDefaultValue(v);
            calls += 2;
        }
        edit.SetText(L"12", 8);
        edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 30), &host, 7);
        stress::Rng rng(style);
        for (int i = 0; i < 400; ++i) {
            const UINT code = rng.Chance(50) ? static_cast<UINT>(rng.Int(0, 0xFFFF)) : static_cast<UINT>(rng.Int(0, 127));
            edit.SendMessage(WM_CHAR, code, 1);
            if (rng.Chance(10)) edit.SendMessage(WM_KEYDOWN, static_cast<WPARAM>(rng.Int(0, 255)), 1);
            ++calls;
        }
        edit.SetText(huge.c_str());
        host.SetFocus();  // ends the edit: notification, then the box goes
        kx::PumpMessages();
        STRESS_CHECK(kRow, !edit.IsWindow(), "the in-place editor closes on losing the focus");
    }
    CRect cell(0, 0, 0, 0), inner;
    CEditCtrl::GetBestEditRect(nullptr, cell, inner);
    CEditCtrl::GetBestEditRect(&host, cell, inner);

    CKeyEdit keys;
    keys.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 60, 60), &host, 8);
    wchar_t name[KEYEDIT_NAME_MAX + 4];
    for (UINT key = 0; key <= 0xFFFF; ++key) {
        name[KEYEDIT_NAME_MAX] = L'#';
        keys.Translate(static_cast<wchar_t>(key), name);
        if (name[KEYEDIT_NAME_MAX] != L'#') {
            STRESS_CHECK(kRow, false, "CKeyEdit::Translate stays inside its name buffer");
            break;
        }
    }
    keys.Translate(L'A', nullptr);
    for (UINT hot : {0u, 0xFFFFFFFFu, 0x00FF000Fu, 0x7FFFFFFFu}) keys.SetHotKey(hot, hot);
    keys.DestroyWindow();
    Count(calls + 65536 + 4);
}

TEST_F(Inputs, NumericEditorOnDegenerateRectanglesAndRandomKeys)
{
    long calls = 0;
    for (CRect r : {CRect(0, 0, 0, 0), CRect(0, 0, 3, 3), CRect(0, 0, 20, 2), CRect(0, 0, 32000, 40), CRect(0, 0, 40, 32000),
                    CRect(50, 50, 10, 10)}) {
        CNumEdit edit;
        edit.Create(r, &host, 9, WS_CHILD | WS_VISIBLE | ES_CENTER);
        edit.SetNumberMinMax(-1e30, 1e30, 0);
        edit.SetDicimalNum(6);
        edit.SetCurValue(123456.0f);
        edit.UpdateWindow();
        edit.SetFocus();
        stress::Rng rng(r.Width());
        for (int i = 0; i < 200; ++i) {
            edit.SendMessage(WM_CHAR, static_cast<WPARAM>(rng.Chance(50) ? rng.Int(0, 0xFFFF) : rng.Int(0, 127)), 1);
            ++calls;
        }
        edit.SendMessage(WM_EXCHANGENUM, NUMEXCHANGE_READ, 0);
        edit.SendMessage(WM_EXCHANGEINT, NUMEXCHANGE_WRITE, 0);
        edit.SetWindowText(HugeText(100000).c_str());
        float exchanged = 0;
        DDX_NumEdit(nullptr, 9, exchanged);
        const float v = edit.GetCurValue();
        STRESS_CHECK(kRow, v >= edit.GetMinValue() && v <= edit.GetMaxValue(), "the editor's value stays in its range");
        edit.DestroyWindow();
        calls += 4;
    }
    Count(calls);
}

}  // namespace
