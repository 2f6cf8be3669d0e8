#pragma once

#include <QByteArray>
#include <QString>

/// Files read and written so that nothing is lost and nothing blocks: every file the program
/// writes (lesson, PDF, PNG) goes through `write`, every lesson it reads through `read`. Qt Core
/// and POSIX only. The reasons are translated and never carry the system's English text.
namespace safefile {

/// A file name from the command line, byte for byte: bytes that are not UTF-8 are kept as the
/// code points U+DC80…U+DCFF, which `toNative` turns back into the same bytes.
QString fromNative(const QByteArray &bytes);

/// The bytes the system knows the file by; the inverse of `fromNative`.
QByteArray toNative(const QString &path);

/// A file name as a message shows it: kept bytes as U+FFFD, control characters as U+FFFD.
QString shown(const QString &path);

/// Text from a file as a message quotes it: control characters (NUL included) as U+FFFD and
/// at most `max` characters, a cut marked with "…".
QString quoted(const QString &text, qsizetype max = 40);

/// Whether `write` may try `path`: a name is given, and what stands there, if anything, is a
/// regular file (a symbolic link counts as what it points to). Writes nothing.
bool checkTarget(const QString &path, QString &reason);

/// Puts `bytes` at `path` whole or not at all: a temporary file beside the target, every write
/// and the sync checked, then renamed over the target (a symbolic link keeps pointing to it).
/// On a fault returns false, says why in `reason` and leaves the old file as it was. A
/// temporary left by a killed run is removed by the next write to the same name.
bool write(const QString &path, const QByteArray &bytes, QString &reason);

/// Reads at most `limit` bytes of the regular file at `path`; anything else (a FIFO, a device,
/// a folder) is refused at once, without waiting on it.
bool read(const QString &path, qsizetype limit, QByteArray &bytes, QString &reason);

/// The temporaries `write` makes for `path` start with this (for the tests and a cleanup).
QByteArray temporaryPrefix(const QByteArray &fileName);

} // namespace safefile
