#include "core/lessonformat.h"

#include "core/numtext.h"
#include "core/safefile.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lessonformat {

namespace {

const char *const formatName = "kansu-lesson";

// The texts' context for translation, as the translators' tools find it too.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(lessonformat)
};

struct PieceInfo
{
    PieceKind kind;
    const char *name;
    int width; // columns taken
};
const PieceInfo pieceInfo[] = {
    { PieceKind::Square, "square", 1 },
    { PieceKind::Bar4, "bar4", 1 },
    { PieceKind::Bar6, "bar6", 1 },
    { PieceKind::Triangle, "triangle", 3 },
};

const PieceInfo &infoOf(PieceKind kind)
{
    return pieceInfo[int(kind)];
}

// The offset of the first byte that is not well-formed UTF-8 (overlong forms, surrogates and
// code points past U+10FFFF included), or -1.
qsizetype firstBadUtf8(const QByteArray &bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        int more = 0;
        std::uint32_t cp = 0, least = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            more = 1, cp = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, cp = c & 0x0F, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, cp = c & 0x07, least = 0x10000;
        } else {
            return i;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += more + 1;
    }
    return -1;
}

int lineAt(const QByteArray &bytes, qsizetype offset)
{
    offset = qBound(qsizetype(0), offset, bytes.size());
    return int(std::count(bytes.constBegin(), bytes.constBegin() + offset, '\n')) + 1;
}

// The line of each element of a list of pieces and of each key's value inside it.
struct PieceLines
{
    std::vector<int> pieces;
    std::vector<QHash<QString, int>> keys;
};

// Where things stand in a file that has already parsed as JSON: the line of each top-level
// key's value and of each piece in "pieces", "target" and the figures of "traces".
// QJsonDocument keeps no positions, and a message must point at a line.
struct Lines
{
    QHash<QString, int> top;
    PieceLines pieces, target;
    std::vector<int> traces;
    std::vector<PieceLines> traceLists;
    // The first key written twice in one object, and the line of its second value. The JSON
    // reader keeps only one of them, silently.
    QString repeated;
    int repeatedLine = 0;
};

class LineScanner
{
public:
    explicit LineScanner(const QByteArray &bytes)
        : s(bytes.constData())
        , n(bytes.size())
    { }

    Lines scan()
    {
        Lines lines;
        skipSpace();
        if (i >= n || s[i] != '{')
            return lines;
        ++i;
        forEachKey([&](const QString &key) {
            noteRepeat(lines, lines.top, key);
            lines.top.insert(key, line);
            const bool list = i < n && s[i] == '[';
            if (list && (key == QLatin1String("pieces") || key == QLatin1String("target"))) {
                PieceLines &pieces = key == QLatin1String("pieces") ? lines.pieces : lines.target;
                pieces = {};
                ++i;
                scanPieces(lines, pieces);
            } else if (list && key == QLatin1String("traces")) {
                lines.traces.clear();
                lines.traceLists.clear();
                ++i;
                forEachElement([&] {
                    lines.traces.push_back(line);
                    lines.traceLists.emplace_back();
                    if (i < n && s[i] == '[') {
                        ++i;
                        scanPieces(lines, lines.traceLists.back());
                    } else {
                        skipValue();
                    }
                });
            } else {
                skipValue();
            }
        });
        return lines;
    }

private:
    // Just past the '[' of a list of pieces; moves past its ']'.
    void scanPieces(Lines &lines, PieceLines &list)
    {
        forEachElement([&] {
            list.pieces.push_back(line);
            list.keys.emplace_back();
            if (i < n && s[i] == '{') {
                ++i;
                forEachKey([&](const QString &k) {
                    noteRepeat(lines, list.keys.back(), k);
                    list.keys.back().insert(k, line);
                    skipValue();
                });
            } else {
                skipValue();
            }
        });
    }

    void noteRepeat(Lines &lines, const QHash<QString, int> &object, const QString &key) const
    {
        if (lines.repeatedLine == 0 && object.contains(key)) {
            lines.repeated = key;
            lines.repeatedLine = line;
        }
    }

    void skipSpace()
    {
        for (; i < n; ++i) {
            if (s[i] == '\n')
                ++line;
            else if (s[i] != ' ' && s[i] != '\t' && s[i] != '\r')
                break;
        }
    }

    // At an opening quote: moves past the string and gives it decoded.
    QString string()
    {
        const qsizetype start = i++;
        bool escaped = false;
        while (i < n && s[i] != '"') {
            if (s[i] == '\\') {
                escaped = true;
                ++i;
            }
            ++i;
        }
        ++i;
        const QByteArray raw(s + start, qMin(i, n) - start);
        if (!escaped)
            return QString::fromUtf8(raw.mid(1, raw.size() - 2));
        return QJsonDocument::fromJson('[' + raw + ']').array().at(0).toString();
    }

    void skipValue()
    {
        skipSpace();
        if (i >= n)
            return;
        if (s[i] == '"') {
            string();
            return;
        }
        if (s[i] == '{' || s[i] == '[') {
            int depth = 0;
            while (i < n) {
                const char c = s[i];
                if (c == '"') {
                    string();
                    continue;
                }
                if (c == '{' || c == '[')
                    ++depth;
                else if (c == '}' || c == ']')
                    --depth;
                else if (c == '\n')
                    ++line;
                ++i;
                if (depth == 0)
                    return;
            }
            return;
        }
        while (i < n && s[i] != ',' && s[i] != '}' && s[i] != ']' && s[i] != ' ' && s[i] != '\n'
               && s[i] != '\t' && s[i] != '\r')
            ++i;
    }

    // Inside an object just past '{': calls `f` with each key, positioned at its value; moves
    // past the closing '}'.
    template<typename F> void forEachKey(F f)
    {
        for (;;) {
            skipSpace();
            if (i >= n || s[i] == '}') {
                ++i;
                return;
            }
            if (s[i] == ',') {
                ++i;
                continue;
            }
            if (s[i] != '"')
                return;
            const QString key = string();
            skipSpace();
            if (i < n && s[i] == ':')
                ++i;
            skipSpace();
            f(key);
        }
    }

    // Inside an array just past '[': calls `f` positioned at each element; moves past ']'.
    template<typename F> void forEachElement(F f)
    {
        for (;;) {
            skipSpace();
            if (i >= n || s[i] == ']') {
                ++i;
                return;
            }
            if (s[i] == ',') {
                ++i;
                continue;
            }
            const qsizetype before = i;
            f();
            if (i == before) // never loop in place on something unexpected
                ++i;
        }
    }

    const char *s;
    qsizetype n;
    qsizetype i = 0;
    int line = 1;
};

bool isWhole(double v)
{
    return std::isfinite(v) && v == std::floor(v);
}

QString numberText(double v)
{
    return QString::number(v, 'g', 15);
}

Error fault(Problem problem, int line, const QString &text)
{
    return Error { problem, line, text };
}

// Reads a list of pieces written under `key` (whose value stands on `listLine`): each piece
// known, in the row, and no two in one column, which is exactly what the palette can build.
bool readPieces(const QJsonValue &pieces, const char *key, int listLine, const PieceLines &lines,
                std::vector<Piece> &out, Error &error)
{
    if (!pieces.isArray()) {
        error = fault(Problem::BadType, listLine,
                      //: "pieces" must be a list of pieces
                      Text::tr("\"%1\" は部品のリストです").arg(QLatin1String(key)));
        return false;
    }
    // Which piece stands in each column so far, for the overlap message.
    std::array<const Piece *, 5> taken {};
    const QJsonArray list = pieces.toArray();
    std::vector<Piece> all;
    all.reserve(size_t(list.size()));
    for (qsizetype e = 0; e < list.size(); ++e) {
        const size_t at = size_t(e);
        const int line = at < lines.pieces.size() ? lines.pieces[at] : listLine;
        auto keyLine = [&](const char *name) {
            return at < lines.keys.size() ? lines.keys[at].value(QLatin1String(name), line) : line;
        };
        if (!list[e].isObject()) {
            error = fault(Problem::BadType, line,
                          //: a piece must be written as {"piece": …, "column": …}
                          Text::tr("部品は {\"piece\": …, \"column\": …} と書きます"));
            return false;
        }
        const QJsonObject p = list[e].toObject();
        const QJsonValue name = p.value(QLatin1String("piece"));
        const QJsonValue column = p.value(QLatin1String("column"));
        if (!name.isString()) {
            error = fault(Problem::BadType, keyLine("piece"),
                          //: "piece" must be one of the four names
                          Text::tr("\"piece\" は \"square\", \"bar4\", \"bar6\", \"triangle\" "
                                   "のどれかです"));
            return false;
        }
        const PieceInfo *info = nullptr;
        for (const PieceInfo &candidate : pieceInfo) {
            if (name.toString() == QLatin1String(candidate.name))
                info = &candidate;
        }
        if (!info) {
            error = fault(
                Problem::UnknownPiece, keyLine("piece"),
                //: there is no piece called "circle"
                Text::tr("\"%1\" という部品はありません").arg(safefile::quoted(name.toString())));
            return false;
        }
        if (!column.isDouble() || !isWhole(column.toDouble())) {
            error = fault(Problem::BadType, keyLine("column"),
                          //: "column" must be a whole number from 0 to 4
                          Text::tr("\"column\" は0から4の整数です"));
            return false;
        }
        const double c = column.toDouble();
        if (c < 0 || c > 4) {
            error = fault(Problem::ColumnOutside, keyLine("column"),
                          //: column 7 is outside 0 to 4
                          Text::tr("列 %1 は0から4の外です").arg(numberText(c)));
            return false;
        }
        const int first = int(c);
        if (first + info->width > 5) {
            error = fault(Problem::DoesNotFit, line,
                          //: a triangle in column 3 does not fit
                          Text::tr("%1列目の三角形は入りません").arg(first));
            return false;
        }
        all.push_back({ info->kind, first, line });
    }
    for (const Piece &piece : all) {
        for (int k = piece.column; k < piece.column + infoOf(piece.kind).width; ++k) {
            if (const Piece *other = taken[k]) {
                error = fault(Problem::Overlap, piece.line,
                              //: the bar4 in column 2 overlaps the triangle in column 1 (line 3)
                              Text::tr("%1列目の %2 は、%3列目の %4（%5行目）と重なります")
                                  .arg(QString::number(piece.column), pieceName(piece.kind),
                                       QString::number(other->column), pieceName(other->kind),
                                       QString::number(other->line)));
                return false;
            }
            taken[k] = &piece;
        }
    }
    out = all;
    return true;
}

} // namespace

bool speedTaken(const QString &text)
{
    if (text.size() > 16)
        return false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool digit = false, point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = true;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    if (!digit)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        const qsizetype first = i;
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
            ++i;
        if (i == first)
            return false;
    }
    if (i != n)
        return false;
    // The pause must fit the wait's count as it is, not clamped into it.
    const double pause = numtext::roundHalfEven(numtext::read(text) * 5.0);
    return pause >= 0 && pause <= double(std::numeric_limits<std::int32_t>::max());
}

bool xTaken(double x)
{
    return x >= 0 && x <= 10 && isWhole(2 * x);
}

QString pieceName(PieceKind kind)
{
    return QLatin1String(infoOf(kind).name);
}

std::array<double, 5> columnsOf(const std::vector<Piece> &pieces)
{
    std::array<double, 5> columns {};
    for (const Piece &p : pieces) {
        if (p.kind == PieceKind::Triangle) {
            for (int k = 0; k < 3 && p.column + k < 5; ++k)
                columns[p.column + k] = 4 + k;
        } else if (p.column >= 0 && p.column < 5) {
            columns[p.column] = int(p.kind) + 1;
        }
    }
    return columns;
}

std::vector<Piece> piecesOf(const std::array<double, 5> &columns)
{
    std::vector<Piece> pieces;
    for (int k = 0; k < 5; ++k) {
        const double code = columns[k];
        if (code == 1 || code == 2 || code == 3)
            pieces.push_back({ PieceKind(int(code) - 1), k, 0 });
        else if (code == 4 && k <= 2)
            pieces.push_back({ PieceKind::Triangle, k, 0 });
    }
    return pieces;
}

bool read(const QByteArray &bytes, Lesson &lesson, Error &error)
{
    if (bytes.size() > maxFileBytes) {
        error = fault(Problem::TooLarge, 0,
                      //: the file is over 1 MiB
                      Text::tr("大きすぎます（授業ファイルは1 MiBまで）"));
        return false;
    }
    if (const qsizetype bad = firstBadUtf8(bytes); bad >= 0) {
        error = fault(Problem::NotUtf8, lineAt(bytes, bad),
                      //: the bytes are not UTF-8 text
                      Text::tr("UTF-8の文字ではありません"));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = fault(Problem::NotJson, lineAt(bytes, parseError.offset),
                      //: not a lesson file: the JSON is broken (Qt's reason in brackets)
                      Text::tr("授業ファイルではありません（JSONとして読めません: %1）")
                          .arg(parseError.errorString()));
        return false;
    }
    if (!doc.isObject()) {
        error = fault(Problem::NotLesson, 1, Text::tr("授業ファイルではありません"));
        return false;
    }
    const QJsonObject o = doc.object();
    const Lines lines = LineScanner(bytes).scan();
    auto lineOf = [&](const char *key) { return lines.top.value(QLatin1String(key), 0); };
    if (lines.repeatedLine > 0) {
        error
            = fault(Problem::RepeatedKey, lines.repeatedLine,
                    //: the key "grid" is written twice in one place
                    Text::tr("\"%1\" が二度書かれています").arg(safefile::quoted(lines.repeated)));
        return false;
    }

    if (o.value(QLatin1String("format")) != QLatin1String(formatName)) {
        //: not a lesson file
        error = fault(Problem::NotLesson, lineOf("format"), Text::tr("授業ファイルではありません"));
        return false;
    }
    const QJsonValue v = o.value(QLatin1String("version"));
    if (!v.isDouble() || !isWhole(v.toDouble()) || v.toDouble() < 1) {
        error = fault(Problem::BadVersion, lineOf("version"),
                      //: "version" must be a whole number from 1
                      Text::tr("\"version\" は1以上の整数です"));
        return false;
    }
    if (v.toDouble() > version) {
        error = fault(Problem::NewerVersion, lineOf("version"),
                      //: version 7 is newer than this program reads
                      Text::tr("バージョン %1 は、このプログラムが読めるものより新しいです")
                          .arg(numberText(v.toDouble())));
        return false;
    }

    Lesson read;
    if (!readPieces(o.value(QLatin1String("pieces")), "pieces", lineOf("pieces"), lines.pieces,
                    read.pieces, error))
        return false;

    const QJsonValue target = o.value(QLatin1String("target"));
    if (!target.isUndefined()) {
        std::vector<Piece> pieces;
        if (!readPieces(target, "target", lineOf("target"), lines.target, pieces, error))
            return false;
        if (pieces.empty()) {
            error = fault(Problem::EmptyTarget, lineOf("target"),
                          //: a target figure must have at least one piece
                          Text::tr("\"target\" には部品が一つ以上要ります"));
            return false;
        }
        read.target = pieces;
    }

    const QJsonValue traces = o.value(QLatin1String("traces"));
    if (!traces.isUndefined()) {
        const QJsonArray figures = traces.toArray();
        const auto notFigures = [&](int line) {
            error = fault(Problem::BadType, line,
                          //: "traces" must be a list of figures, each a list of pieces
                          Text::tr("\"traces\" は図形のリストで、図形はそれぞれ部品のリストです"));
            return false;
        };
        if (!traces.isArray())
            return notFigures(lineOf("traces"));
        for (qsizetype e = 0; e < figures.size(); ++e) {
            const size_t at = size_t(e);
            const int line = at < lines.traces.size() ? lines.traces[at] : lineOf("traces");
            if (e == maxTraces) {
                error = fault(Problem::TooManyTraces, line,
                              //: at most 3 kept graphs
                              Text::tr("\"traces\" に残せるグラフは%1つまでです").arg(maxTraces));
                return false;
            }
            if (!figures[e].isArray())
                return notFigures(line);
            std::vector<Piece> pieces;
            if (!readPieces(figures[e], "traces", line,
                            at < lines.traceLists.size() ? lines.traceLists[at] : PieceLines {},
                            pieces, error))
                return false;
            read.traces.push_back(pieces);
        }
    }

    const std::pair<const char *, bool *> switches[] = {
        { "grid", &read.grid },
        { "table", &read.table },
        { "graph", &read.graph },
        { "graph_origin", &read.graphOrigin },
        { "dimension_line", &read.dimensionLine },
    };
    for (const auto &[key, field] : switches) {
        const QJsonValue value = o.value(QLatin1String(key));
        if (value.isUndefined())
            continue;
        if (!value.isBool()) {
            error = fault(Problem::BadType, lineOf(key),
                          //: "grid" must be true or false
                          Text::tr("\"%1\" は true か false です").arg(QLatin1String(key)));
            return false;
        }
        *field = value.toBool();
    }

    const QJsonValue speed = o.value(QLatin1String("speed"));
    if (!speed.isUndefined()) {
        if (!speed.isString()) {
            error = fault(Problem::BadType, lineOf("speed"),
                          //: "speed" must be the text of the speed box, such as "50"
                          Text::tr("\"speed\" は速度の欄の文字で、\"50\" のように書きます"));
            return false;
        }
        if (!speedTaken(speed.toString())) {
            error
                = fault(Problem::BadSpeed, lineOf("speed"),
                        //: the speed box does not take "fast": a number from 0, such as "50"
                        Text::tr("速度の欄は \"%1\" を受けつけません（0以上の数、たとえば \"50\"）")
                            .arg(safefile::quoted(speed.toString())));
            return false;
        }
        read.speed = speed.toString();
    }

    const QJsonValue x = o.value(QLatin1String("x"));
    if (!x.isUndefined()) {
        if (!x.isDouble() || !xTaken(x.toDouble())) {
            error = fault(Problem::BadX, lineOf("x"),
                          //: x must be a multiple of 0.5 from 0 to 10
                          Text::tr("χ は0から10までの0.5きざみの数です"));
            return false;
        }
        read.x = x.toDouble();
    }

    const QJsonValue rateFrom = o.value(QLatin1String("rate_from"));
    if (!rateFrom.isUndefined()) {
        if (!rateFrom.isDouble() || !xTaken(rateFrom.toDouble())) {
            error = fault(Problem::BadRateFrom, lineOf("rate_from"),
                          //: where the rate of change starts must be a multiple of 0.5 from 0 to 10
                          Text::tr("\"rate_from\" は0から10までの0.5きざみの数です"));
            return false;
        }
        read.rateFrom = rateFrom.toDouble();
    }

    const QJsonValue toolList = o.value(QLatin1String("tools"));
    if (!toolList.isUndefined()) {
        const QJsonArray names = toolList.toArray();
        bool good = toolList.isArray();
        for (const QJsonValue &name : names)
            good = good && name.isString();
        if (!good) {
            error = fault(
                Problem::BadType, lineOf("tools"),
                //: "tools" must be a list of tool names, such as ["formulas"]
                Text::tr("\"tools\" はツールの名前のリストで、[\"formulas\"] のように書きます"));
            return false;
        }
        for (const QJsonValue &name : names)
            read.tools << name.toString();
    }

    lesson = read;
    error = Error {};
    return true;
}

namespace {

QJsonArray piecesJson(const std::vector<Piece> &pieces)
{
    QJsonArray list;
    for (const Piece &p : pieces)
        list.append(QJsonObject { { QStringLiteral("piece"), pieceName(p.kind) },
                                  { QStringLiteral("column"), p.column } });
    return list;
}

} // namespace

QByteArray write(const Lesson &lesson)
{
    const QJsonArray pieces = piecesJson(lesson.pieces);
    QJsonObject o {
        { QStringLiteral("format"), QLatin1String(formatName) },
        { QStringLiteral("version"), version },
        { QStringLiteral("pieces"), pieces },
        { QStringLiteral("grid"), lesson.grid },
        { QStringLiteral("table"), lesson.table },
        { QStringLiteral("graph"), lesson.graph },
        { QStringLiteral("graph_origin"), lesson.graphOrigin },
        { QStringLiteral("dimension_line"), lesson.dimensionLine },
        { QStringLiteral("speed"), lesson.speed },
        { QStringLiteral("x"), lesson.x },
        { QStringLiteral("tools"), QJsonArray::fromStringList(lesson.tools) },
    };
    // Unset, the key stays out: such a lesson writes the bytes it wrote before the key existed.
    if (lesson.rateFrom)
        o.insert(QStringLiteral("rate_from"), *lesson.rateFrom);
    // Only when there is one, so that a lesson without the challenges is written as before.
    if (lesson.target)
        o.insert(QStringLiteral("target"), piecesJson(*lesson.target));
    if (!lesson.traces.empty()) {
        QJsonArray traces;
        for (const std::vector<Piece> &trace : lesson.traces)
            traces.append(piecesJson(trace));
        o.insert(QStringLiteral("traces"), traces);
    }
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool readFile(const QString &path, Lesson &lesson, Error &error)
{
    // One byte past the limit is enough to know a file is too large.
    QByteArray bytes;
    QString reason;
    if (!safefile::read(path, maxFileBytes + 1, bytes, reason)) {
        error = fault(Problem::Unreadable, 0, reason);
        return false;
    }
    return read(bytes, lesson, error);
}

bool writeFile(const QString &path, const Lesson &lesson, QString &reason)
{
    return safefile::write(path, write(lesson), reason);
}

QString message(const QString &fileName, const Error &error)
{
    if (error.line > 0)
        //: FILE: line 3: what is wrong
        return Text::tr("%1: %2行目: %3")
            .arg(safefile::shown(fileName), QString::number(error.line), error.text);
    return Text::tr("%1: %2").arg(safefile::shown(fileName), error.text);
}

} // namespace lessonformat
