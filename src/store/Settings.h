#pragma once
// Writers of the settings row (table Options). Each writes its field at once
// through the shared connection WordDb, like every writer of the file (so
// that the file's mark is renewed by whichever writes first), with the
// statement kept in OptSql, and then does its follow-up (rebuilding the SQL
// strings or the category tree, the third-language status panel).
//
// A write that fails is reported in one message box naming the file and the
// cause; the variable then takes back the value that is in the file, no
// follow-up runs, and the writer returns false.

#include <QString>

namespace tav {

bool SaveNbrRepeats();                       // writes OptNbrRepeats
bool SaveNbrWrongs();                        // writes OptNbrWrongs
bool SaveNbrScribble();                      // writes OptNbrScribble
// Sets and writes Opt3rdLang after trying the language's SQL strings; a
// language whose tables do not answer is refused with a message.
bool Save3rdLang(const QString &language);
bool SaveBoHide3(bool hide);                 // sets OptBoHide3 and writes it
bool Save2ndScribble();                      // writes Opt2ndScribble
bool Save2ndTavrinel();                      // writes Opt2ndTavrinel

// Sets and writes OptBoChecka, the rule for words with several meanings, and
// shows it in panel 4 ("Tavrinel CheckAll True  "). An open exercise window
// reads the new value from OptBoChecka.
bool SaveBoChecka(bool value);

// The text of status panel 6: "3:rd language deselected" while the third
// language is hidden, else "3:rd language= " & Opt3rdLang & "  ".
QString ThirdLanguagePanelText();

// The text of status panel 4: "Tavrinel CheckAll " & OptBoChecka & "  ".
QString CheckAllPanelText();

// The text of status panel 5: "M/A " & OptNbrWrongs & "/" & Wrongs & "  ",
// Wrongs being the number of stored wrong answers as shown.
QString WrongAnswersPanelText(const QString &Wrongs);

} // namespace tav
