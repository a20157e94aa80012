#pragma once
// The hourglass cursor, callable from code that must not depend on Qt Widgets.
// The window layer installs the hook at start; without one the calls do nothing.
#include <functional>

namespace Cursor {
// hook(true) shows the busy cursor, hook(false) restores the default one.
void SetHook(std::function<void(bool busy)> hook);
void SetBusy(bool busy);
} // namespace Cursor

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor() { Cursor::SetBusy(true); }
    ~BusyCursor() { Cursor::SetBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
