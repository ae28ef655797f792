#include "core/procfsprocesscontrol.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int CommLength = 15; // TASK_COMM_LEN - 1
// exitproc(): a process counts as new for this many calls and is read on
// each; after that each process is read again once in RefreshCalls calls.
constexpr quint64 NewCalls = 10;
constexpr quint64 RefreshCalls = 100;
// With no process started, a full scan still runs once in this many calls
// (a running process may exec the name).
constexpr quint64 QuietCalls = 10;


QByteArray readSmallFile(const QByteArray &path, int limit)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray buffer(limit, Qt::Uninitialized);
    const ssize_t n = ::read(fd, buffer.data(), size_t(limit));
    ::close(fd);
    if (n <= 0)
        return {};
    buffer.truncate(n);
    return buffer;
}

QByteArray argv0Name(const QByteArray &pidDir)
{
    QByteArray argv0 = readSmallFile(pidDir + "/cmdline", 4096);
    const qsizetype nul = argv0.indexOf('\0');
    if (nul >= 0)
        argv0.truncate(nul);
    const qsizetype slash = qMax(argv0.lastIndexOf('/'), argv0.lastIndexOf('\\'));
    return argv0.mid(slash + 1);
}

// The most recently created pid: the last field of loadavg.
QByteArray lastPid(const QByteArray &root)
{
    QByteArray text = readSmallFile(root + "/loadavg", 128).trimmed();
    const qsizetype space = text.lastIndexOf(' ');
    return space < 0 ? QByteArray() : text.mid(space + 1);
}

} // namespace

ProcfsProcessControl::ProcfsProcessControl(QString procRoot)
    : m_procRoot(std::move(procRoot))
{
}

QByteArray ProcfsProcessControl::readComm(const QByteArray &pidDir) const
{
    QByteArray comm = readSmallFile(pidDir + "/comm", 64);
    if (comm.endsWith('\n'))
        comm.chop(1);
    return comm;
}

bool ProcfsProcessControl::matches(const QString &pidDir, const QByteArray &name) const
{
    const QByteArray dir = QFile::encodeName(pidDir);
    const QByteArray comm = readComm(dir);
    // comm holds at most 15 characters: a comm of that length may be a longer
    // name cut short, and then argv[0] tells the whole name.
    const bool commMayBeCut = comm.size() == CommLength;
    if (!commMayBeCut)
        return comm == name || (comm.isEmpty() && argv0Name(dir) == name);
    if (!name.startsWith(comm))
        return false;
    const QByteArray whole = argv0Name(dir);
    if (whole == name)
        return true;
    // argv[0] that continues comm names a longer executable; any other
    // argv[0] (renamed by the process) leaves comm to decide.
    return name.size() == CommLength && !(whole.startsWith(comm) && whole.size() > CommLength);
}

QList<qint64> ProcfsProcessControl::matchingPids(const QString &exeName) const
{
    QList<qint64> pids;
    if (exeName.isEmpty())
        return pids;
    const QByteArray name = exeName.toUtf8();
    DIR *dir = ::opendir(QFile::encodeName(m_procRoot).constData());
    if (!dir)
        return pids;
    while (dirent *entry = ::readdir(dir)) {
        const char *d = entry->d_name;
        if (*d < '0' || *d > '9')
            continue;
        bool ok = false;
        const qint64 pid = QByteArray(d).toLongLong(&ok);
        if (ok && matches(m_procRoot + QLatin1Char('/') + QLatin1String(d), name))
            pids.append(pid);
    }
    ::closedir(dir);
    return pids;
}

bool ProcfsProcessControl::exitproc(const QString &exeName)
{
    if (exeName.isEmpty())
        return false;
    const QByteArray name = exeName.toUtf8();
    const QByteArray root = QFile::encodeName(m_procRoot);
    const QByteArray newest = lastPid(root);
    const bool quiet = !newest.isEmpty() && newest == m_lastPid && name == m_lastName && !m_lastFound;
    if (quiet && ++m_calls % QuietCalls != 0)
        return false;
    DIR *dir = ::opendir(root.constData());
    if (!dir)
        return false;
    const quint64 scan = ++m_scan;
    bool found = false;
    while (dirent *entry = ::readdir(dir)) {
        const char *d = entry->d_name;
        if (*d < '0' || *d > '9')
            continue;
        bool ok = false;
        const qint64 pid = QByteArray::fromRawData(d, qstrlen(d)).toLongLong(&ok);
        if (!ok)
            continue;
        Seen &seen = m_seen[pid];
        const QByteArray pidDir = root + '/' + QByteArray::fromRawData(d, qstrlen(d));
        const bool reused = seen.scan == 0 || seen.inode != quint64(entry->d_ino);
        if (reused) {
            seen.inode = quint64(entry->d_ino);
            seen.firstScan = scan;
        }
        if (reused || scan - seen.firstScan < NewCalls || quint64(pid + scan) % RefreshCalls == 0)
            seen.comm = readComm(pidDir);
        seen.scan = scan;
        if (found)
            continue;
        // A comm that may be a cut-short name (or no comm) needs the full
        // check, but only when it could be the start of this name.
        if (seen.comm.isEmpty() || (seen.comm.size() == CommLength && name.startsWith(seen.comm)))
            found = matches(QFile::decodeName(pidDir), name);
        else
            found = seen.comm == name;
    }
    ::closedir(dir);
    // Forget processes that have ended.
    for (auto it = m_seen.begin(); it != m_seen.end();) {
        if (it->scan != scan)
            it = m_seen.erase(it);
        else
            ++it;
    }
    m_lastPid = newest;
    m_lastName = name;
    m_lastFound = found;
    return found;
}

void ProcfsProcessControl::taskkill(const QString &exeName)
{
    const qint64 self = ::getpid();
    for (qint64 pid : matchingPids(exeName)) {
        if (pid != self)
            ::kill(pid_t(pid), SIGKILL);
    }
}
