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

} // namespace

ProcfsProcessControl::ProcfsProcessControl(QString procRoot)
    : m_procRoot(std::move(procRoot))
{
}

bool ProcfsProcessControl::matches(const QString &pidDir, const QByteArray &name) const
{
    const QByteArray dir = QFile::encodeName(pidDir);
    QByteArray comm = readSmallFile(dir + "/comm", 64);
    if (comm.endsWith('\n'))
        comm.chop(1);
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
    return !matchingPids(exeName).isEmpty();
}

void ProcfsProcessControl::taskkill(const QString &exeName)
{
    const qint64 self = ::getpid();
    for (qint64 pid : matchingPids(exeName)) {
        if (pid != self)
            ::kill(pid_t(pid), SIGKILL);
    }
}
