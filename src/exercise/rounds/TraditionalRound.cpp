#include "exercise/rounds/TraditionalRound.h"

#include "exercise/rounds/WordDraw.h"
#include "exercise/rounds/WrongStore.h"
#include "store/CaptionArrays.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"

#include <QDateTime>

namespace tav {

void TraditionalRound::ClearRepetition()
{
    RepaIDs.clear();
    m_lines.clear();
}

void TraditionalRound::SetboRepa()
{
    const qsizetype c = RepaIDs.size();
    if (c >= std::max(OptNbrRepeats, 1))
        boRepa = true;
    else if (c == 0)
        boRepa = false;
}

void TraditionalRound::Start()
{
    ClearRepetition();
    SetboRepa();
    m_state = State::Answered;
}

TraditionalRound::Draw TraditionalRound::Next()
{
    if (m_state == State::NotStarted)
        return {};
    SetboRepa();
    return drawNext();
}

TraditionalRound::Draw TraditionalRound::drawNext()
{
    Draw draw;
    try {
        if (boRepa && !RepaIDs.isEmpty()) {
            draw.ID = RepaIDs.first();
        } else if (WordSource == Source::Store) {
            const QVector<long long> stored = StoredWrongIDs();
            if (stored.isEmpty()) {
                // Nothing left to practise: the round starts again on all words.
                WordSource = Source::AllWords;
                ClearRepetition();
                SetboRepa();
                draw.SwitchedToAllWords = true;
                draw.ID = DrawOne(MainWordIDs(), RepaIDs, m_rng);
            } else if (stored.size() == 1) {
                // The only stored word is asked, also while it waits in the
                // repetition list: practising the store never runs dry.
                draw.ID = stored.first();
            } else {
                draw.ID = DrawOne(stored, RepaIDs, m_rng);
            }
        } else {
            draw.ID = DrawOne(MainWordIDs(), RepaIDs, m_rng);
        }
    } catch (const std::exception &e) {
        draw.Error = ErrorNotice(e);
        return draw;
    }
    if (!draw.ID) {
        draw.NothingToDraw = true;
        return draw;
    }
    CurrentWordID = *draw.ID;
    m_state = State::Asking;
    return draw;
}

TraditionalRound::Judgement TraditionalRound::Judge(const QString &Typed, const QString &Stored, int MeaningCount,
                                                    const RepaLine &Shown)
{
    Judgement j;
    if (m_state != State::Asking)
        return j;
    m_state = State::Answered;
    j.Judged = true;
    j.Check = cuPart(Typed, Stored, OptBoChecka);
    j.Verdict = VerdictCaption(j.Check.Right, OptBoChecka, MeaningCount);
    const bool fromStore = WordSource == Source::Store;
    try {
        if (!boRepa) {
            if (j.Check.Ok) {
                if (fromStore) {
                    RemoveWrongs(CurrentWordID);
                    j.StoreChanged = true;
                }
            } else {
                RepaIDs.append(CurrentWordID);
                m_lines.append(Shown);
                // A limit of 0 keeps no store: nothing is stored or asked.
                if (!fromStore && OptNbrWrongs > 0) {
                    AddWrongs(CurrentWordID);
                    j.StoreChanged = true;
                    if (CountWrongIDs() >= OptNbrWrongs)
                        j.Then = After::AskStoreFull;
                }
            }
        } else if (j.Check.Ok && !RepaIDs.isEmpty()) {
            RepaIDs.removeFirst();
            m_lines.removeFirst();
            if (fromStore) {
                RemoveWrongs(CurrentWordID);
                j.StoreChanged = true;
            }
        }
    } catch (const std::exception &e) {
        // The judgement stands; only the store write is missing.
        j.Error = ErrorNotice(e);
    }
    return j;
}

void TraditionalRound::Withdraw()
{
    if (m_state == State::Asking)
        m_state = State::Answered;
}

void TraditionalRound::AddWrongs(long long ID) { StoreWrongAnswer(ID, QDateTime::currentDateTime()); }

void TraditionalRound::RemoveWrongs(long long ID) { RemoveWrongAnswer(ID); }

QString TraditionalRound::NothingToDrawText()
{
    return QStringLiteral("No word can be drawn: every word of this source is in the repetition list. Answer "
                          "them, reset, or choose another source.");
}

QString TraditionalRound::StoreFullQuestion() { return Caps1112(1115); }

TraditionalRound::StoreFullOutcome TraditionalRound::StoreFullAnswered(bool Practise)
{
    if (Practise) {
        WordSource = Source::Store;
        ClearRepetition();
        return {After::AskNext, std::nullopt};
    }
    try {
        EmptyWrongAnswers();
    } catch (const std::exception &e) {
        // The store keeps its words; the round goes on as it is.
        return {After::Nothing, ErrorNotice(e)};
    }
    WordSource = Source::AllWords;
    return {After::Restart, std::nullopt};
}

} // namespace tav
