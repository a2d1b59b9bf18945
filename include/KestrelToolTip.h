// The process-wide tooltip, driven by the host from its own mouse handling.
#pragma once
#include "KestrelDefs.h"
#include "KestrelFramework.h"

// Creates the tip window (hidden). 1 when it exists, else 0.
KESTREL_API int InitToolTip(void);
KESTREL_API int ExitToolTip(void);
// Starts a tip with background clr (0 for the default pale yellow) and an empty text.
KESTREL_API void BeginToolTip(COLORREF clr);
// Shows text with its top-left corner at the screen point pt; a text of the same length as
// the one shown only moves the tip.
KESTREL_API void tooltip_string(const wchar_t* text, const CPoint& pt);
// Clears the text and hides the tip.
KESTREL_API void EndToolTip(void);
// The text the tip holds now, or null when there is no tip.
KESTREL_API const wchar_t* GetToolTipText(void);
