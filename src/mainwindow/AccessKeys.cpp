#include "mainwindow/AccessKeys.h"

#include <QKeySequence>

namespace tav {

namespace {

QString KeyOn(const QString &caption, const QString *taken)
{
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            ++i; // an escaped "&" is no key
            continue;
        }
        if (text.at(i).isLetterOrNumber() && !(taken && taken->contains(text.at(i), Qt::CaseInsensitive))) {
            text.insert(i, QLatin1Char('&'));
            break;
        }
    }
    return text;
}

} // namespace

QString WithAccessKey(const QString &caption) { return KeyOn(caption, nullptr); }

QString WithAccessKey(const QString &caption, QString *taken)
{
    const QString text = KeyOn(caption, taken);
    const QString key = QKeySequence::mnemonic(text).toString();
    if (!key.isEmpty())
        taken->append(key.back().toUpper());
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
