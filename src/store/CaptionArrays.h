#pragma once
// The interface-text arrays. The main window's Load copies the texts of table
// LangCaps into them (the column named by CapsLanguage); each array is named
// by its first caption number and indexed by caption number, so Caps1185(1211)
// is the text of caption 1211. The exercise window fills Caps1104 and Caps1112
// itself when it loads.

#include "platform/recordset/Recordset.h"

#include <QString>
#include <QStringList>
#include <QVector>

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
extern CaptionArray Caps1185;
extern CaptionArray Caps1172;
extern CaptionArray Caps1079;
extern CaptionArray Caps1219;
extern CaptionArray Caps1235;
extern CaptionArray Caps1240;
extern CaptionArray Caps1249;
extern CaptionArray Caps1255;
extern CaptionArray Caps1258;
extern CaptionArray Caps1362;
extern CaptionArray Caps1364;
extern CaptionArray Caps1373;
extern CaptionArray Caps1262;
extern CaptionArray Caps1348;
extern CaptionArray Caps1352;
extern CaptionArray Caps1357;
extern CaptionArray Caps1317;
extern CaptionArray Caps1292;
extern CaptionArray Caps1130;
extern CaptionArray Caps1322;
extern CaptionArray Caps1335;

// Filled by the exercise window's Load.
extern CaptionArray Caps1104;
extern CaptionArray Caps1112;

// The 21 arrays of the main window, in the order its Load fills them.
const QVector<CaptionArray *> &MainCaptionArrays();

// Copies the texts of one array from an open LangCaps recordset: for every
// caption number n of the array, FindFirst "Index = n"; a row found gives the
// element the field named column (Null reads as ""); a number without a row
// keeps its element.
void FillCaptionArray(dao::Recordset &caps, const QString &column, CaptionArray &array);
// Opens that recordset: the table LangCaps on the shared connection, read
// only. A database error reaches the caller.
dao::RecordsetPtr OpenCaptionTexts();

} // namespace tav
