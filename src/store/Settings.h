#pragma once
// Writers of the settings row (table Options). Each writes its field at once
// through the shared connection WordDb, like every writer of the file (so
// that the file's mark is renewed by whichever writes first), with the
// statement kept in OptSql, and then does its follow-up (rebuilding the SQL
// strings or the category tree, the third-language status panel).
//
// A write that fails returns the notice for the window to tell, naming the
// file and the cause; the variable then takes back the value that is in the
// file and no follow-up runs.

#include "store/Notice.h"

#include <QString>

#include <optional>

namespace tav {

Outcome SaveNbrRepeats();                    // writes OptNbrRepeats
Outcome SaveNbrWrongs();                     // writes OptNbrWrongs
Outcome SaveNbrScribble();                   // writes OptNbrScribble
// Sets and writes Opt3rdLang after trying the language's SQL strings; a
// language whose tables do not answer is refused (Failure). The lists that
// showed the former language's meanings are closed; ListsClosed names them.
struct ThirdLanguageSaved : Outcome {
    std::optional<Notice> ListsClosed;
};
ThirdLanguageSaved Save3rdLang(const QString &language);
Outcome SaveBoHide3(bool hide);              // sets OptBoHide3 and writes it
Outcome Save2ndScribble();                   // writes Opt2ndScribble
Outcome Save2ndTavrinel();                   // writes Opt2ndTavrinel

// Sets and writes OptBoChecka, the rule for words with several meanings, and
// shows it in panel 4 ("Tavrinel CheckAll True  "). An open exercise window
// reads the new value from OptBoChecka.
Outcome SaveBoChecka(bool value);

// The text of status panel 6: "3:rd language deselected" while the third
// language is hidden, else "3:rd language= " & Opt3rdLang & "  ".
QString ThirdLanguagePanelText();

// The text of status panel 4: "Tavrinel CheckAll " & OptBoChecka & "  ".
QString CheckAllPanelText();

// The text of status panel 5: "M/A " & OptNbrWrongs & "/" & Wrongs & "  ",
// Wrongs being the number of stored wrong answers as shown.
QString WrongAnswersPanelText(const QString &Wrongs);

} // namespace tav
