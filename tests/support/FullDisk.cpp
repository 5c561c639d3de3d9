#include "support/FullDisk.h"

#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

namespace tavtest {

namespace {

sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_vfs;
std::vector<std::string> g_endings;
int g_refused = 0;

// The file as the engine sees it; the real file follows it in memory.
struct File {
    sqlite3_file base;
    bool full;
    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

File *Of(sqlite3_file *f) { return reinterpret_cast<File *>(f); }

int Close(sqlite3_file *f) { return Of(f)->real()->pMethods->xClose(Of(f)->real()); }
int Read(sqlite3_file *f, void *b, int n, sqlite3_int64 at) { return Of(f)->real()->pMethods->xRead(Of(f)->real(), b, n, at); }
int Write(sqlite3_file *f, const void *b, int n, sqlite3_int64 at)
{
    if (Of(f)->full) {
        ++g_refused;
        return SQLITE_FULL;
    }
    return Of(f)->real()->pMethods->xWrite(Of(f)->real(), b, n, at);
}
int Truncate(sqlite3_file *f, sqlite3_int64 size) { return Of(f)->real()->pMethods->xTruncate(Of(f)->real(), size); }
int Sync(sqlite3_file *f, int flags) { return Of(f)->real()->pMethods->xSync(Of(f)->real(), flags); }
int FileSize(sqlite3_file *f, sqlite3_int64 *size) { return Of(f)->real()->pMethods->xFileSize(Of(f)->real(), size); }
int Lock(sqlite3_file *f, int l) { return Of(f)->real()->pMethods->xLock(Of(f)->real(), l); }
int Unlock(sqlite3_file *f, int l) { return Of(f)->real()->pMethods->xUnlock(Of(f)->real(), l); }
int CheckReserved(sqlite3_file *f, int *out) { return Of(f)->real()->pMethods->xCheckReservedLock(Of(f)->real(), out); }
int Control(sqlite3_file *f, int op, void *arg) { return Of(f)->real()->pMethods->xFileControl(Of(f)->real(), op, arg); }
int SectorSize(sqlite3_file *f) { return Of(f)->real()->pMethods->xSectorSize(Of(f)->real()); }
int Characteristics(sqlite3_file *f) { return Of(f)->real()->pMethods->xDeviceCharacteristics(Of(f)->real()); }
int ShmMap(sqlite3_file *f, int page, int size, int extend, void volatile **p)
{
    return Of(f)->real()->pMethods->xShmMap(Of(f)->real(), page, size, extend, p);
}
int ShmLock(sqlite3_file *f, int offset, int n, int flags) { return Of(f)->real()->pMethods->xShmLock(Of(f)->real(), offset, n, flags); }
void ShmBarrier(sqlite3_file *f) { Of(f)->real()->pMethods->xShmBarrier(Of(f)->real()); }
int ShmUnmap(sqlite3_file *f, int del) { return Of(f)->real()->pMethods->xShmUnmap(Of(f)->real(), del); }
// No memory-mapped reads: every page goes through Read.
int Fetch(sqlite3_file *, sqlite3_int64, int, void **p)
{
    *p = nullptr;
    return SQLITE_OK;
}
int Unfetch(sqlite3_file *, sqlite3_int64, void *) { return SQLITE_OK; }

const sqlite3_io_methods kMethods = {3,        Close,    Read,    Write,       Truncate,   Sync,
                                     FileSize, Lock,     Unlock,  CheckReserved, Control,  SectorSize,
                                     Characteristics, ShmMap, ShmLock, ShmBarrier, ShmUnmap, Fetch, Unfetch};

bool EndsWithOne(const char *name)
{
    if (!name)
        return false;
    const std::string n(name);
    for (const std::string &e : g_endings)
        if (n.size() >= e.size() && n.compare(n.size() - e.size(), e.size(), e) == 0)
            return true;
    return false;
}

int Open(sqlite3_vfs *, const char *name, sqlite3_file *f, int flags, int *outFlags)
{
    File *file = Of(f);
    file->base.pMethods = nullptr;
    const int rc = g_real->xOpen(g_real, name, file->real(), flags, outFlags);
    if (rc == SQLITE_OK && file->real()->pMethods) {
        file->full = EndsWithOne(name);
        file->base.pMethods = &kMethods;
    }
    return rc;
}

} // namespace

FullDisk::FullDisk(QStringList fullEndings)
{
    g_endings.clear();
    for (const QString &e : fullEndings)
        g_endings.push_back(e.toStdString());
    g_refused = 0;
    g_real = sqlite3_vfs_find(nullptr);
    g_vfs = *g_real;
    g_vfs.iVersion = std::min(g_real->iVersion, 3);
    g_vfs.zName = "tav_full_disk";
    g_vfs.szOsFile = int(sizeof(File)) + g_real->szOsFile;
    g_vfs.pAppData = nullptr;
    g_vfs.xOpen = Open;
    // The real layer's own calls (delete, access, full path...) take it as
    // their first argument.
    g_vfs.xDelete = [](sqlite3_vfs *, const char *n, int s) { return g_real->xDelete(g_real, n, s); };
    g_vfs.xAccess = [](sqlite3_vfs *, const char *n, int f, int *o) { return g_real->xAccess(g_real, n, f, o); };
    g_vfs.xFullPathname = [](sqlite3_vfs *, const char *n, int m, char *o) { return g_real->xFullPathname(g_real, n, m, o); };
    g_vfs.xDlOpen = [](sqlite3_vfs *, const char *n) { return g_real->xDlOpen(g_real, n); };
    g_vfs.xDlError = [](sqlite3_vfs *, int n, char *m) { g_real->xDlError(g_real, n, m); };
    g_vfs.xDlSym = [](sqlite3_vfs *, void *h, const char *s) { return g_real->xDlSym(g_real, h, s); };
    g_vfs.xDlClose = [](sqlite3_vfs *, void *h) { g_real->xDlClose(g_real, h); };
    g_vfs.xRandomness = [](sqlite3_vfs *, int n, char *o) { return g_real->xRandomness(g_real, n, o); };
    g_vfs.xSleep = [](sqlite3_vfs *, int us) { return g_real->xSleep(g_real, us); };
    g_vfs.xCurrentTime = [](sqlite3_vfs *, double *t) { return g_real->xCurrentTime(g_real, t); };
    g_vfs.xGetLastError = [](sqlite3_vfs *, int n, char *m) { return g_real->xGetLastError(g_real, n, m); };
    g_vfs.xCurrentTimeInt64 = [](sqlite3_vfs *, sqlite3_int64 *t) { return g_real->xCurrentTimeInt64(g_real, t); };
    g_vfs.xSetSystemCall = [](sqlite3_vfs *, const char *n, sqlite3_syscall_ptr p) {
        return g_real->xSetSystemCall(g_real, n, p);
    };
    g_vfs.xGetSystemCall = [](sqlite3_vfs *, const char *n) { return g_real->xGetSystemCall(g_real, n); };
    g_vfs.xNextSystemCall = [](sqlite3_vfs *, const char *n) { return g_real->xNextSystemCall(g_real, n); };
    sqlite3_vfs_register(&g_vfs, 1);
}

FullDisk::~FullDisk()
{
    sqlite3_vfs_unregister(&g_vfs);
    sqlite3_vfs_register(g_real, 1);
    g_endings.clear();
}

int FullDisk::Refused() const { return g_refused; }

} // namespace tavtest
