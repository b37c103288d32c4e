// Printing of an edit view: the whole text as it is when printing begins,
// wrapped and paged by the pagination rules, drawn in the view's font scaled
// from the screen to the printer.
#include "framework/editview.h"

#include "framework/handles.h"
#include "framework/print.h"

#include <string_view>
#include <vector>

namespace {

// The printer's counterpart of a screen font: the same font, as many
// printer pixels high (and wide) as it is screen pixels, scaled by the two
// devices' resolutions.
LOGFONTA PrinterLogFont(HFONT hScreenFont, HDC hPrinterDC) {
    LOGFONTA lf{};
    ::GetObjectA(hScreenFont, sizeof lf, &lf);
    fw::WindowDC screen(nullptr);
    lf.lfHeight = ::MulDiv(lf.lfHeight, ::GetDeviceCaps(hPrinterDC, LOGPIXELSY), ::GetDeviceCaps(screen.get(), LOGPIXELSY));
    lf.lfWidth = ::MulDiv(lf.lfWidth, ::GetDeviceCaps(hPrinterDC, LOGPIXELSX), ::GetDeviceCaps(screen.get(), LOGPIXELSX));
    // A scalable font, so that the preview can draw it at any size.
    lf.lfOutPrecision = OUT_TT_PRECIS;
    return lf;
}

}  // namespace

void CEditView::OnBeginPrinting(HDC hDC, CPrintInfo* pInfo) {
    HFONT hFont = GetFont();
    if (!hFont) hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FIXED_FONT));
    const LOGFONTA lf = PrinterLogFont(hFont, hDC);
    m_printerFont.DeleteObject();
    m_printerFont.CreateFontIndirect(&lf);

    fw::ScopedSelectObject selectFont(hDC, m_printerFont.GetSafeHandle());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(hDC, &tm);
    fw::PageFormat format;
    format.width = ::GetDeviceCaps(hDC, HORZRES);
    format.height = ::GetDeviceCaps(hDC, VERTRES);
    format.lineHeight = m_nPrintLineHeight = tm.tmHeight + tm.tmExternalLeading;
    // The control's tab stops are in dialog units: a quarter of the average
    // character width each.
    format.tabWidth = m_nPrintTabWidth = kTabStop * tm.tmAveCharWidth / 4;

    m_strPrintText = GetWindowText();
    m_pagination = fw::Pagination(m_strPrintText, format, [hDC](std::string_view run) {
        SIZE size{};
        ::GetTextExtentPoint32A(hDC, run.data(), static_cast<int>(run.size()), &size);
        return static_cast<int>(size.cx);
    });
    pInfo->SetMaxPage(m_pagination.PageCount());
}

void CEditView::OnPrepareDC(HDC, CPrintInfo* pInfo) {
    pInfo->m_bContinuePrinting = pInfo->m_nCurPage <= m_pagination.PageCount();
}

void CEditView::OnPrint(HDC hDC, CPrintInfo* pInfo) {
    // Every character goes where the printer puts it, measured on the
    // printer's DC: the same DC when printing, while a preview draws on the
    // screen and must show the printed lines exactly.
    HDC hMeasureDC = pInfo->m_pd.hDC ? pInfo->m_pd.hDC : hDC;
    fw::ScopedSelectObject selectFont(hDC, m_printerFont.GetSafeHandle());
    fw::ScopedSelectObject selectMeasureFont(hMeasureDC, hMeasureDC != hDC ? m_printerFont.GetSafeHandle() : nullptr);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const RECT& rect = pInfo->m_rectDraw;
    const size_t first = m_pagination.FirstLineOfPage(pInfo->m_nCurPage);
    const size_t count = m_pagination.LineCountOfPage(pInfo->m_nCurPage);
    std::vector<int> advances;
    int y = rect.top;
    for (size_t i = first; i < first + count; ++i) {
        const fw::TextLine& line = m_pagination.Lines()[i];
        const char* text = m_strPrintText.data();
        int x = 0;
        for (size_t pos = line.start, end = line.start + line.length; pos < end;) {
            if (text[pos] == '\t') {
                x = fw::NextTabStop(x, m_nPrintTabWidth);
                ++pos;
                continue;
            }
            size_t runEnd = pos;
            while (runEnd < end && text[runEnd] != '\t') ++runEnd;
            const int n = static_cast<int>(runEnd - pos);
            advances.resize(static_cast<size_t>(n));
            SIZE size{};
            ::GetTextExtentExPointA(hMeasureDC, text + pos, n, 0, nullptr, advances.data(), &size);
            for (int k = n - 1; k > 0; --k) advances[k] -= advances[k - 1];  // extents to advances
            ::ExtTextOutA(hDC, rect.left + x, y, 0, nullptr, text + pos, static_cast<UINT>(n), advances.data());
            x += size.cx;
            pos = runEnd;
        }
        y += m_nPrintLineHeight;
    }
    ::SetBkMode(hDC, nOldMode);
}

void CEditView::OnEndPrinting(HDC, CPrintInfo*) {
    m_printerFont.DeleteObject();
    m_pagination = fw::Pagination();
    m_strPrintText.clear();
    m_strPrintText.shrink_to_fit();
}
