#include "platform/winsys/core/Pointer.h"

namespace winsys {

namespace {
PointerHooks g_hooks;
int g_depth = 0;
} // namespace

void SetPointerHooks(PointerHooks hooks) { g_hooks = std::move(hooks); }

void PushPointer(PointerShape shape)
{
    ++g_depth;
    if (g_hooks.push)
        g_hooks.push(shape);
}

void PopPointer()
{
    if (g_depth == 0)
        return;
    --g_depth;
    if (g_hooks.pop)
        g_hooks.pop();
}

int PointerDepth() { return g_depth; }

} // namespace winsys
