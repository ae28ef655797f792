#include "core/procfsprocesscontrol.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int CommLength = 15; // TASK_COMM_LEN - 1
// exitproc(): between full walks of /proc (one in FullScanCalls calls),
// only the pids handed out since the last call are looked at, and each of
// them again for RecheckCalls calls (a fresh process may still exec).
constexpr quint64 FullScanCalls = 100;
constexpr quint64 RecheckCalls = 10;
// More new pids than this at once: walk /proc instead.
constexpr qint64 MaxNewPids = 512;

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

// A process that has ended but is not yet reaped (a zombie) keeps its name
// in /proc; it is no running process. A pid that vanished has ended too.
bool hasEnded(const QByteArray &pidDir)
{
    const QByteArray stat = readSmallFile(pidDir + "/stat", 512);
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0 || close + 2 >= stat.size())
        return true;
    const char state = stat.at(close + 2);
    return state == 'Z' || state == 'X' || state == 'x';
}

// The most recently created pid (the last field of loadavg); 0 if unknown.
// The file stays open: one pread() a call instead of open, read, close.
qint64 lastPid(int fd)
{
    char buffer[128];
    const ssize_t n = fd < 0 ? -1 : ::pread(fd, buffer, sizeof buffer - 1, 0);
    if (n <= 0)
        return 0;
    const QByteArray text = QByteArray(buffer, n).trimmed();
    const qsizetype space = text.lastIndexOf(' ');
    bool ok = false;
    const qint64 pid = text.mid(space + 1).toLongLong(&ok);
    return ok ? pid : 0;
}

} // namespace

ProcfsProcessControl::ProcfsProcessControl(QString procRoot)
    : m_procRoot(std::move(procRoot))
{
}

ProcfsProcessControl::~ProcfsProcessControl()
{
    if (m_loadavg >= 0)
        ::close(m_loadavg);
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
    return nameMatches(dir, name) && !hasEnded(dir);
}

bool ProcfsProcessControl::nameMatches(const QByteArray &dir, const QByteArray &name) const
{
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
    if (m_loadavg < 0)
        m_loadavg = ::open(QFile::encodeName(m_procRoot + u"/loadavg"_s).constData(), O_RDONLY | O_CLOEXEC);
    const qint64 newest = lastPid(m_loadavg);
    const quint64 call = ++m_calls;
    const bool fullScan = name != m_lastName || newest == 0 || newest < m_lastPid
                          || newest - m_lastPid > MaxNewPids || call % FullScanCalls == 0;
    m_lastName = name;
    if (fullScan) {
        m_found = matchingPids(exeName);
        m_recent.clear();
        m_lastPid = newest;
        return !m_found.isEmpty();
    }

    auto matchesPid = [&](qint64 pid) { return matches(m_procRoot + u'/' + QString::number(pid), name); };
    // Still running under that name?
    m_found.removeIf([&](qint64 pid) { return !matchesPid(pid); });
    for (qint64 pid = m_lastPid + 1; pid <= newest; ++pid)
        m_recent.append({pid, call});
    m_lastPid = newest;
    m_recent.removeIf([&](const Recent &recent) { return call - recent.firstCall >= RecheckCalls; });
    for (const Recent &recent : std::as_const(m_recent)) {
        if (!m_found.contains(recent.pid) && matchesPid(recent.pid))
            m_found.append(recent.pid);
    }
    return !m_found.isEmpty();
}

void ProcfsProcessControl::taskkill(const QString &exeName)
{
    const qint64 self = ::getpid();
    for (qint64 pid : matchingPids(exeName)) {
        if (pid != self)
            ::kill(pid_t(pid), SIGKILL);
    }
}
