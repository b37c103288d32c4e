#include "framework/doc.h"

#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/doctemplate.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/handles.h"
#include "framework/view.h"

#include <commdlg.h>

void CArchive::Write(const void* lpBuf, UINT nMax) {
    const BYTE* p = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0 && !m_bFailed) {
        DWORD written = 0;
        if (!::WriteFile(m_hFile, p, nMax, &written, nullptr) || written == 0) {
            m_bFailed = TRUE;
            return;
        }
        p += written;
        nMax -= written;
    }
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nMax, &read, nullptr)) {
        m_bFailed = TRUE;
        return 0;
    }
    return read;
}

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    fw::Command<&CDocument::OnFileClose>(ID_FILE_CLOSE),
    fw::Command<&CDocument::OnFileSave>(ID_FILE_SAVE),
    fw::Command<&CDocument::OnFileSaveAs>(ID_FILE_SAVE_AS),
END_MESSAGE_MAP()

CDocument::~CDocument() {
    DisconnectViews();
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* lpszTitle) {
    m_strTitle = lpszTitle ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(const char* lpszPathName) {
    char full[MAX_PATH];
    const DWORD n = ::GetFullPathNameA(lpszPathName, MAX_PATH, full, nullptr);
    m_strPathName = (n > 0 && n < MAX_PATH) ? full : lpszPathName;
    char title[MAX_PATH];
    SetTitle(::GetFileTitleA(m_strPathName.c_str(), title, MAX_PATH) == 0 ? title : m_strPathName.c_str());
}

void CDocument::AddView(CView* pView) {
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    if (!m_viewList.Remove(pView)) return;
    pView->m_pDocument = nullptr;
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
    } else {
        UpdateFrameCounts();
    }
}

void CDocument::DisconnectViews() {
    while (!m_viewList.IsEmpty()) {
        CView* pView = m_viewList.GetHead();
        m_viewList.Remove(pView);
        pView->m_pDocument = nullptr;
    }
}

void CDocument::UpdateFrameCounts() {
    // Frames are numbered in the order of their views when there are several.
    CTypedPtrList<CFrameWnd*> frames;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame && !frames.Find(pFrame)) frames.AddTail(pFrame);
    }
    int nWindow = frames.GetCount() > 1 ? 1 : 0;
    for (POSITION pos = frames.GetHeadPosition(); pos;) {
        CFrameWnd* pFrame = frames.GetNext(pos);
        pFrame->m_nWindow = nWindow ? nWindow++ : 0;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

static std::string LastErrorText() {
    char* text = nullptr;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, ::GetLastError(), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = text ? text : "";
    ::LocalFree(text);
    return result;
}

static void ReportFileError(UINT nIDPrompt, const char* lpszPathName, const std::string& detail) {
    std::string prompt = AfxFormatString1(nIDPrompt, lpszPathName);
    if (!detail.empty()) prompt += "\n\n" + detail;
    AfxMessageBox(prompt.c_str(), MB_ICONEXCLAMATION, nIDPrompt);
}

BOOL CDocument::OnOpenDocument(const char* lpszPathName) {
    fw::UniqueKernelHandle file(::CreateFileA(lpszPathName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        ReportFileError(AFX_IDP_FAILED_TO_OPEN_DOC, lpszPathName, LastErrorText());
        return FALSE;
    }
    DeleteContents();
    CArchive ar(file.get(), CArchive::load);
    Serialize(ar);
    if (ar.IsFailed()) {
        ReportFileError(AFX_IDP_FAILED_TO_OPEN_DOC, lpszPathName, LastErrorText());
        DeleteContents();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* lpszPathName) {
    fw::UniqueKernelHandle file(::CreateFileA(lpszPathName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        ReportFileError(AFX_IDP_FILE_GENERIC, lpszPathName, LastErrorText());
        return FALSE;
    }
    CArchive ar(file.get(), CArchive::store);
    Serialize(ar);
    const bool bFailed = ar.IsFailed() || !::FlushFileBuffers(file.get());
    if (bFailed) {
        const std::string detail = LastErrorText();
        file.reset();
        ::DeleteFileA(lpszPathName);  // no half-written file is left behind
        ReportFileError(AFX_IDP_FILE_GENERIC, lpszPathName, detail);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::DoSave(const char* lpszPathName, BOOL bReplace) {
    std::string newName = lpszPathName ? lpszPathName : "";
    if (newName.empty()) {
        newName = m_strPathName;
        if (newName.empty()) {
            // Proposed from the title, cut before the first character that a
            // file name should not carry, with the document type's extension.
            newName = m_strTitle.substr(0, m_strTitle.find_first_of(" #%;/\\"));
            if (m_pDocTemplate) newName += m_pDocTemplate->GetDocString(CDocTemplate::filterExt);
        }
        CWinApp* pApp = AfxGetApp();
        if (!pApp || !pApp->DoPromptFileName(newName, AFX_IDS_SAVEFILE, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                                             FALSE, m_pDocTemplate)) {
            return FALSE;
        }
    }
    CWaitCursor wait;
    if (!OnSaveDocument(newName.c_str())) return FALSE;
    if (bReplace) SetPathName(newName.c_str());
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    const DWORD attributes = m_strPathName.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) return DoSave(nullptr);
    return DoSave(m_strPathName.c_str());
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }

void CDocument::OnFileClose() {
    if (!SaveModified()) return;
    OnCloseDocument();
}

void CDocument::OnCloseDocument() {
    // Destroying each frame destroys its views, which leave the list.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = m_viewList.GetHead();
        if (CFrameWnd* pFrame = pView->GetParentFrame()) {
            pFrame->DestroyWindow();
        } else {
            pView->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView) RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) {
    if (!IsModified()) return TRUE;
    // Another frame still shows the document: nothing is lost yet.
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        if (GetNextView(pos)->GetParentFrame() != pFrame) return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    std::string name;
    if (m_strPathName.empty()) {
        name = m_strTitle.empty() ? AfxLoadString(AFX_IDS_UNTITLED) : m_strTitle;
    } else {
        char title[MAX_PATH];
        name = ::GetFileTitleA(m_strPathName.c_str(), title, MAX_PATH) == 0 ? title : m_strPathName;
    }
    const std::string prompt = AfxFormatString1(AFX_IDP_ASK_TO_SAVE, name.c_str());
    switch (AfxMessageBox(prompt.c_str(), MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}
