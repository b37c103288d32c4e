// Find and Replace for edit views: the system's modeless dialogs, and one
// search text, direction and case rule shared by every edit view.
#include "framework/editview.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

namespace {

class CFindReplaceDialog;

struct SearchState {
    std::string strFind;
    std::string strReplace;
    BOOL bCase = FALSE;
    BOOL bNext = TRUE;
    BOOL bFindOnly = TRUE;
    CFindReplaceDialog* pDialog = nullptr;  // the open dialog; it deletes itself when it goes
};

SearchState& Search() {
    static SearchState state;
    return state;
}

class CFindReplaceDialog : public CWnd {
public:
    BOOL Create(BOOL bFindOnly, DWORD dwFlags, CWnd* pOwner) {
        const SearchState& state = Search();
        state.strFind.copy(m_szFind, sizeof m_szFind - 1);
        state.strReplace.copy(m_szReplace, sizeof m_szReplace - 1);
        m_fr.lStructSize = sizeof m_fr;
        m_fr.hwndOwner = pOwner->m_hWnd;
        m_fr.Flags = dwFlags;
        m_fr.lpstrFindWhat = m_szFind;
        m_fr.wFindWhatLen = sizeof m_szFind;
        m_fr.lpstrReplaceWith = m_szReplace;
        m_fr.wReplaceWithLen = sizeof m_szReplace;
        HookWindowCreate(this);
        HWND hWnd = bFindOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
        UnhookWindowCreate();
        return hWnd != nullptr;
    }

    // A modeless dialog needs its keys (Tab, Enter, Escape) translated.
    BOOL PreTranslateMessage(MSG* pMsg) override { return ::IsDialogMessageA(m_hWnd, pMsg); }

    void PostNcDestroy() override {
        if (Search().pDialog == this) Search().pDialog = nullptr;
        delete this;
    }

private:
    FINDREPLACEA m_fr{};  // the dialog reads and writes it for as long as it lives
    char m_szFind[128] = {};
    char m_szReplace[128] = {};
};

std::string Folded(std::string s, BOOL bCase) {
    if (!bCase && !s.empty()) ::CharLowerBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace

BOOL CEditView::FindText(const char* lpszFind, BOOL bNext, BOOL bCase) {
    const std::string find = Folded(lpszFind ? lpszFind : "", bCase);
    if (find.empty()) return FALSE;
    const std::string text = Folded(GetWindowText(), bCase);
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));

    size_t at = std::string::npos;
    if (bNext) {
        at = text.find(find, end);
        if (at == std::string::npos) at = text.find(find);  // wrap to the top
    } else {
        if (start > 0) at = text.rfind(find, start - 1);
        if (at == std::string::npos) at = text.rfind(find);  // wrap to the bottom
    }
    if (at == std::string::npos) return FALSE;
    SendMessage(EM_SETSEL, at, at + find.size());
    SendMessage(EM_SCROLLCARET);
    return TRUE;
}

BOOL CEditView::SameAsSelected(const char* lpszCompare, BOOL bCase) const {
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::string text = GetWindowText();
    if (start >= end || end > text.size()) return FALSE;
    return Folded(text.substr(start, end - start), bCase) == Folded(lpszCompare, bCase);
}

void CEditView::ReplaceSel(const char* lpszReplace) {
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(lpszReplace));
}

void CEditView::ReplaceAll(const char* lpszFind, const char* lpszReplace, BOOL bCase) {
    const std::string find = lpszFind ? lpszFind : "";
    if (find.empty()) return;
    const std::string text = GetWindowText();
    const std::string folded = Folded(text, bCase);
    const std::string foldedFind = Folded(find, bCase);
    std::string result;
    size_t from = 0;
    for (size_t at = folded.find(foldedFind); at != std::string::npos; at = folded.find(foldedFind, from)) {
        result.append(text, from, at - from).append(lpszReplace);
        from = at + find.size();
    }
    if (from == 0) {
        OnTextNotFound(lpszFind);
        return;
    }
    result.append(text, from, std::string::npos);
    // One undoable replacement of the whole text, which the document sees
    // as a change.
    SendMessage(EM_SETSEL, 0, -1);
    ReplaceSel(result.c_str());
    SendMessage(EM_SETSEL, 0, 0);
}

void CEditView::OnFindReplace(BOOL bFindOnly) {
    SearchState& state = Search();
    if (state.pDialog) {
        if (state.bFindOnly == bFindOnly) {
            ::SetActiveWindow(state.pDialog->m_hWnd);
            return;
        }
        state.pDialog->DestroyWindow();
    }
    // A selection on one line becomes the text to find.
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start < end) {
        const std::string selected = GetWindowText().substr(start, end - start);
        if (selected.find_first_of("\r\n") == std::string::npos) state.strFind = selected;
    }
    state.bFindOnly = bFindOnly;
    auto* pDialog = new CFindReplaceDialog;
    const DWORD flags = FR_HIDEWHOLEWORD | (state.bCase ? FR_MATCHCASE : 0) | (state.bNext ? FR_DOWN : 0);
    if (!pDialog->Create(bFindOnly, flags, this)) {
        delete pDialog;
        return;
    }
    state.pDialog = pDialog;
}

void CEditView::OnEditFind() { OnFindReplace(TRUE); }
void CEditView::OnEditReplace() { OnFindReplace(FALSE); }

void CEditView::OnEditRepeat() {
    const SearchState& state = Search();
    if (!FindText(state.strFind.c_str(), state.bNext, state.bCase)) OnTextNotFound(state.strFind.c_str());
}

void CEditView::OnUpdateNeedFind(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetWindowTextLength() > 0 && !Search().strFind.empty());
}

LRESULT CEditView::OnFindReplaceCmd(WPARAM, LPARAM lParam) {
    const auto* pfr = reinterpret_cast<const FINDREPLACEA*>(lParam);
    if (pfr->Flags & FR_DIALOGTERM) return 0;  // the dialog closes and deletes itself
    SearchState& state = Search();
    state.strFind = pfr->lpstrFindWhat;
    state.bCase = (pfr->Flags & FR_MATCHCASE) != 0;
    state.bNext = (pfr->Flags & FR_DOWN) != 0 || !state.bFindOnly;
    if (!state.bFindOnly) state.strReplace = pfr->lpstrReplaceWith;

    if (pfr->Flags & FR_FINDNEXT) {
        if (!FindText(state.strFind.c_str(), state.bNext, state.bCase)) OnTextNotFound(state.strFind.c_str());
    } else if (pfr->Flags & FR_REPLACE) {
        if (SameAsSelected(state.strFind.c_str(), state.bCase)) ReplaceSel(state.strReplace.c_str());
        if (!FindText(state.strFind.c_str(), TRUE, state.bCase)) OnTextNotFound(state.strFind.c_str());
    } else if (pfr->Flags & FR_REPLACEALL) {
        ReplaceAll(state.strFind.c_str(), state.strReplace.c_str(), state.bCase);
    }
    return 0;
}

void CEditView::OnTextNotFound(const char*) { ::MessageBeep(MB_ICONHAND); }
