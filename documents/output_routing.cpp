#include "documents/output_routing.h"

#include "documents/kestrum_doc.h"
#include "framework/app.h"
#include "framework/doctemplate.h"

#include <string>

namespace {

CDocTemplate* DebugDocTemplate() {
    CDocManager* pManager = AfxGetApp()->m_pDocManager;
    POSITION pos = pManager ? pManager->GetFirstDocTemplatePosition() : nullptr;
    return pos ? pManager->GetNextDocTemplate(pos) : nullptr;
}

// The oldest document that holds the client, or the oldest of all while
// interleaving.
CKestrumDoc* FindTarget(CDocTemplate* pTemplate, DWORD dwProcessId, BOOL bInterleave) {
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos;) {
        auto* pDoc = static_cast<CKestrumDoc*>(pTemplate->GetNextDoc(pos));
        if (bInterleave || pDoc->m_dwProcessId == dwProcessId) return pDoc;
    }
    return nullptr;
}

// Texts gathered for one pane, appended together.
struct PaneBatch {
    CKestrumView* pPane;
    std::string text;
};

}  // namespace

std::vector<CapturedMessage> TakeQueuedTexts(HWND hWnd, CapturedMessage first, size_t nMax) {
    std::vector<CapturedMessage> texts;
    texts.push_back(std::move(first));
    // The window filter also lets through messages for the window's children
    // and for the thread: only the window's own carry captured texts.
    MSG msg;
    while (texts.size() < nMax && ::PeekMessageA(&msg, hWnd, WM_DEBUGSTRING, WM_DEBUGSTRING, PM_NOREMOVE) &&
           msg.hwnd == hWnd && ::PeekMessageA(&msg, hWnd, WM_DEBUGSTRING, WM_DEBUGSTRING, PM_REMOVE)) {
        texts.push_back({static_cast<DWORD>(msg.wParam), capture::CapturedText(reinterpret_cast<char*>(msg.lParam))});
    }
    return texts;
}

void RouteTexts(std::vector<CapturedMessage> texts, const CPaneHost& host) {
    CDocTemplate* pTemplate = DebugDocTemplate();
    if (!pTemplate) return;  // the texts are freed with the vector
    std::vector<PaneBatch> batches;
    auto flush = [&batches] {
        for (PaneBatch& batch : batches) batch.pPane->AppendText(batch.text.c_str());
        batches.clear();
    };
    for (CapturedMessage& message : texts) {
        const capture::CapturedText text = std::move(message.text);
        const BOOL bInterleave = host.IsInterleaved();
        CKestrumView* pPane = nullptr;
        if (CKestrumDoc* pDoc = FindTarget(pTemplate, message.dwProcessId, bInterleave)) {
            pPane = pDoc->GetLiveView();
        } else {
            // Making a document may run a message loop (its failure message):
            // what is gathered is shown first, so no pane is held across it.
            flush();
            auto* pNew = static_cast<CKestrumDoc*>(pTemplate->OpenDocumentFile(nullptr, TRUE));
            if (!pNew) continue;  // the text has nowhere to go; it is freed
            if (!bInterleave) pNew->m_dwProcessId = message.dwProcessId;
            POSITION pos = pNew->GetFirstViewPosition();
            pPane = pos ? static_cast<CKestrumView*>(pNew->GetNextView(pos)) : nullptr;
        }
        if (!pPane) continue;
        PaneBatch* pBatch = nullptr;
        for (PaneBatch& batch : batches) {
            if (batch.pPane == pPane) pBatch = &batch;
        }
        if (!pBatch) pBatch = &batches.emplace_back(PaneBatch{pPane, {}});
        pBatch->text += text.get();
    }
    flush();
}
