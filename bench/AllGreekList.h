#pragma once
// The program as the benchmarks run it: a main window on a copy of a word
// database, loaded as at start, whose Show requests open real standard list
// windows; and the "All Greek" request of the Show button.

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tav {
class GridStd;
class MDI;
class ProgramWindows;
} // namespace tav

namespace tavbench {

class ProgramUnderBench {
public:
    // Loads the program on a copy of the database; aborts when it cannot.
    explicit ProgramUnderBench(const QString &database);
    ~ProgramUnderBench();

    QString file() const;
    // The request the Show button makes on the "All Greek" node.
    void OpenAllGreek() const;
    // The list window opened last, if any.
    tav::GridStd *OpenList() const;
    void CloseLists() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<tav::MDI> m_mdi;
    std::unique_ptr<tav::ProgramWindows> m_windows;
};

} // namespace tavbench
