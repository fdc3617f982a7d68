// fw::SelfDrawnWnd: the base of the controls that can be owner-drawn (buttons, list views),
// which draw themselves when their parent hands its WM_DRAWITEM back to them.
#pragma once

#include <windows.h>

#include "fw/msg_table.h"
#include "fw/wnd.h"

namespace fw {

class SelfDrawnWnd : public CWnd {
public:
    // Draws one item (a button, a list row) of an owner-drawn control; the default draws
    // nothing.
    virtual void DrawItem(DRAWITEMSTRUCT* pDrawItemStruct) {}

protected:
    bool ProcessMessageTable(MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* pDIS) {
        DrawItem(pDIS);
        return TRUE;
    }
    static constexpr MsgEntry kMessages[] = {
        Reflect<WM_DRAWITEM, &SelfDrawnWnd::OnReflectedDrawItem>,
    };
};

}  // namespace fw
