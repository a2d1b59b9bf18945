// Numeric labels in each look (link, framed, sunken), an integer-only one and a plain text
// label, with a line of the last notifications they sent. The panel answers the labels' colour
// query, lighting the one under the pointer: the label repaints as the pointer enters and leaves.
#include "Panels.h"
#include <KestrelNumeric.h>
#include <string>

namespace {

constexpr UINT kFirstLabelId = 301;
constexpr int kLabelWidth = 120;
constexpr int kLabelHeight = 22;
constexpr int kCaptionWidth = 150;
constexpr int kMargin = 12;
constexpr int kRowGap = 8;
constexpr size_t kNotificationsKept = 8;
constexpr COLORREF kHoverText = RGB(255, 214, 96);

struct LabelSetup {
    const wchar_t* caption;
    const wchar_t* text;
    DWORD style;
    DWORD inputStyle;
    int decimals;
    double first, second, defValue;
    float gap;
};

const LabelSetup kLabels[] = {
    {L"link (drag, F2)", L"12.50", 0, INPUTSTYLE_NUMBER, 2, -100, 100, 0, 0.5f},
    {L"framed, centred", L"-3.0", WS_BORDER | SS_CENTER, INPUTSTYLE_NUMBER, 1, -10, 10, 0, 0.1f},
    {L"sunken, right", L"250", WS_BORDER | SS_SUNKEN | SS_RIGHT, INPUTSTYLE_NUMBER, 0, 0, 1000, 100, 5.0f},
    {L"sunken only", L"0.75", SS_SUNKEN, INPUTSTYLE_NUMBER, 2, 0, 1, 0.5, 0.01f},
    {L"integer only", L"7", WS_BORDER, INPUTSTYLE_INTEGER, 0, 0, 50, 10, 1.0f},
    {L"text (click)", L"Untitled", WS_BORDER, 0, 0, 0, 0, 0, 0.0f},
};
constexpr int kLabelCount = static_cast<int>(sizeof(kLabels) / sizeof(kLabels[0]));

const wchar_t* KindName(UINT kind)
{
    switch (kind) {
    case NUMN_BEGINCHANGE: return L"begin";
    case NUMN_CHANGING: return L"changing";
    case NUMN_ENDCHANGE: return L"end";
    case NUMN_CHANGED: return L"changed";
    default: return L"?";
    }
}

class LabelPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0)) return false;
        for (int i = 0; i < kLabelCount; ++i) {
            const LabelSetup& s = kLabels[i];
            CNumStatic& label = m_labels[i];
            label.Create(s.text, WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | s.style, LabelRect(i), this, kFirstLabelId + i, s.inputStyle);
            if (!label.IsNumeric()) continue;
            label.SetNumberMinMax(s.first, s.second, s.defValue);
            label.SetDicimalNum(s.decimals);
            label.SetNumberGap(s.gap);
            label.SetText(label.GetText());
        }
        return true;
    }

protected:
    static CRect LabelRect(int i)
    {
        const int top = kMargin + i * (kLabelHeight + kRowGap);
        return CRect(kMargin + kCaptionWidth, top, kMargin + kCaptionWidth + kLabelWidth, top + kLabelHeight);
    }
    static int StatusTop() { return kMargin + kLabelCount * (kLabelHeight + kRowGap) + 4; }

    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        for (int i = 0; i < kLabelCount; ++i) {
            const CRect r = LabelRect(i);
            dc.TextOut(kMargin, r.top + 4, kLabels[i].caption, static_cast<int>(wcslen(kLabels[i].caption)));
        }
        const std::wstring line = L"Last notifications: " + m_notifications;
        dc.TextOut(kMargin, StatusTop(), line.c_str(), static_cast<int>(line.size()));
        dc.TextOut(kMargin, StatusTop() + 18, L"Right-click a label for its bounds; double-click beside it to reset.", 68);
        dc.SelectObject(oldFont);
    }

    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT)
    {
        const bool sunken = (pWnd->GetStyle() & SS_SUNKEN) != 0;
        POINT cursor{};
        ::GetCursorPos(&cursor);
        const bool hovered = ::WindowFromPoint(cursor) == pWnd->GetSafeHwnd();
        pDC->SetTextColor(hovered ? kHoverText : getdefaultColor(sunken ? DEFCLR_EDITTEXT : DEFCLR_TEXT));
        pDC->SetBkColor(getdefaultColor(sunken ? DEFCLR_EDITBK : DEFCLR_BK));
        return sunken ? getdefaultHEditBrush() : getdefaultHBrush();
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* nm = reinterpret_cast<const NMNUMSTATIC*>(lParam);
        if (nm == nullptr || nm->hdr.code != NUMSTATIC_NOTIFYCODE) return CWnd::OnNotify(wParam, lParam, pResult);
        // Keep the last few, newest last, tagged with the label's row.
        wchar_t entry[32];
        AfxFormatW(entry, 32, L"%u:%s ", static_cast<UINT>(nm->hdr.idFrom - kFirstLabelId), KindName(nm->kind));
        m_notifications += entry;
        size_t count = 0;
        for (wchar_t c : m_notifications) count += c == L' ';
        while (count-- > kNotificationsKept) m_notifications.erase(0, m_notifications.find(L' ') + 1);
        CRect client;
        GetClientRect(&client);
        CRect status(0, StatusTop(), client.right, StatusTop() + 18);
        InvalidateRect(&status, TRUE);
        *pResult = 0;
        return TRUE;
    }

    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CNumStatic m_labels[kLabelCount];
    std::wstring m_notifications;
};

BEGIN_MESSAGE_MAP(LabelPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

}  // namespace

CWnd* CreateLabelPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<LabelPanel>(parent, area);
}
