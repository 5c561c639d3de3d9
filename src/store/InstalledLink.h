#pragma once
// The windows a program installs for the layers below them (the main
// window's link, the list windows, their host): a forgotten installation
// would leave the program silently doing nothing, so a debug build stops at
// the first use with a message naming the call forgotten. A release build
// goes on with a stand-in that does nothing rather than end in front of a
// user.

#include <QtGlobal>

namespace tav {

template <class Link>
Link &InstalledOr(Link *installed, Link &standIn, const char *forgotten)
{
    if (installed)
        return *installed;
#ifndef NDEBUG
    qFatal("%s", forgotten);
#else
    Q_UNUSED(forgotten);
#endif
    return standIn;
}

} // namespace tav
