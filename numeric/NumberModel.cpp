// The number model: range, default, decimals, clamping, text form, and the numeric editor's
// row of character places. Window work is skipped while the editor has no window.
#include "NumberModel.h"
#include <cwchar>
#include <cstdlib>

using numeric::IsNaN;
using numeric::Truncate;

namespace {
// "%.00f" with its fourth character advanced by the decimal count gives "%.01f" .. "%.06f".
constexpr wchar_t kDecimalFormat[] = L"%.00f";
constexpr int kDecimalFormatDigit = 3;
constexpr wchar_t kSpaceCode = L' ';

// What a place of the row shows, for a value's text that is predicted to be length places long
// and starts at place start: 0 before the text, a space after it, a digit's value or the
// character itself inside it.
int PlaceValue(const wchar_t* text, size_t textLength, long long length, long long start, long long place)
{
    if (place < start) return 0;
    const long long index = place - start;
    if (index >= length) return kSpaceCode;
    // The predicted length can exceed the text (-0.3 shows as "0"): the terminator reads as 0.
    const wchar_t ch = index < static_cast<long long>(textLength) ? text[index] : L'\0';
    if (numeric::IsDigitCode(ch)) return ch - L'0';
    return ch;
}
}  // namespace

// ---- CNumberModel ----

CNumberModel::CNumberModel(float maximum, float minimum, float defValue, float gap, int mouseGap, int decimals)
    : m_fMaxValue(maximum), m_fMinValue(minimum), m_fDefValue(defValue), m_fGap(gap), m_nMouseGap(mouseGap),
      m_nDicimalNum(decimals)
{
}

int CNumberModel::DigitCount(int n)
{
    long long k = n < 0 ? -static_cast<long long>(n) : n;
    int digits = 1;
    while (k > 9) {
        k /= 10;
        ++digits;
    }
    return digits;
}

DWORD CNumberModel::EditStyleFor(int decimals)
{
    return decimals == 0 ? (INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER) : INPUTSTYLE_NUMBER;
}

void CNumberModel::FormatValue(wchar_t* buffer, float v, int decimals)
{
    if (buffer == nullptr) return;
    if (decimals <= 0) {
        _itow(numeric::RoundEven(v), buffer, 10);
        return;
    }
    if (decimals > NUM_DECIMAL_MAX) decimals = NUM_DECIMAL_MAX;
    wchar_t format[sizeof(kDecimalFormat) / sizeof(wchar_t)];
    wcscpy(format, kDecimalFormat);
    format[kDecimalFormatDigit] = static_cast<wchar_t>(format[kDecimalFormatDigit] + decimals);
    AfxFormatW(buffer, NUM_TEXT_MAX, format, static_cast<double>(v));
}

BOOL CNumberModel::StoreRange(double first, double second)
{
    first = numeric::ToFloatRange(first);
    second = numeric::ToFloatRange(second);
    if (static_cast<double>(m_fMaxValue) == second && static_cast<double>(m_fMinValue) == first) return FALSE;
    if (first < second) {
        m_fMaxValue = static_cast<float>(second);
        m_fMinValue = static_cast<float>(first);
    } else {
        m_fMaxValue = static_cast<float>(first);
        m_fMinValue = static_cast<float>(second);
    }
    return TRUE;
}

BOOL CNumberModel::StoreDefault(double first, double second, double defValue)
{
    first = numeric::ToFloatRange(first);
    second = numeric::ToFloatRange(second);
    defValue = numeric::ToFloatRange(defValue);
    // Only reachable with descending bounds: a default strictly between them becomes first.
    double d = (defValue < first && defValue > second) ? first : defValue;
    if (static_cast<double>(m_fDefValue) == d) return FALSE;
    m_fDefValue = static_cast<float>(d);
    return TRUE;
}

BOOL CNumberModel::StoreDicimalNum(int count)
{
    if (count > NUM_DECIMAL_MAX) count = NUM_DECIMAL_MAX;
    if (count < NUM_DECIMAL_MIN) count = NUM_DECIMAL_MIN;
    if (count == m_nDicimalNum) return FALSE;
    m_nDicimalNum = count;
    return TRUE;
}

float CNumberModel::ClampValue(float v) const
{
    if (v > m_fMaxValue) v = m_fMaxValue;
    if (v < m_fMinValue) v = m_fMinValue;
    return v;
}

int CNumberModel::ClampInt(int n) const
{
    // Compared in double: an int beyond 2^24 would round when narrowed to float.
    if (static_cast<double>(n) > m_fMaxValue) n = Truncate(m_fMaxValue);
    if (static_cast<double>(n) < m_fMinValue) n = Truncate(m_fMinValue);
    return n;
}

// ---- CNumEdit: value ----

void CNumEdit::SetNumberMinMax(double first, double second, double defValue)
{
    if (IsNaN(first) || IsNaN(second) || IsNaN(defValue)) return;
    if (StoreRange(first, second)) {
        if (m_fCurValue > m_fMaxValue || m_fCurValue < m_fMinValue)
            SetCurValue(static_cast<float>(numeric::ToFloatRange(first)));
    }
    StoreDefault(first, second, defValue);
    RecreateFont();
}

void CNumEdit::SetNumberGap(float gap)
{
    if (!IsNaN(gap) && gap != m_fGap) m_fGap = gap;
}

void CNumEdit::SetMouseGap(int pixels)
{
    if (pixels != m_nMouseGap) m_nMouseGap = pixels;
}

void CNumEdit::SetDicimalNum(int count)
{
    if (!StoreDicimalNum(count)) return;
    m_editBox.ModifyInputStyle(EditStyleFor(m_nDicimalNum));
    RecreateFont();
    SetCurValue(GetCurValue());
    NotifyValueChange();  // the same value now reads with other decimals
}

void CNumEdit::SetCurValue(float v)
{
    if (IsNaN(v)) return;
    v = ClampValue(v);
    // The text round trip is the rounding rule: the stored value is what the display shows.
    wchar_t text[NUM_TEXT_MAX];
    GetString(text, v);
    SetValue(static_cast<float>(_wtof(text)));
}

void CNumEdit::SetCurValue(int n)
{
    SetValue(static_cast<float>(ClampInt(n)));
}

float CNumEdit::GetCurValue()
{
    float result = m_fCurValue;
    if (result > m_fMaxValue) {
        SetCurValue(m_fMaxValue);
        result = m_fMaxValue;
    }
    if (result < m_fMinValue) {
        SetCurValue(m_fMinValue);
        result = m_fMinValue;
    }
    return result;
}

int CNumEdit::GetCurIntValue() const
{
    return ClampInt(Truncate(m_fCurValue));
}

void CNumEdit::GetString(wchar_t* buffer, float v) const
{
    FormatValue(buffer, v, m_nDicimalNum);
}

// ---- CNumEdit: places ----

int CNumEdit::GetMaxDigit() const
{
    int places = DigitCount(Truncate(m_fMaxValue));
    if (m_fMinValue < 0) ++places;
    if (m_nDicimalNum > 0) places += m_nDicimalNum + 1;
    return places;
}

int CNumEdit::GetCurDigit(float v) const
{
    int length = DigitCount(Truncate(v));
    if (v < 0) ++length;
    if (m_nDicimalNum > 0) length += m_nDicimalNum + 1;
    return length;
}

int CNumEdit::GetMiddleStartPlace(float v) const
{
    return numeric::RoundEven(static_cast<float>(GetMaxDigit() - GetCurDigit(v)) * 0.5f);
}

long long CNumEdit::TextStartPlace(float v) const
{
    switch (GetAlignment()) {
    case ES_RIGHT: return GetMaxDigit() - GetCurDigit(v);
    case ES_CENTER: return GetMiddleStartPlace(v);
    default: return 0;
    }
}

int CNumEdit::GetItemValue(UINT place, float v) const
{
    wchar_t text[NUM_TEXT_MAX];
    GetString(text, v);
    return PlaceValue(text, wcslen(text), GetCurDigit(v), TextStartPlace(v), place);
}

int CNumEdit::EndPlace(float v) const
{
    int end;
    switch (GetAlignment()) {
    case ES_RIGHT:
        end = GetMaxDigit();
        break;
    case ES_LEFT:
        end = GetCurDigit(v);
        break;
    default:
        end = GetMiddleStartPlace(v) + GetCurDigit(v);
        break;
    }
    if (m_nDicimalNum >= 1) end -= m_nDicimalNum + 1;
    return end;
}

void CNumEdit::FindSuitPlace(int& place) const
{
    const int places = GetMaxDigit();
    const int length = GetCurDigit(m_fCurValue);
    const int middle = GetMiddleStartPlace(m_fCurValue);
    // The caret skips the decimal point (or the end of a text without decimals).
    if (place == EndPlace(m_fCurValue)) ++place;
    switch (GetAlignment()) {
    case ES_RIGHT: {
        const int firstText = places - length;
        if (place < firstText) place = m_fCurValue < 0 ? firstText : firstText - 1;
        break;
    }
    case ES_CENTER:
        if (place < middle) place = m_fCurValue < 0 ? middle : middle - 1;
        if (place > middle + length) place = middle + length;
        break;
    case ES_LEFT:
        if (place > length) place = length;
        break;
    default:
        break;
    }
}

int CNumEdit::GetRightPlace()
{
    UINT place = 0;
    if (GetAlignment() == ES_RIGHT) place = static_cast<UINT>(GetMaxDigit());
    else if (GetAlignment() == ES_LEFT) place = static_cast<UINT>(GetCurDigit(m_fCurValue));
    return GetItemRect(place).left;
}

void CNumEdit::GetChangedPlaces(float from, float to, int& first, int& last) const
{
    // Each value is formatted once for the whole row: a drag calls this on every step.
    wchar_t fromText[NUM_TEXT_MAX], toText[NUM_TEXT_MAX];
    GetString(fromText, from);
    GetString(toText, to);
    const size_t fromTextLength = wcslen(fromText), toTextLength = wcslen(toText);
    const int places = GetMaxDigit();
    const int oldLength = GetCurDigit(from);
    const int newLength = GetCurDigit(to);
    const long long oldStart = TextStartPlace(from), newStart = TextStartPlace(to);
    first = last = -1;
    for (int i = 0; i < places; ++i) {
        bool changed = PlaceValue(toText, toTextLength, newLength, newStart, i) !=
                           PlaceValue(fromText, fromTextLength, oldLength, oldStart, i) ||
                       i > oldLength || i > newLength;
        if (!changed) continue;
        if (first < 0) first = i;
        last = i;
    }
}

void CNumEdit::SetValue(float v)
{
    if (v == m_fCurValue) return;
    int first = -1;
    int last = -1;
    GetChangedPlaces(m_fCurValue, v, first, last);
    m_fCurValue = v;
    if (m_hWnd == nullptr) return;
    NotifyValueChange();
    RECT a = GetItemRect(static_cast<UINT>(first));
    RECT b = GetItemRect(static_cast<UINT>(last));
    RECT changed = {a.left, a.top, b.right, a.bottom};
    InvalidateRect(&changed, TRUE);
    UpdateWindow();
}

void CNumEdit::NotifyParent(unsigned long code)
{
    if (m_hWnd == nullptr) return;
    HWND parent = ::GetParent(m_hWnd);
    if (parent == nullptr) return;
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
}

// ---- Value exchange ----

LRESULT CNumEdit::OnExChangeNum(WPARAM wParam, LPARAM lParam)
{
    auto* value = reinterpret_cast<float*>(lParam);
    if (value == nullptr) return 0;
    if (wParam == NUMEXCHANGE_READ) *value = GetCurValue();
    else if (wParam == NUMEXCHANGE_WRITE) SetCurValue(*value);
    return 0;
}

LRESULT CNumEdit::OnExChangeInt(WPARAM wParam, LPARAM lParam)
{
    // Whole numbers from here on; the font and the editor's style stay as they are.
    m_nDicimalNum = 0;
    auto* value = reinterpret_cast<int*>(lParam);
    if (value == nullptr) return 0;
    if (wParam == NUMEXCHANGE_READ) *value = GetCurIntValue();
    else if (wParam == NUMEXCHANGE_WRITE) SetValue(static_cast<float>(ClampInt(*value)));
    return 0;
}

void DDX_NumEdit(CDataExchange* pDX, int nIDC, float& value)
{
    if (pDX == nullptr) return;
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl == nullptr) return;
    ::SendMessageW(hCtrl, WM_EXCHANGENUM, pDX->m_bSaveAndValidate ? NUMEXCHANGE_READ : NUMEXCHANGE_WRITE,
                   reinterpret_cast<LPARAM>(&value));
}

void DDX_NumEdit(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX == nullptr) return;
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl == nullptr) return;
    ::SendMessageW(hCtrl, WM_EXCHANGEINT, pDX->m_bSaveAndValidate ? NUMEXCHANGE_READ : NUMEXCHANGE_WRITE,
                   reinterpret_cast<LPARAM>(&value));
}

void DDX_NumEdit(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX == nullptr) return;
    CWnd* pWnd = CWnd::FromHandlePermanent(pDX->PrepareCtrl(nIDC));
    if (pWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate) pWnd->GetWindowText(value);
    else pWnd->SetWindowText(value);
}
