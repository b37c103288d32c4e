#include "framework/doctemplate.h"

#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/frame.h"

#include <commdlg.h>

#include <vector>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {
    HINSTANCE hInst = ::GetModuleHandleA(nullptr);
    m_strDocStrings = AfxLoadString(nIDResource);
    m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
}

CDocTemplate::~CDocTemplate() {
    if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

std::string CDocTemplate::GetDocString(DocStringIndex index) const {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_strDocStrings.find('\n', start);
        if (start == std::string::npos) return {};
        ++start;
    }
    const size_t end = m_strDocStrings.find('\n', start);
    return m_strDocStrings.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* pObject = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (!pObject) return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
        delete pObject;
        return nullptr;
    }
    auto* pDoc = static_cast<CDocument*>(pObject);
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (!pObject) return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        delete pObject;
        return nullptr;
    }
    auto* pFrame = static_cast<CFrameWnd*>(pObject);
    // A frame that fails to load has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        if (!GetNextDoc(pos)->SaveModified()) return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession) {
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* pDoc = GetNextDoc(pos);  // pos moves on before the document goes
        if (bEndSession) pDoc->DisconnectViews();
        pDoc->OnCloseDocument();
    }
}

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                     const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CMultiDocTemplate::~CMultiDocTemplate() {
    // Documents still open at the end belong to no one else.
    while (!m_docList.IsEmpty()) delete m_docList.GetHead();
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.Remove(pDoc);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    const std::string name = GetDocString(docName);
    pDocument->SetTitle(name.empty() ? AfxLoadString(AFX_IDS_UNTITLED).c_str()
                                     : (name + std::to_string(m_nUntitledCount + 1)).c_str());
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible) {
    CDocument* pDoc = CreateNewDocument();
    if (!pDoc) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    // While its frame is made, the document must not close with a failed view.
    const BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (!pFrame) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDoc;
        return nullptr;
    }
    if (!lpszPathName) {
        SetDefaultTitle(pDoc);
        if (!pDoc->OnNewDocument()) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            pFrame->DestroyWindow();  // takes the document with its last view
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        if (!pDoc->OnOpenDocument(lpszPathName)) {
            pFrame->DestroyWindow();
            return nullptr;
        }
        pDoc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}

CDocManager::~CDocManager() {
    while (!m_templateList.IsEmpty()) {
        CDocTemplate* pTemplate = m_templateList.GetHead();
        m_templateList.Remove(pTemplate);
        delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) { m_templateList.AddTail(pTemplate); }

void CDocManager::OnFileNew() {
    if (m_templateList.IsEmpty()) return;
    m_templateList.GetHead()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
    std::string fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
    OpenDocumentFile(fileName.c_str());
}

CDocument* CDocManager::OpenDocumentFile(const char* lpszFileName) {
    return m_templateList.IsEmpty() ? nullptr : m_templateList.GetHead()->OpenDocumentFile(lpszFileName);
}

BOOL CDocManager::SaveAllModified() {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::DoPromptFileName(std::string& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
    // The filter: the document type's own, when it names one, then all files.
    std::string filter;
    if (pTemplate) {
        const std::string name = pTemplate->GetDocString(CDocTemplate::filterName);
        const std::string ext = pTemplate->GetDocString(CDocTemplate::filterExt);
        if (!name.empty() && !ext.empty()) filter += name + '\0' + "*" + ext + '\0';
    }
    filter += AfxLoadString(AFX_IDS_ALLFILTER) + '\0' + "*.*" + '\0' + '\0';

    const std::string title = AfxLoadString(nIDSTitle);
    std::vector<char> file(MAX_PATH * 4, '\0');
    fileName.copy(file.data(), file.size() - 1);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    CWnd* pMain = AfxGetMainWnd();
    ofn.hwndOwner = pMain ? pMain->m_hWnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = lFlags | OFN_EXPLORER | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT);
    const BOOL bOK = bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (bOK) fileName = file.data();
    return bOK;
}
