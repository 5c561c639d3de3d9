#pragma once
// The mouse pointer shapes the program shows while it works. Code that does
// not link widgets sets them through this hook; the program installs the
// implementation that uses Qt's override-cursor stack.
//
// Qt's override cursor is a stack: use BusyPointer, which always restores
// what it set, rather than setting shapes by hand.

#include <functional>

namespace winsys {

enum class PointerShape { Default, ArrowHourglass, Hourglass };

// Push a shape / pop the last one. Without an installed hook they do nothing.
void PushPointer(PointerShape shape);
void PopPointer();
// Depth of the pushed shapes (for tests: never leave one behind).
int PointerDepth();

struct PointerHooks {
    std::function<void(PointerShape)> push;
    std::function<void()> pop;
};
void SetPointerHooks(PointerHooks hooks);

class BusyPointer {
public:
    explicit BusyPointer(PointerShape shape = PointerShape::Hourglass) { PushPointer(shape); }
    ~BusyPointer() { PopPointer(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace winsys
