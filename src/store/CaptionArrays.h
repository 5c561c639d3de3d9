#pragma once
// The interface texts that the main window's Load copies from LangCaps, held
// by caption number in shared arrays named after their first number
// (Caps1185 holds the texts 1185 to 1218). A number outside an array, or one
// that LangCaps does not hold, reads as "".

#include <QString>
#include <QVector>

#include <array>

namespace tav {

class CaptionArray {
public:
    CaptionArray(int first, int last);
    int First() const { return m_first; }
    int Last() const { return m_last; }
    // The text of caption number n; "" outside the bounds or when unset.
    QString operator[](int n) const;
    // Sets the text of caption number n; ignored outside the bounds.
    void Set(int n, const QString &text);
    void Clear();

private:
    int m_first;
    int m_last;
    QVector<QString> m_texts;
};

inline CaptionArray Caps1185{1185, 1218}; // status texts and messages
inline CaptionArray Caps1172{1172, 1179}; // the empty-result window
inline CaptionArray Caps1079{1079, 1081};
inline CaptionArray Caps1219{1219, 1224};
inline CaptionArray Caps1235{1235, 1237};
inline CaptionArray Caps1240{1240, 1245};
inline CaptionArray Caps1249{1249, 1254};
inline CaptionArray Caps1255{1255, 1257};
inline CaptionArray Caps1258{1258, 1261};
inline CaptionArray Caps1362{1362, 1363};
inline CaptionArray Caps1364{1364, 1370};
inline CaptionArray Caps1373{1373, 1378};
inline CaptionArray Caps1262{1262, 1265};
inline CaptionArray Caps1348{1348, 1350};
inline CaptionArray Caps1352{1352, 1355};
inline CaptionArray Caps1357{1357, 1361};
inline CaptionArray Caps1317{1317, 1321};
inline CaptionArray Caps1292{1292, 1315};
inline CaptionArray Caps1130{1130, 1136};
inline CaptionArray Caps1322{1322, 1332};
inline CaptionArray Caps1335{1335, 1339};

// The arrays in the order the main window's Load fills them.
inline std::array<CaptionArray *, 21> MainCaptionArrays()
{
    return {&Caps1185, &Caps1172, &Caps1079, &Caps1219, &Caps1235, &Caps1240, &Caps1249,
            &Caps1255, &Caps1258, &Caps1362, &Caps1364, &Caps1373, &Caps1262, &Caps1348,
            &Caps1352, &Caps1357, &Caps1317, &Caps1292, &Caps1130, &Caps1322, &Caps1335};
}

} // namespace tav
