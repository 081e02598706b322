#pragma once
#include <windows.h>

#include <vector>

class CFieldNames;

// The controls of a page that an administrator's policy locks. Each stays
// disabled whatever the page's own rules would enable, and says why: a
// tooltip "Set by your administrator" when the pointer rests on it, and the
// same accessible description. A list that stays usable for reading (the
// headers grid) gets the tooltip and the description without being
// disabled. The tooltip window is owned by the page and goes with it.
class CLockedControls {
public:
    static constexpr wchar_t Reason[] = L"Set by your administrator";

    // The page whose controls are locked, and the names that describe them.
    void Attach(HWND hPage, CFieldNames& names);

    // Locks the control: disabled from now on, with the tooltip and the
    // description.
    void Lock(HWND hControl);
    // The tooltip and the description only.
    void Explain(HWND hControl);
    // Disables every locked control again; the page calls it after each of
    // its own enabling passes.
    void Reapply() const;
    bool IsLocked(HWND hControl) const;

private:
    // A disabled control gets no mouse messages (its page does), so its
    // tool is the control's rectangle on the page.
    void AddTool(HWND hControl, bool disabled);
    void CreateTooltip();

    HWND m_hPage = nullptr;
    HWND m_hTooltip = nullptr;
    CFieldNames* m_pNames = nullptr;
    std::vector<HWND> m_locked;
};
