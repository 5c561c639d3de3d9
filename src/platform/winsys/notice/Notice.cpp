#include "platform/winsys/notice/Notice.h"

#include <QVector>

namespace winsys {

int DefaultAnswer(int style)
{
    const int buttons = style & 7;
    const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    static const QVector<QVector<int>> order = {
        {vbOK}, {vbOK, vbCancel}, {vbAbort, vbRetry, vbIgnore},
        {vbYes, vbNo, vbCancel}, {vbYes, vbNo}, {vbRetry, vbCancel},
    };
    const auto &row = order.value(buttons, order[0]);
    return row.value(defaultIndex, row.first());
}

int SafeAnswer(int style)
{
    if (style & NoSafeAnswer)
        return NoAnswer;
    switch (style & 7) {
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel: return vbCancel;
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNo: return vbNo;
    default: return vbOK;
    }
}

Notice ErrorNotice(long Number, const QString &Description)
{
    return {QStringLiteral("Error:") + QString::number(Number) + QLatin1Char(' ') + Description, vbOKOnly, AppTitle};
}

Notice ErrorNotice(const std::exception &error)
{
    if (const auto *worded = dynamic_cast<const WordedError *>(&error))
        return worded->UserNotice();
    return ErrorNotice(0, QString::fromUtf8(error.what()));
}

} // namespace winsys
