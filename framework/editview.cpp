#include "framework/editview.h"

#include "framework/afxres.h"
#include "framework/doc.h"

#include <vector>

IMPLEMENT_DYNCREATE(CEditView, CView)

BEGIN_MESSAGE_MAP(CEditView, CView)
    fw::WmCreate<&CEditView::OnCreate>(),
    fw::Message<&CEditView::OnPaint>(WM_PAINT),
    fw::Message<&CEditView::OnSetFont>(WM_SETFONT),
    fw::Message<&CEditView::OnFindReplaceCmd>(::RegisterWindowMessageA(FINDMSGSTRINGA)),
    fw::Reflect<&CEditView::OnEditChange>(EN_CHANGE),
    fw::Command<&CEditView::OnEditUndo>(ID_EDIT_UNDO),
    fw::UpdateCommand<&CEditView::OnUpdateNeedUndo>(ID_EDIT_UNDO),
    fw::Command<&CEditView::OnEditCut>(ID_EDIT_CUT),
    fw::UpdateCommand<&CEditView::OnUpdateNeedSel>(ID_EDIT_CUT),
    fw::Command<&CEditView::OnEditCopy>(ID_EDIT_COPY),
    fw::UpdateCommand<&CEditView::OnUpdateNeedSel>(ID_EDIT_COPY),
    fw::Command<&CEditView::OnEditClear>(ID_EDIT_CLEAR),
    fw::UpdateCommand<&CEditView::OnUpdateNeedSel>(ID_EDIT_CLEAR),
    fw::Command<&CEditView::OnEditPaste>(ID_EDIT_PASTE),
    fw::UpdateCommand<&CEditView::OnUpdateNeedClip>(ID_EDIT_PASTE),
    fw::Command<&CEditView::OnEditSelectAll>(ID_EDIT_SELECT_ALL),
    fw::UpdateCommand<&CEditView::OnUpdateNeedText>(ID_EDIT_SELECT_ALL),
    fw::Command<&CEditView::OnEditFind>(ID_EDIT_FIND),
    fw::UpdateCommand<&CEditView::OnUpdateNeedText>(ID_EDIT_FIND),
    fw::Command<&CEditView::OnEditReplace>(ID_EDIT_REPLACE),
    fw::UpdateCommand<&CEditView::OnUpdateNeedText>(ID_EDIT_REPLACE),
    fw::Command<&CEditView::OnEditRepeat>(ID_EDIT_REPEAT),
    fw::UpdateCommand<&CEditView::OnUpdateNeedFind>(ID_EDIT_REPEAT),
    fw::Command<&CView::OnFilePrint>(ID_FILE_PRINT),
    fw::Command<&CView::OnFilePrint>(ID_FILE_PRINT_DIRECT),
    fw::Command<&CView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
END_MESSAGE_MAP()

BOOL CEditView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = "EDIT";
    cs.style |= WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE |
                ES_NOHIDESEL;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CView::PreCreateWindow(cs);
}

int CEditView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CView::OnCreate(lpcs) == -1) return -1;
    SendMessage(EM_LIMITTEXT, kTextLimit);
    SetTabStops();
    return 0;
}

// The control paints itself.
LRESULT CEditView::OnPaint(WPARAM, LPARAM) { return Default(); }

void CEditView::SetTabStops() {
    int tab = kTabStop;
    SendMessage(EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
}

LRESULT CEditView::OnSetFont(WPARAM, LPARAM) {
    // The control measures tab stops in the font it has: set them again.
    const LRESULT result = Default();
    SetTabStops();
    return result;
}

void CEditView::OnEditChange() {
    if (CDocument* pDoc = GetDocument()) pDoc->SetModifiedFlag(TRUE);
}

void CEditView::SerializeRaw(CArchive& ar) {
    if (ar.IsStoring()) {
        const std::string text = GetWindowText();
        ar.Write(text.data(), static_cast<UINT>(text.size()));
        return;
    }
    std::string text;
    std::vector<char> chunk(64 * 1024);
    while (text.size() < kTextLimit) {
        const UINT n = ar.Read(chunk.data(), static_cast<UINT>(chunk.size()));
        if (n == 0) break;
        text.append(chunk.data(), n);
    }
    if (text.size() > kTextLimit) text.resize(kTextLimit);
    SetWindowText(text.c_str());
}

void CEditView::OnEditUndo() { SendMessage(EM_UNDO); }
void CEditView::OnEditCut() { SendMessage(WM_CUT); }
void CEditView::OnEditCopy() { SendMessage(WM_COPY); }
void CEditView::OnEditPaste() { SendMessage(WM_PASTE); }
void CEditView::OnEditClear() { SendMessage(WM_CLEAR); }
void CEditView::OnEditSelectAll() { SendMessage(EM_SETSEL, 0, -1); }

void CEditView::OnUpdateNeedUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(SendMessage(EM_CANUNDO) != 0); }

void CEditView::OnUpdateNeedSel(CCmdUI* pCmdUI) {
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    pCmdUI->Enable(start != end);
}

void CEditView::OnUpdateNeedClip(CCmdUI* pCmdUI) { pCmdUI->Enable(::IsClipboardFormatAvailable(CF_TEXT)); }

void CEditView::OnUpdateNeedText(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWindowTextLength() > 0); }
