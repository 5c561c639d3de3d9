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

// The notice of a caught exception (each error of the engine and refusal of
// the store words its own), and of an error by number and message.
using winsys::ErrorNotice;

} // namespace tav
