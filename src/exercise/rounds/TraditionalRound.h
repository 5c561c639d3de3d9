#pragma once
// The traditional exercise without its window: where the next word comes
// from (all words, the store of wrong answers, or the repetition list), the
// judging of an answer, the repetition list (RepaIDs and its three text
// columns) and the writes to the store. The window shows what it decides.
//
// States: not started -> asking -> answered -> (Next) asking. An answer is
// judged only while a word is asked, so a word is judged once.

#include "exercise/rounds/AnswerCheck.h"
#include "exercise/rounds/ExerciseRandom.h"
#include "store/Notice.h"

#include <QList>
#include <QString>

#include <optional>

namespace tav {

class TraditionalRound {
public:
    enum class Source { AllWords, Store };
    enum class State { NotStarted, Asking, Answered };

    // One line of the repetition list: article, Greek word, expected answer.
    struct RepaLine {
        QString Art, Greek, Answer;
    };

    struct Draw {
        std::optional<long long> ID; // nothing: no word could be drawn
        bool SwitchedToAllWords = false; // the store was empty: the round restarted on all words
        // Every word of the source waits in the repetition list: the window
        // says so (NothingToDrawText); the previous word stays.
        bool NothingToDraw = false;
        // The word database could not be read: nothing was drawn; the window
        // tells this.
        std::optional<Notice> Error;
    };
    static QString NothingToDrawText();

    // What the window does after a judgement. AskStoreFull: the wrong answer
    // filled the store; the window asks whether to practise it now
    // (StoreFullQuestion) and hands the answer to StoreFullAnswered, which
    // says what follows.
    enum class After { Nothing, AskNext, Restart, AskStoreFull };
    struct Judgement {
        bool Judged = false;  // false: no word was being asked
        PartCheck Check;
        int Verdict = 0;      // caption number (see VerdictCaption)
        bool StoreChanged = false;
        After Then = After::Nothing;
        // The store could not be written: the judgement stands, the window
        // tells this.
        std::optional<Notice> Error;
    };
    struct StoreFullOutcome {
        After Then = After::Nothing;
        std::optional<Notice> Error; // the store could not be emptied
    };

    explicit TraditionalRound(ExerciseRandom &rng) : m_rng(rng) {}

    Source WordSource = Source::AllWords;
    bool Asking() const { return m_state == State::Asking; }
    const QList<RepaLine> &RepaLines() const { return m_lines; }

    // Start and Reset: the repetition list is emptied and repetition mode
    // goes off; Next then draws the first word. The store is not touched.
    void Start();
    bool Started() const { return m_state != State::NotStarted; }
    // Next: repetition mode follows the list's length, then the next word is
    // drawn. Before Start nothing is drawn.
    Draw Next();
    // Judges the answer to the current word (once): keeps the repetition
    // list and the store. Shown is the word as asked, for the list.
    Judgement Judge(const QString &Typed, const QString &Stored, int MeaningCount, const RepaLine &Shown);
    // The word drawn last could not be shown: nothing is asked, so no answer
    // is judged or stored for it; the next draw goes on as usual.
    void Withdraw();

    // The answer to the store-full question: Yes practises the store (the
    // repetition list is emptied; AskNext), No empties the store and starts
    // again on all words (Restart). A failed write changes nothing (Nothing)
    // and is returned for the window to tell.
    StoreFullOutcome StoreFullAnswered(bool Practise);
    static QString StoreFullQuestion();

    // Repetition mode: on once the list holds OptNbrRepeats words, off when
    // it is empty, unchanged in between.
    void SetboRepa();
    // Empties the repetition list.
    void ClearRepetition();

private:
    Draw drawNext();
    // Stores a wrongly answered word (once), removes a word from the store.
    static void AddWrongs(long long ID);
    static void RemoveWrongs(long long ID);

    ExerciseRandom &m_rng;
    State m_state = State::NotStarted;
    QList<RepaLine> m_lines;
};

} // namespace tav
