#pragma once
// A message the user is to read, as a routine of the store or a round hands
// it back instead of showing it: the window that called the routine shows
// it (winsys::Tell, winsys::Done), so that the logic runs and is tested without a message
// box. The store words its notices; it cannot name the message service.

#include "platform/winsys/notice/Notice.h"

#include <QString>

#include <exception>
#include <optional>

namespace tav {

using Notice = winsys::Notice;

// What a routine that either does its work or says why not returns.
using Outcome = winsys::Outcome;

// The notice of a caught exception: a dao::DaoError gives its number and
// message; an EditRefusal, or a write the file refused (dao::WriteRefused),
// its message alone, as a warning; any other exception number 0 and its
// text.
Notice ErrorNotice(const std::exception &error);
// The notice of an error of the database engine (or any other run-time
// error): "Error:" followed by the number, a blank and the engine's own
// message, so the user sees the cause. OK only, the program's title.
Notice ErrorNotice(long Number, const QString &Description);

} // namespace tav
