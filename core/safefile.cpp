#include "core/safefile.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefile {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(safefile)
};

// The length of the well-formed UTF-8 sequence at s[i], or 0.
int utf8Length(const unsigned char *s, qsizetype i, qsizetype n)
{
    const unsigned char c = s[i];
    if (c < 0x80)
        return 1;
    int more = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        more = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2;
        if (c == 0xE0)
            low = 0xA0; // no overlong forms
        if (c == 0xED)
            high = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (i + more >= n)
        return 0;
    if (s[i + 1] < low || s[i + 1] > high)
        return 0;
    for (int k = 2; k <= more; ++k) {
        if (s[i + k] < 0x80 || s[i + k] > 0xBF)
            return 0;
    }
    return 1 + more;
}

bool keptByte(const QString &s, qsizetype i)
{
    const char16_t c = s.at(i).unicode();
    return c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !s.at(i - 1).isHighSurrogate());
}

// The system's reason in the lesson's own words.
QString why(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        //: the disk (or the user's quota) is full
        return Text::tr("ディスクに空きがありません");
    case EACCES:
    case EPERM:
        //: the system does not allow it
        return Text::tr("許可がありません");
    case EROFS:
        //: the place is mounted read-only
        return Text::tr("読み取り専用の場所です");
    case ENOENT:
        //: there is no such file or folder
        return Text::tr("見つかりません");
    case ENOTDIR:
        //: a part of the path is not a folder
        return Text::tr("途中にフォルダでないものがあります");
    case EISDIR:
        //: the name is a folder's
        return Text::tr("フォルダです");
    case EFBIG:
        //: the file would pass the size the system allows
        return Text::tr("ファイルが大きすぎます");
    case ENAMETOOLONG:
        //: the file name is too long
        return Text::tr("名前が長すぎます");
    case ELOOP:
        //: symbolic links point round in a circle
        return Text::tr("シンボリックリンクが多すぎます");
    case EIO:
        //: the disk reported a fault
        return Text::tr("ディスクの読み書きでエラーが起きました");
    default:
        //: any other fault, with the system's error number
        return Text::tr("システムのエラー（番号 %1）").arg(error);
    }
}

QString notRegular()
{
    //: a FIFO, a device or a folder stands where a file should be
    return Text::tr("ふつうのファイルではありません（FIFO、装置、フォルダは使えません）");
}

QString noName()
{
    //: an empty file name was given
    return Text::tr("ファイルの名前が空です");
}

QString cannotWrite(int error)
{
    //: the file cannot be written, and why
    return Text::tr("書きこめません（%1）").arg(why(error));
}

QString folderRefuses(const QByteArray &folder, int error)
{
    //: the folder does not take the file, and why
    return Text::tr("フォルダ %1 に書きこめません（%2）")
        .arg(shown(fromNative(folder)), why(error));
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

bool isAlive(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// Temporaries of earlier runs for the same name whose process is gone.
void removeStale(const QByteArray &folder, const QByteArray &fileName)
{
    const QByteArray prefix = temporaryPrefix(fileName);
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(prefix))
            continue;
        const QByteArray rest = name.mid(prefix.size());
        const qsizetype dash = rest.indexOf('-');
        bool number = false;
        const long pid = rest.left(dash).toLong(&number);
        if (dash > 0 && number && !isAlive(pid_t(pid)))
            ::unlink((folder + '/' + name).constData());
    }
    ::closedir(dir);
}

mode_t newFileMode()
{
    // The umask can only be read by setting it.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString fromNative(const QByteArray &bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype run = 0;
    qsizetype i = 0;
    while (i < n) {
        const int length = utf8Length(s, i, n);
        if (length > 0) {
            i += length;
            continue;
        }
        out += QString::fromUtf8(bytes.constData() + run, i - run);
        out += QChar(char16_t(0xDC00 + s[i]));
        run = ++i;
    }
    out += QString::fromUtf8(bytes.constData() + run, n - run);
    return out;
}

QByteArray toNative(const QString &path)
{
    QByteArray out;
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!keptByte(path, i))
            continue;
        out += QStringView(path).mid(run, i - run).toUtf8();
        out += char(path.at(i).unicode() - 0xDC00);
        run = i + 1;
    }
    out += QStringView(path).mid(run).toUtf8();
    return out;
}

QString shown(const QString &path)
{
    QString out = path;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (keptByte(path, i) || out.at(i).unicode() < 0x20 || out.at(i).unicode() == 0x7F)
            out[i] = QChar::ReplacementCharacter;
    }
    return out;
}

QString quoted(const QString &text, qsizetype max)
{
    QString out = shown(text.size() > max ? text.left(max) : text);
    if (text.size() > max)
        out += QChar(0x2026);
    return out;
}

bool checkTarget(const QString &path, QString &reason)
{
    if (path.isEmpty()) {
        reason = noName();
        return false;
    }
    QByteArray native = toNative(path);
    struct stat st;
    if (::stat(native.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            reason = notRegular();
            return false;
        }
        if (char *real = ::realpath(native.constData(), nullptr)) {
            native = real;
            std::free(real);
        }
    } else if (const int error = errno; error != ENOENT) {
        reason = cannotWrite(error);
        return false;
    } else if (::lstat(native.constData(), &st) == 0) {
        // A symbolic link to nothing: writing would make a file somewhere else.
        reason = cannotWrite(ENOENT);
        return false;
    }
    const QByteArray folder = folderOf(native);
    if (::stat(folder.constData(), &st) != 0) {
        reason = folderRefuses(folder, errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        reason = folderRefuses(folder, ENOTDIR);
        return false;
    }
    if (::access(folder.constData(), W_OK | X_OK) != 0) {
        reason = folderRefuses(folder, errno);
        return false;
    }
    return true;
}

bool write(const QString &path, const QByteArray &bytes, QString &reason)
{
    if (!checkTarget(path, reason))
        return false;
    QByteArray target = toNative(path);
    mode_t mode = newFileMode();
    struct stat st;
    if (::stat(target.constData(), &st) == 0) {
        mode = st.st_mode & 07777;
        // Through a symbolic link: the file it points to is replaced, the link stays.
        if (char *real = ::realpath(target.constData(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const QByteArray folder = folderOf(target);
    const QByteArray fileName = target.mid(target.lastIndexOf('/') + 1);
    removeStale(folder, fileName);

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = folder + '/' + temporaryPrefix(fileName) + QByteArray::number(::getpid()) + '-'
            + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            reason = folderRefuses(folder, errno);
            return false;
        }
    }
    if (fd < 0) {
        reason = folderRefuses(folder, EEXIST);
        return false;
    }

    auto fail = [&](int error, bool folderFault) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        reason = folderFault ? folderRefuses(folder, error) : cannotWrite(error);
        return false;
    };
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno, false);
        }
        if (written == 0)
            return fail(ENOSPC, false);
        data += written;
        left -= written;
    }
    if (::fchmod(fd, mode) != 0)
        return fail(errno, false);
    if (::fsync(fd) != 0)
        return fail(errno, false);
    const int closing = ::close(fd);
    fd = -1;
    if (closing != 0)
        return fail(errno, false);
    if (::rename(temporary.constData(), target.constData()) != 0)
        return fail(errno, errno == EACCES || errno == EPERM || errno == EROFS);
    // The rename itself reaches the disk with the folder; a folder that cannot be synced
    // still holds the new file.
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool read(const QString &path, qsizetype limit, QByteArray &bytes, QString &reason)
{
    if (path.isEmpty()) {
        reason = noName();
        return false;
    }
    const QByteArray native = toNative(path);
    auto cannotOpen = [&](int error) {
        //: the file cannot be opened, and why
        reason = Text::tr("開けません（%1）").arg(why(error));
        return false;
    };
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return cannotOpen(errno);
    if (!S_ISREG(st.st_mode)) {
        reason = notRegular();
        return false;
    }
    // Non-blocking, so that a FIFO put there since the check cannot hold the open.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return cannotOpen(errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        reason = notRegular();
        return false;
    }
    QByteArray read(limit, Qt::Uninitialized);
    qsizetype have = 0;
    while (have < limit) {
        const ssize_t got = ::read(fd, read.data() + have, size_t(limit - have));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return cannotOpen(error);
        }
        if (got == 0)
            break;
        have += got;
    }
    ::close(fd);
    read.truncate(have);
    bytes = read;
    return true;
}

QByteArray temporaryPrefix(const QByteArray &fileName)
{
    return '.' + fileName + ".kansu-";
}

} // namespace safefile
