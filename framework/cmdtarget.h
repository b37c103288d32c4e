// Command targets: objects with a message map that commands are routed
// through, and CCmdUI, through which update handlers enable and check the
// menu items, buttons and panes of a command.
#pragma once

#include "framework/msgmap.h"
#include "framework/object.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Offers a command (CN_COMMAND), its update (CN_UPDATE_COMMAND_UI, pExtra
    // the CCmdUI) or a control notification to this target. With pHandlerInfo,
    // only tells whether a handler exists. The base looks in the message map;
    // derived targets extend the route.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    // The root of every map chain. Declared by hand: the macro's override
    // needs a base class.
    static const fw::MessageMap* GetThisMessageMap();
    virtual const fw::MessageMap* GetMessageMap() const;

    // The first entry of the map chain that matches, or NULL.
    const fw::MessageMapEntry* FindMessageEntry(UINT message) const;
    const fw::MessageMapEntry* FindReflectEntry(UINT notifyCode) const;

    friend class CWnd;
};

class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;         // position of the item in its menu or bar
    UINT m_nIndexMax = 0;      // number of items in the menu or bar
    HMENU m_hMenu = nullptr;   // the menu, for a menu item
    CWnd* m_pOther = nullptr;  // the bar, for a button or pane
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked
    virtual void SetText(const char* lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes the update to pTarget. When no update handler decided the state
    // and bDisableIfNoHandler is set, the item is enabled exactly when a
    // command handler exists on the route.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
