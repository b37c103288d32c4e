#include "framework/cmdtarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const fw::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const fw::MessageMapEntry entries[] = {fw::EndOfMap()};
    static const fw::MessageMap map = {nullptr, entries};
    return &map;
}

const fw::MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const fw::MessageMapEntry* CCmdTarget::FindMessageEntry(UINT message) const {
    for (const fw::MessageMap* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const fw::MessageMapEntry* e = map->entries; e->kind != fw::EntryKind::End; ++e) {
            if (e->kind == fw::EntryKind::Message && e->message == message) return e;
        }
    }
    return nullptr;
}

const fw::MessageMapEntry* CCmdTarget::FindReflectEntry(UINT notifyCode) const {
    for (const fw::MessageMap* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const fw::MessageMapEntry* e = map->entries; e->kind != fw::EntryKind::End; ++e) {
            if (e->kind == fw::EntryKind::Reflect && e->message == notifyCode) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    fw::EntryKind wanted;
    if (nCode == CN_COMMAND) {
        wanted = fw::EntryKind::Command;
    } else if (nCode == CN_UPDATE_COMMAND_UI) {
        wanted = fw::EntryKind::UpdateCommand;
    } else {
        return FALSE;  // other notifications reach controls through reflection only
    }
    for (const fw::MessageMap* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const fw::MessageMapEntry* e = map->entries; e->kind != fw::EntryKind::End; ++e) {
            if (e->kind != wanted || nID < e->idFirst || nID > e->idLast) continue;
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            if (wanted == fw::EntryKind::UpdateCommand) {
                auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
                pCmdUI->m_bContinueRouting = FALSE;
                e->invoke(this, nID, 0, reinterpret_cast<LPARAM>(pCmdUI));
                return !pCmdUI->m_bContinueRouting;
            }
            e->invoke(this, nID, 0, 0);
            return TRUE;
        }
    }
    return FALSE;
}

void CCmdUI::Enable(BOOL bOn) {
    if (m_hMenu) {
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_hMenu) ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetText(const char* lpszText) {
    if (!m_hMenu) return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(lpszText);
    ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
        bResult = TRUE;
    }
    return bResult;
}
