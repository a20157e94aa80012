#include "platform/Cursor.h"

namespace {
std::function<void(bool)>& hook() {
    static std::function<void(bool)> h;
    return h;
}
} // namespace

void Cursor::SetHook(std::function<void(bool)> h) {
    hook() = std::move(h);
}

void Cursor::SetBusy(bool busy) {
    if (hook())
        hook()(busy);
}
