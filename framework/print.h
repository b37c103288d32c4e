// Printing: CPrintInfo, which carries one print job or one print preview
// through a view's print hooks, and the owner of the memory blocks in which
// the print dialogs hand over a printer.
#pragma once

#include "framework/handles.h"

#include <windows.h>
#include <commdlg.h>

namespace fw {

// A moveable memory block, as the print dialogs hand over a printer's
// names (DEVNAMES) and settings (DEVMODE).
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::GlobalFree(h); }
};
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;

}  // namespace fw

class CPrintInfo {
public:
    // A page count that the view does not know (yet).
    static constexpr UINT kUnknownMaxPage = 0xFFFF;

    CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
    ~CPrintInfo();  // deletes the printer's device context, m_pd.hDC

    // The print dialog's data. Once printing is prepared, hDC is the
    // printer's device context, owned by this object; hDevMode and hDevNames
    // stay the application's and are NULL here.
    PRINTDLGA m_pd{};
    BOOL m_bDirect = FALSE;            // no dialog: the application's printer
    BOOL m_bPreview = FALSE;           // drawn on the screen by print preview
    BOOL m_bContinuePrinting = TRUE;   // OnPrepareDC clears it after the last page
    UINT m_nCurPage = 1;               // the page being printed or shown, from 1
    RECT m_rectDraw{};                 // the printable area of the page, in printer pixels

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    // The pages to print: the range the user chose, else all of them.
    UINT GetFromPage() const;
    UINT GetToPage() const;
};
