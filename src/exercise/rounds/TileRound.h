#pragma once
// A round of rows matched by dragging tiles, without widgets: the word-
// matching exercise (a round's words or meanings) and the verb-form exercise
// (a verb's six forms) both use it. Each row has its text; a deal hides the
// texts of the unsolved rows and hands them, shuffled, to the tiles of those
// rows; a tile dropped on a row solves it when its text is the row's text.
//
// Row states: unsolved, failed (the last drop on it was wrong; the next deal
// makes it unsolved), solved (kept through later deals until new rows are
// set). Tile i lies beside row i.

#include "exercise/rounds/ExerciseRandom.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace tav {

class TileRound {
public:
    enum class RowState { Unsolved, Failed, Solved };
    enum class Drop { Refused, Right, Wrong };

    struct Tile {
        QString Text;
        QString Tag;        // the word class ("V", "N", ...) or ""
        long long ID = 0;   // the word the text belongs to
        bool Enabled = true;
        bool Visible = false;
    };

    // New rows (a new round): every row unsolved, no tile dealt. Tags and IDs
    // go with the texts, index by index.
    void SetRows(const QStringList &texts, const QStringList &tags, const QVector<long long> &ids);

    int Count() const { return int(m_texts.size()); }
    QString Text(int row) const { return m_texts.value(row); }
    RowState State(int row) const { return m_states.value(row, RowState::Unsolved); }
    const Tile &TileAt(int i) const { return m_tiles[i]; }

    // Deals the unsolved rows' texts, shuffled, to their tiles; a solved row's
    // tile is disabled and empty. False (nothing dealt) for a round without rows.
    bool Deal(ExerciseRandom &rng);
    // Judges tile `tile` dropped on row `row`. A solved row, an empty or
    // disabled tile or an index outside the round refuse the drop. Right:
    // the row is solved and the tile emptied. Wrong: the row fails and the
    // tile keeps its text.
    Drop DropTile(int tile, int row);

    int Solved() const;
    bool Complete() const { return Count() > 0 && Solved() == Count(); }

private:
    QStringList m_texts;
    QStringList m_tags;
    QVector<long long> m_ids;
    QVector<RowState> m_states;
    QVector<Tile> m_tiles;
};

} // namespace tav
