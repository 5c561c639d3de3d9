// Sorting the grid's rows by a sort code over the selected columns, in
// parts on several threads for a long list, and a cell's text as a number.
#include "platform/flexgrid/FlexGrid.h"

#include "platform/flexgrid/CellNumbers.h"
#include "platform/flexgrid/RowParts.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace flexgrid {

bool ParseNumber(const QString &text, double *value)
{
    // Most cells are words: a text that cannot start a number is none.
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i == text.size())
        return false;
    const QChar first = text.at(i);
    if (!first.isDigit() && first != QLatin1Char('-') && first != QLatin1Char('+') && first != QLatin1Char('.'))
        return false;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok)
        *value = v;
    return ok;
}

// ---------------------------------------------------------------------------
// Sorting

namespace {

// A cell's sort key, worked out once per cell and not once per comparison:
// the text (its case-folded copy where folding changes it) and its number.
struct SortKey {
    const QChar *chars; // the text's
    qsizetype size;
    double number;
    bool numeric;
    QStringView text() const { return QStringView(chars, size); }
};

// A row's first key in a compact entry that is sorted itself: the first code
// units of its text packed into two words (16 units of a byte each, or 8 of
// two bytes), so most comparisons read no text.
struct SortEntry {
    quint64 head[2];
    double number;
    int row;
    bool numeric;
};

// Fills rows first to end - 1 of keys, nKeys keys a row, cell(i, k) giving
// the text; folded keeps the copies that folded keys look at. True when
// every unit of those rows' first key's head is below 0x100.
template<typename Cell>
bool MakeSortKeys(int sortCode, int first, int end, int nKeys, Cell cell, SortKey *keys, QList<QString> &folded)
{
    const bool foldCase = sortCode == flexSortGenericAscending || sortCode == flexSortGenericDescending ||
                          sortCode == flexSortStringNoCaseAscending || sortCode == flexSortStringNoCaseDescending;
    // Folding leaves ASCII other than capitals as it is.
    auto foldChanges = [](const QString &text) {
        for (QChar c : text)
            if (c.unicode() >= 0x80 || (c.unicode() >= 'A' && c.unicode() <= 'Z'))
                return true;
        return false;
    };
    bool narrow = true; // every unit of the first key's head below 0x100
    for (int i = first; i < end; ++i)
        for (int k = 0; k < nKeys; ++k) {
            SortKey &key = keys[static_cast<qsizetype>(i) * nKeys + k];
            const QString &text = cell(i, k);
            key.chars = text.constData();
            key.size = text.size();
            key.number = 0; // also the number of a text that is none
            key.numeric = ParseNumber(text, &key.number);
            if (foldCase && !key.numeric && foldChanges(text)) {
                folded.append(text.toCaseFolded());
                key.chars = folded.constLast().constData();
                key.size = folded.constLast().size();
            }
            if (k == 0)
                for (qsizetype u = 0; u < std::min<qsizetype>(key.size, 16) && narrow; ++u)
                    narrow = key.chars[u].unicode() < 0x100;
        }
    return narrow;
}

// Entries first to end - 1, one per row, from the row's first key.
void PackFirstKeys(const SortKey *keys, int first, int end, int nKeys, bool narrow, SortEntry *entries)
{
    const int unitBits = narrow ? 8 : 16;
    const int unitsPerWord = 64 / unitBits;
    for (int i = first; i < end; ++i) {
        const SortKey &key = keys[static_cast<qsizetype>(i) * nKeys];
        SortEntry &e = entries[i];
        for (int w = 0; w < 2; ++w) {
            quint64 word = 0;
            for (int u = 0; u < unitsPerWord; ++u) {
                const qsizetype at = static_cast<qsizetype>(w) * unitsPerWord + u;
                word = (word << unitBits) | (at < key.size ? key.chars[at].unicode() : 0);
            }
            e.head[w] = word;
        }
        e.number = key.number;
        e.numeric = key.numeric;
        e.row = i;
    }
}

// The order of a sort code over the rows' keys: negative, 0 or positive as
// a row comes before, with or after another.
class SortOrder {
public:
    SortOrder(int sortCode, const SortKey *keys, int nKeys)
        : m_sortCode(sortCode), m_descending(sortCode % 2 == 0), m_keys(keys), m_nKeys(nKeys)
    {
    }

    // The first key as far as the entries tell it, then every key's text.
    int compareEntries(const SortEntry &a, const SortEntry &b) const
    {
        int c = 0;
        switch (m_sortCode) {
        case flexSortGenericAscending:
        case flexSortGenericDescending:
            if (a.numeric && b.numeric)
                c = compareNumbers(a.number, b.number);
            else if (a.numeric != b.numeric)
                c = a.numeric ? -1 : 1;
            else
                c = compareHeads(a, b);
            break;
        case flexSortNumericAscending:
        case flexSortNumericDescending:
            c = compareNumbers(a.number, b.number);
            break;
        default:
            c = compareHeads(a, b);
            break;
        }
        if (c != 0)
            return m_descending ? -c : c;
        return compareRows(a.row, b.row);
    }

private:
    static int compareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }
    // Texts in code-unit order.
    int compareKeys(const SortKey &a, const SortKey &b) const
    {
        switch (m_sortCode) {
        case flexSortGenericAscending:
        case flexSortGenericDescending:
            if (a.numeric && b.numeric)
                return compareNumbers(a.number, b.number);
            if (a.numeric != b.numeric)
                return a.numeric ? -1 : 1; // numbers before texts
            return a.text().compare(b.text(), Qt::CaseSensitive);
        case flexSortNumericAscending:
        case flexSortNumericDescending:
            return compareNumbers(a.number, b.number);
        default:
            return a.text().compare(b.text(), Qt::CaseSensitive);
        }
    }
    int compareRows(int x, int y) const
    {
        for (int k = 0; k < m_nKeys; ++k) {
            const int c = compareKeys(m_keys[static_cast<qsizetype>(x) * m_nKeys + k],
                                      m_keys[static_cast<qsizetype>(y) * m_nKeys + k]);
            if (c != 0)
                return m_descending ? -c : c;
        }
        return 0;
    }
    // The first key as far as the entries tell it; 0 leaves it to the texts.
    static int compareHeads(const SortEntry &a, const SortEntry &b)
    {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0] ? -1 : 1;
        return a.head[1] != b.head[1] ? (a.head[1] < b.head[1] ? -1 : 1) : 0;
    }

    const int m_sortCode;
    const bool m_descending;
    const SortKey *m_keys;
    const int m_nKeys;
};

} // namespace

void FlexGrid::SetSort(int sortCode)
{
    if (sortCode < flexSortGenericAscending || sortCode > flexSortStringDescending)
        return;
    int r1 = std::min(m_row, m_rowSel), r2 = std::max(m_row, m_rowSel);
    if (r1 == r2) {
        r1 = m_fixedRows;
        r2 = Rows() - 1;
    }
    r1 = std::max(r1, m_fixedRows);
    if (r2 - r1 < 1)
        return;
    const int c1 = std::max(0, std::min(m_col, m_colSel));
    const int c2 = std::min(m_cols - 1, std::max(m_col, m_colSel));
    if (c1 > c2)
        return;
    const int nKeys = c2 - c1 + 1;
    const int n = r2 - r1 + 1;

    // Keys are made, and the rows sorted, in parts at once: a long list's
    // parts side by side. The keys and entries are left unwritten until the
    // parts fill them, so that their memory is first touched side by side.
    const int parts = PartCount(n);
    auto start = [&](int part) { return static_cast<int>(PartStart(n, parts, part)); };
    const auto keys = std::make_unique_for_overwrite<SortKey[]>(static_cast<size_t>(n) * size_t(nKeys));
    std::vector<QList<QString>> folded(static_cast<size_t>(parts)); // the copies folded keys look at
    std::vector<char> narrowPart(static_cast<size_t>(parts));
    // The parts read the rows through a pointer taken here: nothing they
    // touch is detached or resized.
    const RowData *rows = std::as_const(m_rows).data() + r1;
    auto cell = [rows, c1](int i, int k) -> const QString & { return rows[i].text.at(c1 + k); };
    RunParts(parts, [&](int part) {
        narrowPart[size_t(part)] =
            MakeSortKeys(sortCode, start(part), start(part + 1), nKeys, cell, keys.get(), folded[size_t(part)]);
    });
    const bool narrow = std::all_of(narrowPart.begin(), narrowPart.end(), [](char c) { return c != 0; });
    auto entries = std::make_unique_for_overwrite<SortEntry[]>(static_cast<size_t>(n));
    RunParts(parts,
             [&](int part) { PackFirstKeys(keys.get(), start(part), start(part + 1), nKeys, narrow, entries.get()); });
    const SortOrder order(sortCode, keys.get(), nKeys);
    // Rows already in order stay as they are.
    bool ordered = true;
    for (int i = 1; i < n && ordered; ++i)
        ordered = order.compareEntries(entries[i - 1], entries[i]) <= 0;
    if (ordered)
        return;
    // Equal rows keep their order: the row number decides between them. No
    // two rows are then equal, so sorting the parts and merging them gives
    // the one order a single sort gives.
    auto before = [&](const SortEntry &x, const SortEntry &y) {
        const int c = order.compareEntries(x, y);
        return c != 0 ? c < 0 : x.row < y.row;
    };
    RunParts(parts, [&](int part) { std::sort(&entries[start(part)], &entries[start(part + 1)], before); });
    // Neighbouring runs merge in pairs, from one array into the other, until
    // one run is left.
    auto spare = std::make_unique_for_overwrite<SortEntry[]>(parts > 1 ? static_cast<size_t>(n) : 0);
    SortEntry *from = entries.get(), *to = spare.get();
    for (int width = 1; width < parts; width *= 2) {
        RunParts((parts + 2 * width - 1) / (2 * width), [&](int pair) {
            const int left = start(pair * 2 * width), middle = start(std::min(pair * 2 * width + width, parts)),
                      right = start(std::min(pair * 2 * width + 2 * width, parts));
            std::merge(from + left, from + middle, from + middle, from + right, to + left, before);
        });
        std::swap(from, to);
    }
    const SortEntry *sorted = from;
    // Each row moves to its place along the cycles of the new order, without
    // a copy of the rows: place i takes the row that sorted[i] names.
    std::vector<bool> placed(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (placed[size_t(i)] || sorted[i].row == i)
            continue;
        RowData held = std::move(m_rows[r1 + i]);
        for (int at = i;;) {
            const int source = sorted[at].row;
            placed[size_t(at)] = true;
            if (source == i) {
                m_rows[r1 + at] = std::move(held);
                break;
            }
            m_rows[r1 + at] = std::move(m_rows[r1 + source]);
            at = source;
        }
    }
    updateScrollBars();
    redraw();
}

} // namespace flexgrid
