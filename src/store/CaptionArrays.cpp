#include "store/CaptionArrays.h"

namespace tav {

CaptionArray::CaptionArray(int first, int last)
    : m_first(first), m_last(last), m_texts(last - first + 1)
{
}

QString CaptionArray::operator[](int n) const
{
    if (n < m_first || n > m_last)
        return QString();
    return m_texts[n - m_first];
}

void CaptionArray::Set(int n, const QString &text)
{
    if (n >= m_first && n <= m_last)
        m_texts[n - m_first] = text;
}

void CaptionArray::Clear()
{
    for (QString &t : m_texts)
        t.clear();
}

} // namespace tav
