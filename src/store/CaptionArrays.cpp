#include "store/CaptionArrays.h"

namespace tav {

// Defined here alone: only what links the store reaches them.
CaptionArray Caps1185{1185, 1218};
CaptionArray Caps1172{1172, 1179};
CaptionArray Caps1079{1079, 1081};
CaptionArray Caps1219{1219, 1224};
CaptionArray Caps1235{1235, 1237};
CaptionArray Caps1240{1240, 1245};
CaptionArray Caps1249{1249, 1254};
CaptionArray Caps1255{1255, 1257};
CaptionArray Caps1258{1258, 1261};
CaptionArray Caps1362{1362, 1363};
CaptionArray Caps1364{1364, 1370};
CaptionArray Caps1373{1373, 1378};
CaptionArray Caps1262{1262, 1265};
CaptionArray Caps1348{1348, 1350};
CaptionArray Caps1352{1352, 1355};
CaptionArray Caps1357{1357, 1361};
CaptionArray Caps1317{1317, 1321};
CaptionArray Caps1292{1292, 1315};
CaptionArray Caps1130{1130, 1136};
CaptionArray Caps1322{1322, 1332};
CaptionArray Caps1335{1335, 1339};
CaptionArray Caps1104{1104, 1107};
CaptionArray Caps1112{1112, 1118};

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
