#include "platform/font/GreekKeys.h"

#include "platform/font/FontLoader.h"

namespace winsys {

namespace {

const QString Keys = QStringLiteral("abgdezhqiklmnxoprstufcyw");
const QString Small = QStringLiteral("αβγδεζηθικλμνξοπρστυφχψω");
const QString Plain = QStringLiteral("αεηιουωΑΕΗΙΟΥΩ");
const QString Accented = QStringLiteral("άέήίόύώΆΈΉΊΌΎΏ");

} // namespace

QString GreekKeysToUnicode(const QString &keys)
{
    QString out;
    out.reserve(keys.size());
    for (const QChar k : keys) {
        if (k == QLatin1Char('v')) {
            const qsizetype vowel = out.isEmpty() ? -1 : Plain.indexOf(out.back());
            if (vowel >= 0)
                out.back() = Accented[vowel];
            else
                out += QChar(0x0301);
            continue;
        }
        if (k == QLatin1Char('V')) {
            out += QChar(0x03C2);
            continue;
        }
        const qsizetype small = Keys.indexOf(k.toLower());
        if (small < 0 || k.unicode() > 0x7F)
            out += k;
        else
            out += k.isUpper() ? Small[small].toUpper() : Small[small];
    }
    return out;
}

QString TextOutsideFont(const QFont &font, const QString &text)
{
    return font.family() == GreekFamily ? GreekKeysToUnicode(text) : text;
}

} // namespace winsys
