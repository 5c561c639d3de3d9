#pragma once
// The word the grammar panel shows, and the rules its views apply to the
// stored forms. The status panel 3 ("ID " and the ID), lblVoice and the Tag
// of fraVoice mirror the state for the user and for older readers; the panel
// itself reads the state.

#include <QString>
#include <QVariant>

namespace tav {

// Class of a word, as the panel decides from its Main row.
enum WordClass : int { KindNone = 0, KindAdjective = 1, KindNoun = 2, KindVerb = 3, KindOther = 4 };

struct PanelState {
    long long wordID = 0;        // the word shown (panel 3); 0: none
    long long viewWordID = 0;    // the word whose forms the grids show; 0: the base state (the article)
    long long verbID = 0;        // the verb shown by its conjugation or participles (fraVoice.Tag); 0: none
    QString voice = QStringLiteral("0"); // "a" or "p" while a conjugation is shown (lblVoice), else "0"
    QString column5Table = QStringLiteral("KonT4"); // the table column 5 of the conjugation shows
};

// The class of a word from WT and Genus (Null values as invalid variants):
// "b*" adjective; else a Genus of 0, 1 or 2 noun; else "c[!f]*" verb; else
// other.
WordClass ClassifyWord(const QVariant &WT, const QVariant &Genus);

// Column 4 of the conjugation: the auxiliary's form, a blank and the verb's
// third person; empty when the verb's form is empty or the auxiliary's is
// missing (no auxiliary row).
QString CompoundForm(const QString &auxiliary, const QString &verbS3);

// Rows 3 to 6 of the imperative grid: a subjunctive form behind its particle
// ("na " for rows 3 and 4, "mhn " or "mh " for rows 5 and 6); an empty form
// shows nothing.
QString SubjunctiveCell(int row, const QString &form);

// The article of the accusative singular before a noun form: the stored
// article ("to(n)") with its final letter (its fourth character) when the
// noun keeps it, else its first two characters.
QString AccusativeArticle(const QString &storedArticle, const QString &nounForm);

// Column 1 of the noun view beside the noun's form of the row: the stored
// article (composed for the accusative singular); nothing beside an empty
// form, such as the singular of a word used only in the plural.
QString NounArticleCell(int row, const QString &storedArticle, const QString &nounForm);

} // namespace tav
