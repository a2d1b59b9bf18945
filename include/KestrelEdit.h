// Text entry: the filtered in-place edit box and the hot-key capture box.
#pragma once
#include "KestrelFramework.h"
#include "KestrelTheme.h"

// Input filter bits of CEditCtrl (ModifyInputStyle replaces the whole value).
constexpr DWORD INPUTSTYLE_TEXT = 0x001;     // no filtering
constexpr DWORD INPUTSTYLE_NUMBER = 0x002;   // numeric keys and characters; value parsed as float
constexpr DWORD INPUTSTYLE_INTEGER = 0x100;  // no decimal point; value parsed as integer; "%d" form

// WM_NOTIFY code both boxes send to their parent when editing ends.
constexpr UINT EDITCTRL_NOTIFY_HIDE = 0x300;

// Sent by address with EDITCTRL_NOTIFY_HIDE; text is valid only during the call.
struct NMEDITCTRL {
    NMHDR hdr;
    const wchar_t* text;
    float value;
};

// A single-use in-place editor: Create shows the text with everything selected; when the box
// loses the focus it sends NMEDITCTRL to its parent and destroys its window. The object can be
// created again for the next edit.
class KESTREL_API CEditCtrl : public CEdit {
public:
    CEditCtrl();
    ~CEditCtrl() override;

    // Always TRUE, even when the window could not be made.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CEdit::Create;

    void ModifyInputStyle(DWORD style);
    DWORD GetInputStyle() const { return m_dwInputStyle; }
    // A negative nLimit keeps the current text limit.
    void SetText(const wchar_t* text, int nLimit = -1);
    void SetNumber(float v);
    const CString& GetText() const { return m_strText; }
    int GetTextLimit() const { return m_nTextLimit; }
    void SetColor(COLORREF clr);
    void SetDefaultValue(float v);
    void EnableDblClk(BOOL b);
    // Where an edit box sits inside a cell drawn with pWnd's font.
    static void GetBestEditRect(CWnd* pWnd, CRect& rcCell, CRect& rcEdit);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKillFocus(CWnd* pNewWnd);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);

    // The text in the form SetNumber uses for v.
    CString FormatNumber(float v) const;
    void DeleteOwnBrush();

    CString m_strText;
    DWORD m_dwInputStyle;
    COLORREF m_clrBk;
    COLORREF m_clrText;
    HBRUSH m_hBkBrush;
    int m_nTextLimit;
    float m_fDefaultValue;
    BOOL m_bDblClk;

    DECLARE_MESSAGE_MAP()
};

// Room Translate needs for the longest key name and its terminator.
constexpr int KEYEDIT_NAME_MAX = 16;

// An edit box that captures a keyboard shortcut and shows it as text (Ctrl+Shift+K).
// Hot key layout: bits 0-15 modifier flags (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN),
// bits 16-23 the virtual-key code.
class KESTREL_API CKeyEdit : public CEdit {
public:
    CKeyEdit();
    ~CKeyEdit() override;

    // Always TRUE, even when the window could not be made.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CEdit::Create;

    // Shows hotKey's text and keeps userValue; the captured hot key itself is not changed.
    void SetHotKey(UINT hotKey, UINT userValue);
    UINT GetHotKey(UINT& userValue);
    // Writes the key's name into name (at least KEYEDIT_NAME_MAX characters).
    void Translate(wchar_t key, wchar_t* name);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnKillFocus(CWnd* pNewWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

    UINT m_nUserValue;
    UINT m_nHotKey;

    DECLARE_MESSAGE_MAP()
};
