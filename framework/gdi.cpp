#include "framework/gdi.h"

#include <utility>

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::Attach(HFONT hFont) {
    if (!hFont || m_hObject) return FALSE;
    m_hObject = hFont;
    return TRUE;
}

HFONT CFont::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CFont::DeleteObject() {
    HFONT hFont = Detach();
    return hFont ? ::DeleteObject(hFont) : FALSE;
}

int CFont::GetLogFont(LOGFONT* pLogFont) const {
    return m_hObject ? ::GetObjectA(m_hObject, sizeof(LOGFONT), pLogFont) : 0;
}

CWaitCursor::CWaitCursor() : m_hOld(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor() { ::SetCursor(m_hOld); }
