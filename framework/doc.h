// CDocument, and CArchive, the byte stream a document is saved to and
// loaded from.
#pragma once

#include "framework/cmdtarget.h"
#include "framework/ptrlist.h"

#include <string>

class CDocTemplate;
class CFrameWnd;
class CView;

class CArchive {
public:
    enum Mode { load = 1, store = 0 };

    CArchive(HANDLE hFile, Mode nMode) : m_hFile(hFile), m_nMode(nMode) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsStoring() const { return m_nMode == store; }
    BOOL IsLoading() const { return m_nMode == load; }
    // Write stores every byte or marks the archive failed; Read returns the
    // bytes it got (0 at the end).
    void Write(const void* lpBuf, UINT nMax);
    UINT Read(void* lpBuf, UINT nMax);
    BOOL IsFailed() const { return m_bFailed; }
    HANDLE GetFile() const { return m_hFile; }

private:
    HANDLE m_hFile;
    Mode m_nMode;
    BOOL m_bFailed = FALSE;
};

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* lpszTitle);
    const std::string& GetPathName() const { return m_strPathName; }
    // Records the path of the file the document was saved to or loaded from,
    // and retitles the document with the file's title.
    virtual void SetPathName(const char* lpszPathName);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views, in the order they were added.
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const { return m_viewList.GetNext(rPosition); }
    void AddView(CView* pView);
    // Removing the last view closes the document (when it deletes itself).
    void RemoveView(CView* pView);
    void UpdateFrameCounts();

    virtual void Serialize(CArchive& ar);
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* lpszPathName);
    virtual BOOL OnSaveDocument(const char* lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Asks "Save changes to ...?" when modified; FALSE when the user cancels
    // or the save fails.
    virtual BOOL SaveModified();
    // Detaches the views without closing them (the end of a log-on).
    void DisconnectViews();

    BOOL DoSave(const char* lpszPathName, BOOL bReplace = TRUE);
    BOOL DoFileSave();

    BOOL m_bAutoDelete = TRUE;

protected:
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    std::string m_strTitle;
    std::string m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CTypedPtrList<CView*> m_viewList;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;
    DECLARE_MESSAGE_MAP()
};
