#include "documents/output_routing.h"

#include "documents/kestrum_doc.h"
#include "framework/app.h"
#include "framework/doctemplate.h"

CDocTemplate* DebugDocTemplate() {
    CDocManager* pManager = AfxGetApp()->m_pDocManager;
    POSITION pos = pManager ? pManager->GetFirstDocTemplatePosition() : nullptr;
    return pos ? pManager->GetNextDocTemplate(pos) : nullptr;
}

namespace {

// The oldest document that holds the client, or the oldest of all while
// interleaving.
CKestrumDoc* FindTarget(CDocTemplate* pTemplate, DWORD dwProcessId, BOOL bInterleave) {
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos;) {
        auto* pDoc = static_cast<CKestrumDoc*>(pTemplate->GetNextDoc(pos));
        if (bInterleave || pDoc->m_dwProcessId == dwProcessId) return pDoc;
    }
    return nullptr;
}

}  // namespace

std::vector<CapturedMessage> TakeQueuedTexts(HWND hWnd, CapturedMessage first, size_t nMax) {
    std::vector<CapturedMessage> texts;
    texts.push_back(std::move(first));
    // Each fetch is a round trip to the window system, shared with every
    // client of a flood: one per message. The window filter also lets
    // through messages for the window's children, which carry no captured
    // text: such a message goes on to its window, and ends the pass.
    MSG msg;
    while (texts.size() < nMax && ::PeekMessageA(&msg, hWnd, WM_DEBUGSTRING, WM_DEBUGSTRING, PM_REMOVE)) {
        if (msg.hwnd != hWnd) {
            ::DispatchMessageA(&msg);
            break;
        }
        texts.push_back({static_cast<DWORD>(msg.wParam), capture::CapturedText(reinterpret_cast<char*>(msg.lParam))});
    }
    return texts;
}

void RouteTexts(std::vector<CapturedMessage> texts, const CPaneHost& host) {
    CDocTemplate* pTemplate = DebugDocTemplate();
    if (!pTemplate) return;  // the texts are freed with the vector
    for (CapturedMessage& message : texts) {
        const capture::CapturedText text = std::move(message.text);
        if (!text) continue;
        const BOOL bInterleave = host.IsInterleaved();
        CKestrumDoc* pDoc = FindTarget(pTemplate, message.dwProcessId, bInterleave);
        if (!pDoc) {
            pDoc = static_cast<CKestrumDoc*>(pTemplate->OpenDocumentFile(nullptr, TRUE));
            if (!pDoc) continue;  // the text has nowhere to go; it is freed
            if (!bInterleave) pDoc->m_dwProcessId = message.dwProcessId;
        }
        pDoc->QueueOutput(text.get());
    }
}

bool ShowPendingOutput(const std::function<bool()>& stop) {
    CDocTemplate* pTemplate = DebugDocTemplate();
    if (!pTemplate) return false;
    bool bShown = false;
    for (;;) {
        CKestrumDoc* pOldest = nullptr;
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos;) {
            auto* pDoc = static_cast<CKestrumDoc*>(pTemplate->GetNextDoc(pos));
            if (pDoc->HasPendingOutput() && (!pOldest || pDoc->PendingOrder() < pOldest->PendingOrder())) {
                pOldest = pDoc;
            }
        }
        if (!pOldest) return bShown;
        pOldest->ShowPendingOutput();
        bShown = true;
        if (stop && stop()) return bShown;
    }
}

bool AnyPendingOutput() {
    CDocTemplate* pTemplate = DebugDocTemplate();
    for (POSITION pos = pTemplate ? pTemplate->GetFirstDocPosition() : nullptr; pos;) {
        if (static_cast<CKestrumDoc*>(pTemplate->GetNextDoc(pos))->HasPendingOutput()) return true;
    }
    return false;
}
