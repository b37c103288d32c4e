// CFont, which owns one font handle, and CWaitCursor.
#pragma once

#include <windows.h>

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { DeleteObject(); }

    HFONT m_hObject = nullptr;

    operator HFONT() const { return m_hObject; }
    HFONT GetSafeHandle() const { return m_hObject; }

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL Attach(HFONT hFont);  // takes ownership; FALSE when a font is held already
    HFONT Detach();
    BOOL DeleteObject();
    int GetLogFont(LOGFONT* pLogFont) const;
};

// Shows the wait cursor for as long as the object lives.
class CWaitCursor {
public:
    CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor();

private:
    HCURSOR m_hOld;
};
