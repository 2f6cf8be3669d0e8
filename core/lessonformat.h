#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

/// A lesson as a file holds it: the figure, the views shown, the speed, the tools on and the x
/// to open at. Read and written as UTF-8 JSON; a file is checked whole before anything uses it.
namespace lessonformat {

inline constexpr qsizetype maxFileBytes = 1024 * 1024;
inline constexpr int version = 1;
inline constexpr int maxTraces = 3;

enum class PieceKind { Square, Bar4, Bar6, Triangle };

struct Piece
{
    PieceKind kind = PieceKind::Square;
    int column = 0; ///< 0 to 4 from B; a triangle names its first column of three
    int line = 0; ///< where the file wrote it (1-based), 0 for a lesson not read from a file
    friend bool operator==(const Piece &a, const Piece &b)
    {
        return a.kind == b.kind && a.column == b.column;
    }
};

struct Lesson
{
    std::vector<Piece> pieces;
    bool grid = false;
    bool table = false;
    bool graph = false;
    /// The graph holds the dot at its origin that a piece dropped while the graph was shown
    /// draws (the lesson's own procedures draw it then, and not when the graph comes later).
    bool graphOrigin = false;
    bool dimensionLine = true;
    QString speed = QStringLiteral("50");
    double x = 0;
    QStringList tools; ///< command-line names of the tools that are on ("formulas", …)
    std::optional<double> rateFrom; ///< where the rate of change's interval starts (cm)
    /// The figure whose graph the learner is to match, kept from the learner's eyes.
    std::optional<std::vector<Piece>> target;
    std::vector<std::vector<Piece>> traces; ///< figures whose graphs are kept to compare
    friend bool operator==(const Lesson &, const Lesson &) = default;
};

/// What is wrong with a file, as a kind the tests can name and the words that say it.
enum class Problem {
    None,
    Unreadable,
    TooLarge,
    NotUtf8,
    NotJson,
    NotLesson,
    BadVersion,
    NewerVersion,
    BadType,
    UnknownPiece,
    ColumnOutside,
    DoesNotFit,
    Overlap,
    BadX,
    BadSpeed,
    RepeatedKey,
    BadRateFrom,
    EmptyTarget,
    TooManyTraces,
};

struct Error
{
    Problem problem = Problem::None;
    int line = 0; ///< 1-based line where the fault can be found; 0 for the file as a whole
    QString text; ///< the fault in words, translated, without the file name or the line
};

/// Reads a lesson file's bytes. On a fault returns false, fills `error` and leaves `lesson` as
/// it was: a file is taken whole or not at all.
bool read(const QByteArray &bytes, Lesson &lesson, Error &error);

/// The file's bytes: indented UTF-8 JSON that `read` takes back to the same lesson.
QByteArray write(const Lesson &lesson);

/// Reads the file at `path` (at most one byte past the size limit). On a fault returns false,
/// leaves `lesson` as it was and fills `error`; `message(path, error)` then says it.
bool readFile(const QString &path, Lesson &lesson, Error &error);

/// Writes the lesson through a temporary file that replaces `path` only once it is complete,
/// so a full disk or a crash never leaves half a lesson. On a fault returns false and says why
/// in `reason` (translated); the file at `path`, if any, is as it was.
bool writeFile(const QString &path, const Lesson &lesson, QString &reason);

/// "FILE: line 3: a triangle in column 3 does not fit", translated.
QString message(const QString &fileName, const Error &error);

/// Whether the speed box would take `text` as saved: leading blanks, then a number without a
/// sign (digits with at most one point, an optional exponent) and nothing after it, whose pause
/// of five times the number fits automatic play's 32-bit millisecond count.
bool speedTaken(const QString &text);

/// Whether x (cm) is one P can stand at: a multiple of 0.5 from 0 to 10.
bool xTaken(double x);

/// The piece codes of the five columns: 1 square, 2 short bar, 3 tall bar, 4 5 6 the triangle.
std::array<double, 5> columnsOf(const std::vector<Piece> &pieces);

/// The pieces standing in a column table, left to right; columns 5 and 6 without the 4 before
/// them show nothing and are left out.
std::vector<Piece> piecesOf(const std::array<double, 5> &columns);

/// The file's name for a piece ("square", "bar4", "bar6", "triangle").
QString pieceName(PieceKind kind);

} // namespace lessonformat
