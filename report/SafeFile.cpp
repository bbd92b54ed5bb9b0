#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellumo {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

QString linkRefused(const QString& path)
{
    return QStringLiteral("同じ名前のシンボリックリンク（別の場所への参照）があります。"
                          "参照先のファイルを守るため、保存しませんでした。別の名前を選んでください。\n%1")
        .arg(shown(path));
}

// The longest file name the folder takes, in bytes.
qsizetype longestName(const QString& folder)
{
    const long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return limit > 0 ? qsizetype(limit) : qsizetype(NAME_MAX);
}

// ".tellumo-k3Xw9QaZ.pdf": short whatever the chosen name's length, and
// with its suffix, for writers that choose their format by it.
QString temporaryName(const QString& path)
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = QStringLiteral(".tellumo-");
    for (int i = 0; i < 8; ++i)
        name += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))]);
    const QString suffix = QFileInfo(path).suffix();
    if (!suffix.isEmpty() && suffix.size() <= 8)
        name += u'.' + suffix;
    return QDir(folderOf(path)).filePath(name);
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

SafeFile::SafeFile(QString path) : path_(QFileInfo(path).absoluteFilePath()) {}

SafeFile::~SafeFile()
{
    discard();
}

QString SafeFile::reasonFor(int error, const QString& path)
{
    const QString folder = folderOf(path);
    switch (error) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("ディスクの空き容量が足りません。\n%1").arg(shown(path));
    case ENAMETOOLONG: return QStringLiteral("ファイル名が長すぎます。\n%1").arg(shown(path));
    case ENOENT: return QStringLiteral("保存先のフォルダが見つかりません。\n%1").arg(shown(folder));
    case ENOTDIR: return QStringLiteral("保存先がフォルダではありません。\n%1").arg(shown(folder));
    case EISDIR: return QStringLiteral("同じ名前のフォルダがあります。\n%1").arg(shown(path));
    case ELOOP: return linkRefused(path);
    case EACCES:
    case EPERM: return QStringLiteral("このフォルダには書き込めません（権限がありません）。\n%1").arg(shown(folder));
    case EROFS: return QStringLiteral("このフォルダには書き込めません（読み取り専用です）。\n%1").arg(shown(folder));
    case EIO: return QStringLiteral("ディスクの読み書きに失敗しました。\n%1").arg(shown(path));
    case EMFILE:
    case ENFILE: return QStringLiteral("開いているファイルが多すぎます。\n%1").arg(shown(path));
    case EBUSY:
    case ETXTBSY: return QStringLiteral("ファイルが使用中です。\n%1").arg(shown(path));
    default: return QStringLiteral("ファイルを書き込めませんでした（エラー番号 %1）。\n%2").arg(error).arg(shown(path));
    }
}

QString SafeFile::open()
{
    discard();
    committed_ = false;
    const QByteArray folder = QFile::encodeName(folderOf(path_));
    struct stat status {};
    if (::stat(folder.constData(), &status) != 0)
        return reasonFor(errno == ENOTDIR ? ENOTDIR : ENOENT, path_);
    if (!S_ISDIR(status.st_mode))
        return reasonFor(ENOTDIR, path_);
    if (QFile::encodeName(QFileInfo(path_).fileName()).size() > longestName(folderOf(path_)))
        return QStringLiteral("ファイル名が長すぎます（%1 バイトまで）。\n%2")
            .arg(longestName(folderOf(path_)))
            .arg(shown(path_));

    // What stands at the name now: a link is refused, a file lends the new
    // one its permissions.
    std::optional<mode_t> keptMode;
    if (::lstat(QFile::encodeName(path_).constData(), &status) == 0) {
        if (S_ISLNK(status.st_mode))
            return linkRefused(path_);
        if (S_ISDIR(status.st_mode))
            return reasonFor(EISDIR, path_);
        if (!S_ISREG(status.st_mode))
            return QStringLiteral("同じ名前の特殊なファイルがあります。\n%1").arg(shown(path_));
        keptMode = status.st_mode & 07777;
    } else if (errno != ENOENT) {
        return reasonFor(errno, path_);
    }

    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = temporaryName(path_);
        // The creator's umask applies to a new file, as to any other.
        const int descriptor = ::open(QFile::encodeName(candidate).constData(),
                                      O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EEXIST)
            continue;
        if (descriptor < 0) {
            const int error = errno;
            // Kernel folders that refuse new files say so in many ways.
            return reasonFor(error == ENOENT || error == EINVAL ? EACCES : error, path_);
        }
        descriptor_ = descriptor;
        temporaryPath_ = candidate;
        if (keptMode)
            ::fchmod(descriptor_, *keptMode);
        return {};
    }
    return reasonFor(EEXIST, path_);
}

QString SafeFile::writerPath() const
{
    if (descriptor_ < 0)
        return {};
    const QString own = QStringLiteral("/proc/self/fd/%1").arg(descriptor_);
    struct stat opened {}, named {};
    if (::fstat(descriptor_, &opened) == 0 && ::stat(QFile::encodeName(own).constData(), &named) == 0
        && sameFile(opened, named))
        return own;
    return temporaryPath_;
}

QString SafeFile::write(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor_, data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return reasonFor(written < 0 ? errno : ENOSPC, path_);
        data += written;
        left -= written;
    }
    return {};
}

QByteArray SafeFile::writtenBytes() const
{
    struct stat own {}, named {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &own) != 0
        || ::lstat(QFile::encodeName(temporaryPath_).constData(), &named) != 0 || !sameFile(own, named)
        || !S_ISREG(named.st_mode))
        return {};
    QByteArray bytes(qsizetype(own.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t read = ::pread(descriptor_, bytes.data() + done, std::size_t(bytes.size() - done), done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return {};
        done += read;
    }
    return bytes.isNull() ? QByteArray("") : bytes;
}

QString SafeFile::commit()
{
    if (descriptor_ < 0)
        return reasonFor(EBADF, path_);
    if (::fsync(descriptor_) != 0)
        return reasonFor(errno, path_);
    struct stat own {}, named {};
    if (::fstat(descriptor_, &own) != 0 || ::lstat(QFile::encodeName(temporaryPath_).constData(), &named) != 0
        || !sameFile(own, named))
        return QStringLiteral("書き込み中のファイルが別のものに置き換えられました。\n%1").arg(shown(path_));
    // A link made at the name while the file was written is refused too;
    // rename() replaces a name, never what a link points to, so even one
    // made after this check only loses the link.
    if (::lstat(QFile::encodeName(path_).constData(), &named) == 0) {
        if (S_ISLNK(named.st_mode))
            return linkRefused(path_);
        if (S_ISDIR(named.st_mode))
            return reasonFor(EISDIR, path_);
    }
    if (::rename(QFile::encodeName(temporaryPath_).constData(), QFile::encodeName(path_).constData()) != 0)
        return reasonFor(errno, path_);
    committed_ = true;
    // The new name itself is kept on disk with the folder.
    const int folder = ::open(QFile::encodeName(folderOf(path_)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    discard();
    return {};
}

void SafeFile::discard()
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!committed_ && !temporaryPath_.isEmpty())
        ::unlink(QFile::encodeName(temporaryPath_).constData());
    temporaryPath_.clear();
}

QString writeFileSafely(const QString& path, const QByteArray& contents)
{
    SafeFile file(path);
    QString failure = file.open();
    if (failure.isEmpty())
        failure = file.write(contents);
    if (failure.isEmpty())
        failure = file.commit();
    return failure;
}

} // namespace tellumo
