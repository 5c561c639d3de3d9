#include "store/CaptionArrays.h"

namespace tav {

CaptionArray::CaptionArray(int lower, int upper) : m_lower(lower)
{
    for (int n = lower; n <= upper; ++n)
        m_texts.append(QString());
}

QString CaptionArray::operator()(int n) const
{
    const int i = n - m_lower;
    return i >= 0 && i < m_texts.size() ? m_texts.at(i) : QString();
}

void CaptionArray::Set(int n, const QString &text)
{
    const int i = n - m_lower;
    if (i >= 0 && i < m_texts.size())
        m_texts[i] = text;
}

void CaptionArray::Clear()
{
    for (QString &text : m_texts)
        text.clear();
}

const QVector<CaptionArray *> &MainCaptionArrays()
{
    static const QVector<CaptionArray *> arrays = {
        &Caps1185, &Caps1172, &Caps1079, &Caps1219, &Caps1235, &Caps1240, &Caps1249,
        &Caps1255, &Caps1258, &Caps1362, &Caps1364, &Caps1373, &Caps1262, &Caps1348,
        &Caps1352, &Caps1357, &Caps1317, &Caps1292, &Caps1130, &Caps1322, &Caps1335,
    };
    return arrays;
}

} // namespace tav
