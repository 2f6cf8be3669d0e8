#include "core/tooltable.h"

#include <QtCore/qcoreapplication.h>

namespace tools {

const std::array<ToolRow, toolCount> &table()
{
    static const std::array<ToolRow, toolCount> rows { {
        { Tool::Formulas, QT_TRANSLATE_NOOP("tools", "式"), "F6", "formulas", "",
          QT_TRANSLATE_NOOP("tools", "χの区間ごとに、ｙをχの式で書く"), true, false },
        { Tool::Predict, QT_TRANSLATE_NOOP("tools", "予想"), "F7", "predict", "",
          QT_TRANSLATE_NOOP("tools", "表やグラフにｙを予想して書き、あとで答え合わせをする"), true,
          false },
        { Tool::BuildByKeys, QT_TRANSLATE_NOOP("tools", "キーで図形を作る"), "F8", "keyboard", "",
          QT_TRANSLATE_NOOP("tools", "黒板を選び、キーで部品を置く"), false, false },
        { Tool::OpenLesson, QT_TRANSLATE_NOOP("tools", "授業ファイルを開く…"), "Ctrl+O", "", "",
          QT_TRANSLATE_NOOP("tools", "保存した授業（図形、表示、速度、χ）を開く"), false, true },
        { Tool::SaveLesson, QT_TRANSLATE_NOOP("tools", "授業ファイルに保存…"), "Ctrl+S", "", "",
          QT_TRANSLATE_NOOP("tools", "いまの授業をファイルに保存する"), false, false },
        { Tool::CopyPicture, QT_TRANSLATE_NOOP("tools", "画面をコピー"), "Ctrl+C", "", "",
          QT_TRANSLATE_NOOP("tools", "黒板、表、グラフの絵をクリップボードにコピーする"), false,
          true },
        { Tool::SavePicture, QT_TRANSLATE_NOOP("tools", "画面を画像で保存…"), "Ctrl+Shift+C",
          "picture", "OUT.png",
          QT_TRANSLATE_NOOP("tools", "黒板、表、グラフの絵をPNGファイルに保存する"), false, false },
        { Tool::PrintWorksheet, QT_TRANSLATE_NOOP("tools", "プリントを印刷…"), "Ctrl+P", "", "",
          QT_TRANSLATE_NOOP("tools", "問題と答えのプリントを印刷する"), false, false },
        { Tool::SaveWorksheet, QT_TRANSLATE_NOOP("tools", "プリントをPDFで保存…"), "Ctrl+Shift+P",
          "worksheet", "OUT.pdf",
          QT_TRANSLATE_NOOP("tools", "問題と答えのプリントをPDFファイルに保存する"), false, false },
        { Tool::Language, QT_TRANSLATE_NOOP("tools", "English"), "Ctrl+L", "lang", "ja|en",
          QT_TRANSLATE_NOOP("tools", "画面のことばを英語と日本語で切りかえる"), false, true },
        { Tool::KeyHelp, QT_TRANSLATE_NOOP("tools", "キーの一覧"), "F1", "", "",
          QT_TRANSLATE_NOOP("tools", "使えるキーとツールの一覧を開く"), false, false },
    } };
    return rows;
}

const ToolRow &row(Tool tool)
{
    return table()[size_t(tool)];
}

} // namespace tools
