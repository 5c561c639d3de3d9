#pragma once
// The interface-text arrays. The main window's Load copies the texts of table
// LangCaps into them (the column named by CapsLanguage); each array is named
// by its first caption number and indexed by caption number, so Caps1185(1211)
// is the text of caption 1211. The exercise window fills Caps1104 and Caps1112
// itself when it loads.

#include <QString>
#include <QStringList>
#include <QVector>

namespace dao {
class Recordset;
}

namespace tav {

class CaptionArray {
public:
    CaptionArray(int lower, int upper);

    int LBound() const { return m_lower; }
    int UBound() const { return m_lower + int(m_texts.size()) - 1; }

    // The text of caption n; "" for a number outside the bounds, so a wrong
    // number shows an empty caption instead of stopping the program.
    QString operator()(int n) const;
    // Stores the text of caption n; a number outside the bounds is ignored.
    void Set(int n, const QString &text);
    // Every element back to "".
    void Clear();
    // The texts from the lower to the upper bound.
    const QStringList &Texts() const { return m_texts; }

private:
    int m_lower;
    QStringList m_texts;
};

// Filled by the main window's Load, in the order of MainCaptionArrays().
inline CaptionArray Caps1185{1185, 1218};
inline CaptionArray Caps1172{1172, 1179};
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

// Filled by the exercise window's Load.
inline CaptionArray Caps1104{1104, 1107};
inline CaptionArray Caps1112{1112, 1118};

// The 21 arrays of the main window, in the order its Load fills them.
const QVector<CaptionArray *> &MainCaptionArrays();

// Copies the texts of one array from an open LangCaps recordset: for every
// caption number n of the array, FindFirst "Index = n"; a row found gives the
// element the field named column (Null reads as ""); a number without a row
// keeps its element.
void FillCaptionArray(dao::Recordset &caps, const QString &column, CaptionArray &array);

} // namespace tav
