#include "exercise/rounds/TileRound.h"

namespace tav {

void TileRound::SetRows(const QStringList &texts, const QStringList &tags, const QVector<long long> &ids)
{
    m_texts = texts;
    m_tags = tags;
    m_ids = ids;
    m_states = QVector<RowState>(texts.size(), RowState::Unsolved);
    m_tiles = QVector<Tile>(texts.size());
}

bool TileRound::Deal(ExerciseRandom &rng)
{
    if (m_texts.isEmpty())
        return false;
    QVector<int> open;
    for (int r = 0; r < Count(); ++r) {
        if (m_states[r] == RowState::Failed)
            m_states[r] = RowState::Unsolved;
        if (m_states[r] != RowState::Solved)
            open.append(r);
    }
    for (qsizetype i = open.size() - 1; i > 0; --i)
        std::swap(open[i], open[rng.Below(int(i + 1))]);
    int next = 0;
    for (int i = 0; i < Count(); ++i) {
        Tile &tile = m_tiles[i];
        tile = Tile{};
        tile.Visible = true;
        if (m_states[i] == RowState::Solved) {
            tile.Enabled = false;
            continue;
        }
        const int r = open[next++];
        tile.Text = m_texts[r];
        tile.Tag = m_tags.value(r);
        tile.ID = m_ids.value(r);
    }
    return true;
}

TileRound::Drop TileRound::DropTile(int tile, int row)
{
    if (tile < 0 || tile >= Count() || row < 0 || row >= Count())
        return Drop::Refused;
    Tile &t = m_tiles[tile];
    if (!t.Enabled || t.Text.isEmpty() || m_states[row] == RowState::Solved)
        return Drop::Refused;
    if (t.Text != m_texts[row]) {
        m_states[row] = RowState::Failed;
        return Drop::Wrong;
    }
    m_states[row] = RowState::Solved;
    t.Text.clear();
    t.Tag.clear();
    return Drop::Right;
}

int TileRound::Solved() const { return int(std::count(m_states.begin(), m_states.end(), RowState::Solved)); }

} // namespace tav
