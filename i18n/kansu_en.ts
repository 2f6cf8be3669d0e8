<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Form1</name>
    <message>
        <source>χ = %1 cm, y = %2 cm²</source>
        <translation>χ = %1 cm, y = %2 cm²</translation>
    </message>
    <message>
        <source>４.関数  (by Vornel)</source>
        <translation>4. Functions  (by Vornel)</translation>
    </message>
    <message>
        <source>関数の利用</source>
        <translation>Functions</translation>
    </message>
    <message>
        <source>初期画面</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>方眼</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>自    動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>ストップ</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Pace</translation>
    </message>
    <message>
        <source>出す</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>戻す</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>最初に</source>
        <translation>To start</translation>
    </message>
    <message>
        <source>表</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Korumo 学習ソフト</source>
        <translation>Korumo Learning</translation>
    </message>
    <message>
        <source>点Ｐが動いた距離χ</source>
        <translation>P has moved χ</translation>
    </message>
    <message>
        <source>図形を消して、部品を上の帯にもどす</source>
        <translation>Clears the figure and puts the pieces back on the band at the top</translation>
    </message>
    <message>
        <source>黒板に1 cmごとの方眼をかく</source>
        <translation>Draws a 1 cm grid on the blackboard</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>点Ｐを終わりまで自動で動かす（F5）</source>
        <translation>Moves P to the end by itself (F5)</translation>
    </message>
    <message>
        <source>自動で動くのを止める（Esc）</source>
        <translation>Stops the automatic movement (Esc)</translation>
    </message>
    <message>
        <source>自動で動くときの間の長さ。大きいほどゆっくり</source>
        <translation>The pause between automatic steps; a larger number is slower</translation>
    </message>
    <message>
        <source>点Ｐを0.5 cm左へ動かす（PageDown、→）</source>
        <translation>Moves P 0.5 cm to the left (PageDown, →)</translation>
    </message>
    <message>
        <source>点Ｐを0.5 cm右へもどす（PageUp、←）</source>
        <translation>Moves P back 0.5 cm to the right (PageUp, ←)</translation>
    </message>
    <message>
        <source>点Ｐを点Ｂにもどし、表とグラフをかき直す（Home）</source>
        <translation>Puts P back at B and starts the table and the graph again (Home)</translation>
    </message>
    <message>
        <source>χとｙの表を見せる</source>
        <translation>Shows the table of χ and y</translation>
    </message>
    <message>
        <source>χとｙのグラフを見せる</source>
        <translation>Shows the graph of y against χ</translation>
    </message>
    <message>
        <source>寸法線</source>
        <translation>Dimension line</translation>
    </message>
    <message>
        <source>点Ｂから点Ｐまでの赤い寸法線を見せる</source>
        <translation>Shows the red dimension line from B to P</translation>
    </message>
    <message>
        <source>黒板</source>
        <translation>Blackboard</translation>
    </message>
    <message>
        <source>縦6 cm、横10 cmの長方形ABCD。辺BCの上に部品を並べた図形が、点Ｐとともに0.5 cmずつ左へ動く。辺ABを越えた部分は白、まだ越えていない部分は灰色。上の帯に部品が並ぶ。正方形（2 cm）、縦4 cmと縦6 cmの長方形、直角をはさむ辺が6 cmの直角三角形。黒板を選ぶと、キーで部品を置ける（F1）。</source>
        <translation>Rectangle ABCD, 6 cm high and 10 cm wide. A figure of pieces standing on side BC moves left with point P, 0.5 cm at a time. The part that has crossed side AB is white, the rest grey. The pieces wait in the band at the top: a 2 cm square, bars 4 cm and 6 cm high, and a right triangle with 6 cm legs. With the blackboard selected, keys place the pieces (F1).</translation>
    </message>
    <message>
        <source>χとｙの表</source>
        <translation>Table of χ and y</translation>
    </message>
    <message>
        <source>χが1 cm進むごとに、そのときのｙ（越えた部分の面積、cm²）を書き加える表。上の行がχ、下の行がｙ。</source>
        <translation>A table that gains a column each time χ grows by 1 cm, with y (the area that has crossed, in cm²) at that χ. The upper row is χ, the lower row y.</translation>
    </message>
    <message>
        <source>χとｙのグラフ</source>
        <translation>Graph of χ and y</translation>
    </message>
    <message>
        <source>ｙをχの関数として表すグラフ。横軸はχ（0から10 cm）、縦軸はｙ（0から60 cm²）。点Ｐが0.5 cm動くごとに線がのびる。長方形の部品の間はまっすぐ、三角形の間は曲線になる。</source>
        <translation>The graph of y as a function of χ. The horizontal axis is χ (0 to 10 cm), the vertical axis y (0 to 60 cm²). The line grows each time P moves 0.5 cm: straight over the bars, curved over the triangle.</translation>
    </message>
    <message>
        <source>黒板: 1 から 4 で部品を持ち、左右の矢印で列を選び、Enter で置きます</source>
        <translation>Blackboard: 1 to 4 pick up a piece, the left and right arrows choose a column, Enter drops</translation>
    </message>
    <message>
        <source>%1を持っています、置くと%2 に入ります</source>
        <translation>Holding the %1; a drop here fills %2</translation>
    </message>
    <message>
        <source>%1を持っています、ここには置けません: %2</source>
        <translation>Holding the %1; it cannot go here: %2</translation>
    </message>
    <message>
        <source>もう%1を持っています</source>
        <translation>Already holding the %1</translation>
    </message>
    <message>
        <source>列 %1: 空いています</source>
        <translation>Column %1: empty</translation>
    </message>
    <message>
        <source>列 %1: %2（%3）</source>
        <translation>Column %1: %2 (%3)</translation>
    </message>
    <message>
        <source>列 %1 には持てる部品がありません</source>
        <translation>Column %1 has no piece to pick up</translation>
    </message>
    <message>
        <source>%1は置けません: %2</source>
        <translation>The %1 cannot go here: %2</translation>
    </message>
    <message>
        <source>%1を%2 に置きました</source>
        <translation>Placed the %1 in %2</translation>
    </message>
    <message>
        <source>列 %1 には外せる部品がありません</source>
        <translation>Column %1 has no piece to take off</translation>
    </message>
    <message>
        <source>%1を%2 から外しました</source>
        <translation>Took the %1 off %2</translation>
    </message>
    <message>
        <source>%1を元の場所に戻しました</source>
        <translation>Put the %1 back where it came from</translation>
    </message>
    <message>
        <source>英語の訳が見つかりません</source>
        <translation>The English translation is missing</translation>
    </message>
    <message>
        <source>ことばを日本語にしました</source>
        <translation>The lesson is now in English</translation>
    </message>
</context>
<context>
    <name>boardkeys</name>
    <message>
        <source>列 %1</source>
        <translation>column %1</translation>
    </message>
    <message>
        <source>列 %1 から %2</source>
        <translation>columns %1 to %2</translation>
    </message>
    <message>
        <source>正方形</source>
        <translation>square</translation>
    </message>
    <message>
        <source>縦4 cmの長方形</source>
        <translation>4 cm bar</translation>
    </message>
    <message>
        <source>縦6 cmの長方形</source>
        <translation>6 cm bar</translation>
    </message>
    <message>
        <source>三角形</source>
        <translation>triangle</translation>
    </message>
    <message>
        <source>%1 にはもう部品があります</source>
        <translation>%1 already holds a piece</translation>
    </message>
    <message>
        <source>三角形は真ん中を列 2 から 4 の上にしないと置けません</source>
        <translation>a triangle goes only with its middle over column 2, 3 or 4</translation>
    </message>
</context>
<context>
    <name>commandline</name>
    <message>
        <source>関数の利用: 図形が長方形から出ていくときの面積ｙ</source>
        <translation>Functions: the area y of a figure sliding out of a rectangle</translation>
    </message>
    <message>
        <source>開く授業ファイル（.kansu）</source>
        <translation>Lesson file to open (.kansu)</translation>
    </message>
    <message>
        <source>開ける授業ファイルは一つです</source>
        <translation>Only one lesson file can be opened</translation>
    </message>
</context>
<context>
    <name>keys</name>
    <message>
        <source>出す: 点Ｐを0.5 cm左へ</source>
        <translation>Step: P 0.5 cm to the left</translation>
    </message>
    <message>
        <source>戻す: 点Ｐを0.5 cm右へ</source>
        <translation>Back: P 0.5 cm to the right</translation>
    </message>
    <message>
        <source>最初に: 点Ｐを点Ｂへ</source>
        <translation>To start: P back to B</translation>
    </message>
    <message>
        <source>自動: 点Ｐを終わりまで動かす</source>
        <translation>Auto: move P to the end</translation>
    </message>
    <message>
        <source>ストップ: 自動を止める</source>
        <translation>Stop: stop the automatic movement</translation>
    </message>
    <message>
        <source>次のボタンや欄へ</source>
        <translation>To the next button or box</translation>
    </message>
    <message>
        <source>選んだボタンを押す</source>
        <translation>Press the selected button</translation>
    </message>
    <message>
        <source>ツールのメニューを開く（右クリックでも）</source>
        <translation>Open the tools menu (or right-click)</translation>
    </message>
    <message>
        <source>黒板を選ぶ（黒板をクリック、Tabでも）</source>
        <translation>Select the blackboard (or click it, or Tab)</translation>
    </message>
    <message>
        <source>黒板で: 正方形、縦4 cm、縦6 cmの長方形、三角形を持つ</source>
        <translation>On the blackboard: pick up the square, the 4 cm bar, the 6 cm bar, the triangle</translation>
    </message>
    <message>
        <source>黒板で: 列を選ぶ、持った部品を動かす</source>
        <translation>On the blackboard: choose a column, move the piece in hand</translation>
    </message>
    <message>
        <source>黒板で: 持った部品を置く、選んだ列の部品を持つ</source>
        <translation>On the blackboard: drop the piece in hand, or pick up the piece in the chosen column</translation>
    </message>
    <message>
        <source>黒板で: 選んだ列の部品を外す</source>
        <translation>On the blackboard: take the piece in the chosen column off</translation>
    </message>
    <message>
        <source>黒板で: 持った部品を元に戻す</source>
        <translation>On the blackboard: put the piece in hand back</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>ツール（右クリックのメニュー）</source>
        <translation>Tools (the right-click menu)</translation>
    </message>
    <message>
        <source>キーの一覧</source>
        <translation>Keys and tools</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>tools</name>
    <message>
        <source>ツール</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>式</source>
        <translation>Formulas</translation>
    </message>
    <message>
        <source>χの区間ごとに、ｙをχの式で書く</source>
        <translation>Writes y as a formula in χ for each stretch of χ</translation>
    </message>
    <message>
        <source>予想</source>
        <translation>Predict</translation>
    </message>
    <message>
        <source>表やグラフにｙを予想して書き、あとで答え合わせをする</source>
        <translation>Writes a prediction of y into the table or the graph, to check it later</translation>
    </message>
    <message>
        <source>キーで図形を作る</source>
        <translation>Build with keys</translation>
    </message>
    <message>
        <source>黒板を選び、キーで部品を置く</source>
        <translation>Selects the blackboard to place the pieces with keys</translation>
    </message>
    <message>
        <source>授業ファイルを開く…</source>
        <translation>Open lesson file…</translation>
    </message>
    <message>
        <source>保存した授業（図形、表示、速度、χ）を開く</source>
        <translation>Opens a saved lesson (figure, views, pace, χ)</translation>
    </message>
    <message>
        <source>授業ファイルに保存…</source>
        <translation>Save lesson file…</translation>
    </message>
    <message>
        <source>いまの授業をファイルに保存する</source>
        <translation>Saves the lesson as it is now to a file</translation>
    </message>
    <message>
        <source>画面をコピー</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>黒板、表、グラフの絵をクリップボードにコピーする</source>
        <translation>Copies the picture of the blackboard, table and graph to the clipboard</translation>
    </message>
    <message>
        <source>画面を画像で保存…</source>
        <translation>Save picture…</translation>
    </message>
    <message>
        <source>黒板、表、グラフの絵をPNGファイルに保存する</source>
        <translation>Saves the picture of the blackboard, table and graph as a PNG file</translation>
    </message>
    <message>
        <source>プリントを印刷…</source>
        <translation>Print worksheet…</translation>
    </message>
    <message>
        <source>問題と答えのプリントを印刷する</source>
        <translation>Prints a worksheet with the task and the answers</translation>
    </message>
    <message>
        <source>プリントをPDFで保存…</source>
        <translation>Save worksheet as PDF…</translation>
    </message>
    <message>
        <source>問題と答えのプリントをPDFファイルに保存する</source>
        <translation>Saves a worksheet with the task and the answers as a PDF file</translation>
    </message>
    <message>
        <source>English</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>画面のことばを英語と日本語で切りかえる</source>
        <translation>Switches the lesson between English and Japanese</translation>
    </message>
    <message>
        <source>キーの一覧</source>
        <translation>Key help</translation>
    </message>
    <message>
        <source>使えるキーとツールの一覧を開く</source>
        <translation>Opens the list of keys and tools</translation>
    </message>
</context>
</TS>
