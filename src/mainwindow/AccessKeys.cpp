#include "mainwindow/AccessKeys.h"

namespace tav {

QString WithAccessKey(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            ++i; // an escaped "&" is no key
            continue;
        }
        if (text.at(i).isLetterOrNumber()) {
            text.insert(i, QLatin1Char('&'));
            break;
        }
    }
    return text;
}

QString WithoutAccessKey(const QString &text)
{
    QString caption;
    caption.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        caption += text.at(i);
    }
    return caption;
}

} // namespace tav
