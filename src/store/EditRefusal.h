#pragma once
// An edit the store refuses for a reason the user can act on (the word has
// left the list, the edit would break something other words rely on). It
// changes nothing; its message tells the user why, and its notice
// (ErrorNotice) shows it as it is, without an error number.

#include "platform/winsys/notice/Notice.h"

#include <QString>

#include <stdexcept>

namespace tav {

class EditRefusal : public std::runtime_error, public winsys::WordedError {
public:
    explicit EditRefusal(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &Message() const { return m_message; }
    winsys::Notice UserNotice() const override { return {m_message, winsys::vbExclamation, winsys::AppTitle}; }

private:
    QString m_message;
};

} // namespace tav
