#include "winui/modalloop.h"

namespace winui
{

namespace
{

constexpr wchar_t ownerProperty[] = L"ravo2.modalOwner";

} // namespace

void releaseModalOwner(HWND dialog)
{
    if (auto owner = static_cast<HWND>(RemovePropW(dialog, ownerProperty)))
        EnableWindow(owner, TRUE);
}

void runModal(HWND dialog, HWND owner)
{
    if (owner != nullptr && IsWindowEnabled(owner)) {
        SetPropW(dialog, ownerProperty, owner);
        EnableWindow(owner, FALSE);
    }
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    MSG msg;
    while (IsWindow(dialog) && IsWindowVisible(dialog)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the outer loop must see the quit too.
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (IsWindow(dialog))
        releaseModalOwner(dialog);
    if (owner != nullptr)
        SetActiveWindow(owner);
}

} // namespace winui
