#pragma once
// A full disk for the database engine, without a real one: while a FullDisk
// lives, it is the engine's default file layer, and every write to a file
// whose name ends with one of the given endings fails as a full disk does
// (SQLITE_FULL). Other files are written as usual.

#include <QStringList>

namespace tavtest {

class FullDisk {
public:
    explicit FullDisk(QStringList fullEndings);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // Writes refused so far.
    int Refused() const;
};

} // namespace tavtest
