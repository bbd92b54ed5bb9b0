// Writing a file so that a failure never loses, truncates or misplaces one.
//
// Data flow: SafeFile checks the chosen name first (the folder, the name's
// length, what already stands there), then creates a new temporary file
// beside it under a short name of its own, exclusively and without
// following links. The contents go into that file, by bytes or by a writer
// that opens it by name (a printer's PDF output); commit() syncs it to disk
// and renames it over the chosen name only then. Until then, and whenever a
// step fails, the old file stays as it was and the temporary file is
// removed. A symbolic link at the chosen name is refused, never followed
// and never replaced: in a shared folder it could point at any file of the
// user's, and the save dialog does not show it as a link. Every failure is
// given as a Japanese reason, the text after "保存できませんでした: ".
#pragma once

#include <QByteArray>
#include <QString>

namespace tellumo {

class SafeFile {
public:
    explicit SafeFile(QString path);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Checks the name and creates the temporary file; empty on success,
    // otherwise the reason.
    QString open();
    // The temporary file, for a writer that opens it by name; empty until
    // open() succeeded.
    QString temporaryPath() const { return temporaryPath_; }
    // A name for such a writer that leads to the file open() created
    // whatever happens to the folder meanwhile: /proc/self/fd/N where the
    // system has it (someone who may write to the folder could otherwise
    // put a link in the temporary file's place), else temporaryPath().
    QString writerPath() const;
    // Appends to the temporary file.
    QString write(const QByteArray& bytes);
    // What the temporary file now holds, read through the file created by
    // open(): a writer that opened it by name must not have been led
    // elsewhere. Null when the name no longer leads to that file.
    QByteArray writtenBytes() const;
    // Syncs the temporary file and renames it over the chosen name.
    QString commit();

    // The reason for a failure with this system error number, as the
    // message names it.
    static QString reasonFor(int error, const QString& path);

private:
    void discard();

    QString path_;
    QString temporaryPath_;
    int descriptor_ = -1;
    bool committed_ = false;
};

// Writes `contents` to `path` through a SafeFile: empty on success,
// otherwise the reason.
QString writeFileSafely(const QString& path, const QByteArray& contents);

} // namespace tellumo
