<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ChallengeTool</name>
    <message>
        <source>グラフに合う図形をつくろう: %1 の目標のグラフです。図形をつくって答え合わせをしましょう</source>
        <translation>Match the graph: the target graph of %1. Build a figure, then check it</translation>
    </message>
    <message>
        <source>グラフに合う図形をつくろうを終わりました</source>
        <translation>Match the graph ended</translation>
    </message>
    <message>
        <source>「グラフに合う図形をつくろう」を始めてから使えます</source>
        <translation>Start “Match the graph” first</translation>
    </message>
    <message>
        <source>先生の目標</source>
        <translation>Teacher&apos;s target</translation>
    </message>
    <message>
        <source>%1&#x3000;解いた数 %2</source>
        <extracomment>the target&apos;s name and how many levels were solved</extracomment>
        <translation>%1   solved: %2</translation>
    </message>
    <message>
        <source>χ = %1 で ｙ = %2</source>
        <translation>at x = %1, y = %2</translation>
    </message>
    <message>
        <source>目標のグラフ</source>
        <translation>Target graph</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>答えの図形</source>
        <translation>Answer figure</translation>
    </message>
    <message>
        <source>%1 の目標のグラフです。図形をつくって答え合わせをしましょう</source>
        <translation>The target graph of %1. Build a figure, then check it</translation>
    </message>
    <message>
        <source>答え: %1</source>
        <translation>Answer: %1</translation>
    </message>
    <message>
        <source>レベルと番号を選ぶ</source>
        <translation>Choose a level and number</translation>
    </message>
    <message>
        <source>レベル</source>
        <extracomment>the level of a target, 1 to 4</extracomment>
        <translation>Level</translation>
    </message>
    <message>
        <source>番号</source>
        <extracomment>the number that names a target within its level</extracomment>
        <translation>Number</translation>
    </message>
</context>
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
        <source>%1を元の場所に戻しました</source>
        <translation>Put the %1 back where it came from</translation>
    </message>
    <message>
        <source>χ = %1 cm</source>
        <translation>χ = %1 cm</translation>
    </message>
    <message>
        <source>授業ファイル</source>
        <translation>Lesson file</translation>
    </message>
    <message>
        <source>速度の欄の &quot;%1&quot; は速度ではありません。一覧から選ぶか、0以上の数を入れてください</source>
        <extracomment>the speed box holds a text that is not a speed</extracomment>
        <translation>&quot;%1&quot; in the pace box is not a pace. Choose one from the list or type a number of 0 or more</translation>
    </message>
</context>
<context>
    <name>GraphLayer</name>
    <message>
        <source>正方形</source>
        <translation>a square</translation>
    </message>
    <message>
        <source>高さ 4 cm の長方形</source>
        <translation>a rectangle 4 cm high</translation>
    </message>
    <message>
        <source>高さ 6 cm の長方形</source>
        <translation>a rectangle 6 cm high</translation>
    </message>
    <message>
        <source>直角三角形</source>
        <translation>a right triangle</translation>
    </message>
    <message>
        <source>%1〜%2 cm に%3</source>
        <extracomment>a piece of the figure and where it stands, counted from B</extracomment>
        <translation>%3 from %1 to %2 cm</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>KeyboardTool</name>
    <message>
        <source>黒板: 1 から 4 で部品を持ち、左右の矢印で列を選び、Enter で置きます</source>
        <translation>Blackboard: 1 to 4 pick up a piece, the left and right arrows choose a column, Enter drops</translation>
    </message>
    <message>
        <source>%1を元の場所に戻しました</source>
        <translation>Put the %1 back where it came from</translation>
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
</context>
<context>
    <name>LanguageTool</name>
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
    <name>LessonFileTool</name>
    <message>
        <source>授業ファイル %1 を開きました</source>
        <extracomment>said once a lesson file is open</extracomment>
        <translation>Opened lesson file %1</translation>
    </message>
    <message>
        <source>授業ファイル %1 に保存しました</source>
        <extracomment>said once the lesson is saved</extracomment>
        <translation>Saved lesson file %1</translation>
    </message>
    <message>
        <source>授業ファイルを開く</source>
        <translation>Open lesson file</translation>
    </message>
    <message>
        <source>授業ファイルに保存</source>
        <translation>Save lesson file</translation>
    </message>
</context>
<context>
    <name>PictureTool</name>
    <message>
        <source>黒板、表、グラフの絵をコピーしました</source>
        <extracomment>said when the picture is on the clipboard</extracomment>
        <translation>Copied the picture of the blackboard, table and graph</translation>
    </message>
    <message>
        <source>画像をPNGにできません</source>
        <extracomment>the picture could not be made into PNG data</extracomment>
        <translation>Cannot make the picture into PNG data</translation>
    </message>
    <message>
        <source>画面を画像で保存</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>PNG画像 (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>画像 %1 に保存しました</source>
        <translation>Saved picture %1</translation>
    </message>
</context>
<context>
    <name>PredictionTool</name>
    <message>
        <source>○</source>
        <extracomment>the mark beside a right prediction</extracomment>
        <translation>✓</translation>
    </message>
    <message>
        <source>×</source>
        <extracomment>the mark beside a wrong prediction</extracomment>
        <translation>✗</translation>
    </message>
    <message>
        <source>正解</source>
        <translation>right</translation>
    </message>
    <message>
        <source>χ = %1 のときのｙの予想</source>
        <translation>Prediction of y at χ = %1</translation>
    </message>
    <message>
        <source>ｙを数か分数で入れて Enter。Esc でもとにもどす</source>
        <translation>Type y as a number or a fraction, then Enter. Esc undoes</translation>
    </message>
    <message>
        <source>予想 %1 / %2</source>
        <translation>✓ %1 / %2</translation>
    </message>
    <message>
        <source>表の予想 %1 は正解</source>
        <translation>table prediction %1 is right</translation>
    </message>
    <message>
        <source>表の予想 %1 はちがう</source>
        <translation>table prediction %1 is wrong</translation>
    </message>
    <message>
        <source>グラフの予想 %1 は正解</source>
        <translation>graph prediction %1 is right</translation>
    </message>
    <message>
        <source>グラフの予想 %1 はちがう</source>
        <translation>graph prediction %1 is wrong</translation>
    </message>
    <message>
        <source>χ = %1 cm: %2</source>
        <translation>χ = %1 cm: %2</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>（ｙ = %1 cm²）</source>
        <translation> (y = %1 cm²)</translation>
    </message>
    <message>
        <source>予想した点</source>
        <translation>Predicted points</translation>
    </message>
    <message>
        <source>まだありません</source>
        <translation>None yet</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>χ = %1 cm: 予想なし</source>
        <translation>χ = %1 cm: no prediction</translation>
    </message>
    <message>
        <source>χ = %1 cm: 予想 ｙ = %2</source>
        <translation>χ = %1 cm: predicted y = %2</translation>
    </message>
    <message>
        <source>χ = %1 cm の予想 %2</source>
        <translation>Prediction at χ = %1 cm: %2</translation>
    </message>
    <message>
        <source>χ = %1 cm の予想なし</source>
        <translation>No prediction at χ = %1 cm</translation>
    </message>
    <message>
        <source>χ = %1 cm の予想はもう答え合わせをしました</source>
        <translation>The prediction at χ = %1 cm has already been checked</translation>
    </message>
    <message>
        <source>χ = %1 cm のｙはもう出ています</source>
        <translation>y at χ = %1 cm is already shown</translation>
    </message>
    <message>
        <source>χ = %1 のときのｙ（もう出ています）</source>
        <translation>y at χ = %1 (already shown)</translation>
    </message>
    <message>
        <source>ここにはもう予想を入れられません</source>
        <translation>No prediction can be entered here any more</translation>
    </message>
    <message>
        <source>予想: 表の空いた欄にｙを入れるか、グラフに点を置く。点Ｐが来ると答え合わせ</source>
        <translation>Predict: type y into an empty box of the table or place a point on the graph. Each is checked when P gets there</translation>
    </message>
    <message>
        <source>予想を終わりました</source>
        <translation>Stopped predicting</translation>
    </message>
</context>
<context>
    <name>RateTool</name>
    <message>
        <source>変化の割合を終わりました</source>
        <translation>Rate of change ended</translation>
    </message>
    <message>
        <source>x の増加量 %1</source>
        <translation>Increase in x: %1</translation>
    </message>
    <message>
        <source>変化の割合の始まり: x = %1 cm</source>
        <translation>Rate of change starts at x = %1 cm</translation>
    </message>
    <message>
        <source>x が %1 から %2 まで: %3。%4</source>
        <extracomment>x from the first number to the second: the rate (or the increase of x), then a sentence</extracomment>
        <translation>x from %1 to %2: %3. %4</translation>
    </message>
    <message>
        <source>y の増加量は、y が表かグラフに出てから示す</source>
        <translation>The increase in y is shown once y is in the table or on the graph</translation>
    </message>
</context>
<context>
    <name>TracesTool</name>
    <message>
        <source>ピンク</source>
        <translation>pink</translation>
    </message>
    <message>
        <source>むらさき</source>
        <translation>purple</translation>
    </message>
    <message>
        <source>水色</source>
        <translation>light blue</translation>
    </message>
    <message>
        <source>図形なし</source>
        <translation>no figure</translation>
    </message>
    <message>
        <source>残せるグラフは %1 つまでです。「消す」で消してから残してください</source>
        <translation>At most %1 graphs can be kept. Clear them with “Clear” first</translation>
    </message>
    <message>
        <source>グラフを%1で残しました（%2）</source>
        <translation>Graph kept in %1 (%2)</translation>
    </message>
    <message>
        <source>残したグラフはありません</source>
        <translation>No graphs are kept</translation>
    </message>
    <message>
        <source>残したグラフを消しました</source>
        <translation>Kept graphs cleared</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>残したグラフ</source>
        <translation>Kept graphs</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
</context>
<context>
    <name>WhichGraphTool</name>
    <message>
        <source>x が 0, 1, 2, …, 10 のとき y は %1</source>
        <translation>at x = 0, 1, 2, …, 10, y is %1</translation>
    </message>
    <message>
        <source>×</source>
        <translation>✗</translation>
    </message>
    <message>
        <source>○</source>
        <translation>✓</translation>
    </message>
    <message>
        <source>どのグラフ？を終わりました</source>
        <translation>Which graph? ended</translation>
    </message>
    <message>
        <source>自動で動いている間は出題できません。ストップしてから「次の問題」を押してください</source>
        <translation>No question while the figure plays automatically. Stop it, then press “Next question”</translation>
    </message>
    <message>
        <source>%1: 正解です。図形を動かして、グラフを確かめます</source>
        <translation>%1: right. The figure now moves to check the graph</translation>
    </message>
    <message>
        <source>%1: ちがいます。正解は %2 です。図形を動かして、グラフを確かめます</source>
        <translation>%1: not this one. The right graph is %2. The figure now moves to check the graph</translation>
    </message>
    <message>
        <source>黒板に図形がありません。図形をつくるか、「次の問題」を押してください</source>
        <translation>There is no figure on the board. Build one, or press “Next question”</translation>
    </message>
    <message>
        <source>%1 を選んでいます</source>
        <translation>%1 selected</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>どのグラフ？</source>
        <translation>Which graph?</translation>
    </message>
    <message>
        <source>どのグラフ？ 黒板の図形を動かしたときのグラフは、ア～エのどれでしょう</source>
        <translation>Which graph? Which of A to D is the graph of the figure on the board as it moves?</translation>
    </message>
    <message>
        <source>次の問題</source>
        <translation>Next question</translation>
    </message>
    <message>
        <source>図の図形を動かしたときのグラフは、ア～エのどれでしょう。</source>
        <translation>Which of A to D is the graph of the figure above as it moves?</translation>
    </message>
    <message>
        <source>どのグラフ？ の答え: %1</source>
        <translation>Which graph? Answer: %1</translation>
    </message>
</context>
<context>
    <name>WorksheetTool</name>
    <message>
        <source>プリントを %1 に保存しました</source>
        <extracomment>said once the worksheet is saved</extracomment>
        <translation>Saved the worksheet as %1</translation>
    </message>
    <message>
        <source>プリントをPDFで保存</source>
        <translation>Save worksheet as PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>関数の利用&#x3000;プリント</source>
        <translation>Functions worksheet</translation>
    </message>
    <message>
        <source>プリントを印刷しました</source>
        <translation>Printed the worksheet</translation>
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
    <name>challenge</name>
    <message>
        <source>レベル %1 の %2</source>
        <extracomment>a target named by its level and its seed: level 3, number 17</extracomment>
        <translation>Level %1, no. %2</translation>
    </message>
    <message>
        <source>正解です。グラフが目標と重なりました</source>
        <extracomment>the learner&apos;s graph is the target&apos;s</extracomment>
        <translation>Right: the graph is the same as the target</translation>
    </message>
    <message>
        <source>%1 ≦ x ≦ %2 で、グラフが目標より急です（図形が高すぎます）</source>
        <extracomment>where the learner&apos;s graph rises faster than the target&apos;s</extracomment>
        <translation>For %1 ≦ x ≦ %2 the graph is steeper than the target (the figure is too high)</translation>
    </message>
    <message>
        <source>%1 ≦ x ≦ %2 で、グラフが目標よりゆるやかです（図形が低すぎます）</source>
        <extracomment>where the learner&apos;s graph rises more slowly than the target&apos;s</extracomment>
        <translation>For %1 ≦ x ≦ %2 the graph is less steep than the target (the figure is too low)</translation>
    </message>
    <message>
        <source>%1 ≦ x ≦ %2 で、グラフの曲がり方が目標と違います</source>
        <extracomment>where one graph is straight and the other curved, or both curve from other heights</extracomment>
        <translation>For %1 ≦ x ≦ %2 the graph bends differently from the target</translation>
    </message>
    <message>
        <source>ア</source>
        <extracomment>the first of four answers, as a Japanese test labels them</extracomment>
        <translation>A</translation>
    </message>
    <message>
        <source>イ</source>
        <translation>B</translation>
    </message>
    <message>
        <source>ウ</source>
        <translation>C</translation>
    </message>
    <message>
        <source>エ</source>
        <translation>D</translation>
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
    <message>
        <source>--%1 は一度だけ書けます</source>
        <extracomment>--worksheet was given twice</extracomment>
        <translation>--%1 can be given only once</translation>
    </message>
    <message>
        <source>--%1 のファイルの名前が空です</source>
        <extracomment>--worksheet was given an empty file name</extracomment>
        <translation>--%1: the file name is empty</translation>
    </message>
    <message>
        <source>オプションの説明を表示する。</source>
        <translation>Displays help on the command-line options.</translation>
    </message>
</context>
<context>
    <name>formulas</name>
    <message>
        <source>%1 %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>。</source>
        <extracomment>between two formulas said one after the other</extracomment>
        <translation>. </translation>
    </message>
    <message>
        <source>式</source>
        <translation>Formulas</translation>
    </message>
    <message>
        <source>%1 ≦ x ≦ %2 のとき</source>
        <translation>For %1 ≤ x ≤ %2</translation>
    </message>
    <message>
        <source>いまの x はこの区間</source>
        <translation>x is in this stretch now</translation>
    </message>
    <message>
        <source>y を x の式で表すと</source>
        <translation>y in terms of x</translation>
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
    <message>
        <source>→ (表、グラフ)</source>
        <translation>→ (table, graph)</translation>
    </message>
    <message>
        <source>表かグラフを選んでいるとき: 点Ｐを0.5 cm進める</source>
        <translation>On the table or graph: P 0.5 cm forward</translation>
    </message>
    <message>
        <source>← (表、グラフ)</source>
        <translation>← (table, graph)</translation>
    </message>
    <message>
        <source>表かグラフを選んでいるとき: 点Ｐを0.5 cmもどす</source>
        <translation>On the table or graph: P 0.5 cm back</translation>
    </message>
    <message>
        <source>Home (表、グラフ)</source>
        <translation>Home (table, graph)</translation>
    </message>
    <message>
        <source>表かグラフを選んでいるとき: χ = 0へ</source>
        <translation>On the table or graph: to χ = 0</translation>
    </message>
    <message>
        <source>End (表、グラフ)</source>
        <translation>End (table, graph)</translation>
    </message>
    <message>
        <source>表かグラフを選んでいるとき: χ = 10へ</source>
        <translation>On the table or graph: to χ = 10</translation>
    </message>
    <message>
        <source>クリック (表、グラフ)</source>
        <translation>Click (table, graph)</translation>
    </message>
    <message>
        <source>表のχかｙのます、グラフの中: 点Ｐをそのχへ（グラフはドラッグでも）</source>
        <translation>On a χ or y cell of the table, or in the graph: P to that χ (or drag on the graph)</translation>
    </message>
    <message>
        <source>予想: 表の空いた欄へ動く（←→は欄の端で）</source>
        <translation>Predict: to the next empty box of the table (← → at the end of its text)</translation>
    </message>
    <message>
        <source>予想: 欄の数を決める、もとにもどす、消す</source>
        <translation>Predict: enter the number in the box, undo, clear</translation>
    </message>
    <message>
        <source>予想: グラフを選んで、点を置くχを選ぶ</source>
        <translation>Predict: with the graph selected, choose the χ for a point</translation>
    </message>
    <message>
        <source>予想: グラフの点を置く、0.5 cm²ずつ動かす</source>
        <translation>Predict: place a point on the graph, move it 0.5 cm² at a time</translation>
    </message>
    <message>
        <source>予想: グラフの選んだ点を消す（右クリックでも）</source>
        <translation>Predict: remove the chosen point from the graph (or right-click it)</translation>
    </message>
    <message>
        <source>どのグラフ？: ア～エのグラフを答えに選ぶ（グラフの枠で）</source>
        <translation>Which graph?: pick graph A to D as the answer (also keys A to D; in its box)</translation>
    </message>
    <message>
        <source>どのグラフ？: グラフを指して、Enterで答えに選ぶ</source>
        <translation>Which graph?: point at a graph, Enter picks it as the answer</translation>
    </message>
    <message>
        <source>Shift+←, Shift+→ (表、グラフ)</source>
        <translation>Shift+←, Shift+→ (table, graph)</translation>
    </message>
    <message>
        <source>変化の割合: 始まりの点を0.5 cm動かす</source>
        <translation>Rate of change: move the start point by 0.5 cm</translation>
    </message>
    <message>
        <source>Shift+Home, Shift+End (表、グラフ)</source>
        <translation>Shift+Home, Shift+End (table, graph)</translation>
    </message>
    <message>
        <source>変化の割合: 始まりの点をχ = 0へ、点Ｐのところへ</source>
        <translation>Rate of change: the start point to x = 0, to where P stands</translation>
    </message>
    <message>
        <source>Shift+クリック (表、グラフ)</source>
        <translation>Shift+click (table, graph)</translation>
    </message>
    <message>
        <source>変化の割合: そのχを始まりの点にする（グラフの印はドラッグでも）</source>
        <translation>Rate of change: that x becomes the start point (or drag the marker on the graph)</translation>
    </message>
</context>
<context>
    <name>lessonfile</name>
    <message>
        <source>授業ファイル (*.kansu)</source>
        <translation>Lesson files (*.kansu)</translation>
    </message>
    <message>
        <source>自動で動いている間は開けません。ストップしてから開いてください</source>
        <extracomment>a lesson cannot be opened while automatic play runs</extracomment>
        <translation>A lesson cannot be opened while Auto is running. Press Stop, then open it</translation>
    </message>
</context>
<context>
    <name>lessonformat</name>
    <message>
        <source>大きすぎます（授業ファイルは1 MiBまで）</source>
        <extracomment>the file is over 1 MiB</extracomment>
        <translation>Too large (a lesson file is at most 1 MiB)</translation>
    </message>
    <message>
        <source>UTF-8の文字ではありません</source>
        <extracomment>the bytes are not UTF-8 text</extracomment>
        <translation>Not UTF-8 text</translation>
    </message>
    <message>
        <source>授業ファイルではありません（JSONとして読めません: %1）</source>
        <extracomment>not a lesson file: the JSON is broken (Qt&apos;s reason in brackets)</extracomment>
        <translation>Not a lesson file (cannot be read as JSON: %1)</translation>
    </message>
    <message>
        <source>授業ファイルではありません</source>
        <extracomment>not a lesson file</extracomment>
        <translation>Not a lesson file</translation>
    </message>
    <message>
        <source>&quot;version&quot; は1以上の整数です</source>
        <extracomment>&quot;version&quot; must be a whole number from 1</extracomment>
        <translation>&quot;version&quot; must be a whole number, 1 or more</translation>
    </message>
    <message>
        <source>バージョン %1 は、このプログラムが読めるものより新しいです</source>
        <extracomment>version 7 is newer than this program reads</extracomment>
        <translation>Version %1 is newer than this program can read</translation>
    </message>
    <message>
        <source>部品は {&quot;piece&quot;: …, &quot;column&quot;: …} と書きます</source>
        <extracomment>a piece must be written as {&quot;piece&quot;: …, &quot;column&quot;: …}</extracomment>
        <translation>A piece is written {&quot;piece&quot;: …, &quot;column&quot;: …}</translation>
    </message>
    <message>
        <source>&quot;piece&quot; は &quot;square&quot;, &quot;bar4&quot;, &quot;bar6&quot;, &quot;triangle&quot; のどれかです</source>
        <extracomment>&quot;piece&quot; must be one of the four names</extracomment>
        <translation>&quot;piece&quot; must be one of &quot;square&quot;, &quot;bar4&quot;, &quot;bar6&quot;, &quot;triangle&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; という部品はありません</source>
        <extracomment>there is no piece called &quot;circle&quot;</extracomment>
        <translation>There is no piece called &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;column&quot; は0から4の整数です</source>
        <extracomment>&quot;column&quot; must be a whole number from 0 to 4</extracomment>
        <translation>&quot;column&quot; must be a whole number from 0 to 4</translation>
    </message>
    <message>
        <source>列 %1 は0から4の外です</source>
        <extracomment>column 7 is outside 0 to 4</extracomment>
        <translation>Column %1 is outside 0 to 4</translation>
    </message>
    <message>
        <source>%1列目の三角形は入りません</source>
        <extracomment>a triangle in column 3 does not fit</extracomment>
        <translation>A triangle in column %1 does not fit</translation>
    </message>
    <message>
        <source>%1列目の %2 は、%3列目の %4（%5行目）と重なります</source>
        <extracomment>the bar4 in column 2 overlaps the triangle in column 1 (line 3)</extracomment>
        <translation>The %2 in column %1 overlaps the %4 in column %3 (line %5)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; は true か false です</source>
        <extracomment>&quot;grid&quot; must be true or false</extracomment>
        <translation>&quot;%1&quot; must be true or false</translation>
    </message>
    <message>
        <source>&quot;speed&quot; は速度の欄の文字で、&quot;50&quot; のように書きます</source>
        <extracomment>&quot;speed&quot; must be the text of the speed box, such as &quot;50&quot;</extracomment>
        <translation>&quot;speed&quot; is the text of the pace box, written like &quot;50&quot;</translation>
    </message>
    <message>
        <source>速度の欄は &quot;%1&quot; を受けつけません（0以上の数、たとえば &quot;50&quot;）</source>
        <extracomment>the speed box does not take &quot;fast&quot;: a number from 0, such as &quot;50&quot;</extracomment>
        <translation>The pace box does not take &quot;%1&quot; (a number of 0 or more, for example &quot;50&quot;)</translation>
    </message>
    <message>
        <source>χ は0から10までの0.5きざみの数です</source>
        <extracomment>x must be a multiple of 0.5 from 0 to 10</extracomment>
        <translation>χ must be a number from 0 to 10 in steps of 0.5</translation>
    </message>
    <message>
        <source>&quot;tools&quot; はツールの名前のリストで、[&quot;formulas&quot;] のように書きます</source>
        <extracomment>&quot;tools&quot; must be a list of tool names, such as [&quot;formulas&quot;]</extracomment>
        <translation>&quot;tools&quot; is a list of tool names, written like [&quot;formulas&quot;]</translation>
    </message>
    <message>
        <source>%1: %2行目: %3</source>
        <extracomment>FILE: line 3: what is wrong</extracomment>
        <translation>%1: line %2: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; が二度書かれています</source>
        <extracomment>the key &quot;grid&quot; is written twice in one place</extracomment>
        <translation>&quot;%1&quot; is written twice</translation>
    </message>
    <message>
        <source>&quot;rate_from&quot; は0から10までの0.5きざみの数です</source>
        <extracomment>where the rate of change starts must be a multiple of 0.5 from 0 to 10</extracomment>
        <translation>&quot;rate_from&quot; must be a number from 0 to 10 in steps of 0.5</translation>
    </message>
    <message>
        <source>&quot;%1&quot; は部品のリストです</source>
        <extracomment>&quot;pieces&quot; must be a list of pieces</extracomment>
        <translation>&quot;%1&quot; must be a list of pieces</translation>
    </message>
    <message>
        <source>&quot;target&quot; には部品が一つ以上要ります</source>
        <extracomment>a target figure must have at least one piece</extracomment>
        <translation>&quot;target&quot; needs at least one piece</translation>
    </message>
    <message>
        <source>&quot;traces&quot; は図形のリストで、図形はそれぞれ部品のリストです</source>
        <extracomment>&quot;traces&quot; must be a list of figures, each a list of pieces</extracomment>
        <translation>&quot;traces&quot; is a list of figures, each a list of pieces</translation>
    </message>
    <message>
        <source>&quot;traces&quot; に残せるグラフは%1つまでです</source>
        <extracomment>at most 3 kept graphs</extracomment>
        <translation>&quot;traces&quot; keeps at most %1 graphs</translation>
    </message>
</context>
<context>
    <name>manpage</name>
    <message>
        <source>名前</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>書式</source>
        <translation>SYNOPSIS</translation>
    </message>
</context>
<context>
    <name>prediction</name>
    <message>
        <source>ｙを入れてください</source>
        <translation>Type a value for y</translation>
    </message>
    <message>
        <source>数ではありません</source>
        <translation>Not a number</translation>
    </message>
    <message>
        <source>0ではわれません</source>
        <translation>Cannot divide by 0</translation>
    </message>
    <message>
        <source>けたが多すぎます</source>
        <translation>Too many digits</translation>
    </message>
</context>
<context>
    <name>rate</name>
    <message>
        <source>変化の割合 = %1 ÷ %2 = %3</source>
        <extracomment>the rate of change = increase of y ÷ increase of x = the rate (whole or a fraction)</extracomment>
        <translation>Rate of change = %1 ÷ %2 = %3</translation>
    </message>
    <message>
        <source>x の増加量 %1、y の増加量 %2</source>
        <extracomment>beside the worksheet&apos;s answer: the increase of x, then of y</extracomment>
        <translation>Increase in x: %1, increase in y: %2</translation>
    </message>
    <message>
        <source>x が %1 から %2 まで増加するときの変化の割合を求めなさい</source>
        <extracomment>the worksheet&apos;s question; x runs from the first number to the second</extracomment>
        <translation>Find the rate of change as x increases from %1 to %2.</translation>
    </message>
    <message>
        <source>x が増えても y は増えない（辺ABを通る図形がない）</source>
        <extracomment>over a stretch where nothing of the figure crosses side AB</extracomment>
        <translation>As x increases, y does not (nothing of the figure is crossing side AB)</translation>
    </message>
    <message>
        <source>x が 1 cm 増えるごとに y は %1 cm² 増える（辺ABを通る図形の高さ %1 cm）</source>
        <extracomment>over a straight stretch; the number is both the rate and the height at AB</extracomment>
        <translation>Each time x increases by 1 cm, y increases by %1 cm² (the figure crossing side AB is %1 cm high)</translation>
    </message>
    <message>
        <source>変化の割合は一定ではない。辺ABを通る図形が高くなるので、y の増え方も大きくなる</source>
        <extracomment>over the stretch where a triangle crosses side AB (y = ax² + …)</extracomment>
        <translation>The rate of change is not the same all along: the figure crossing side AB gets taller, so y increases faster and faster</translation>
    </message>
    <message>
        <source>変化の割合はこの間の平均。途中で辺ABを通る図形の高さが変わる</source>
        <extracomment>over an interval where the formula for y changes</extracomment>
        <translation>The rate of change is the mean over this interval: the height of the figure crossing side AB changes on the way</translation>
    </message>
</context>
<context>
    <name>safefile</name>
    <message>
        <source>ディスクに空きがありません</source>
        <extracomment>the disk (or the user&apos;s quota) is full</extracomment>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>許可がありません</source>
        <extracomment>the system does not allow it</extracomment>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>読み取り専用の場所です</source>
        <extracomment>the place is mounted read-only</extracomment>
        <translation>the place is read-only</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <extracomment>there is no such file or folder</extracomment>
        <translation>not found</translation>
    </message>
    <message>
        <source>途中にフォルダでないものがあります</source>
        <extracomment>a part of the path is not a folder</extracomment>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <extracomment>the name is a folder&apos;s</extracomment>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <extracomment>the file would pass the size the system allows</extracomment>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <extracomment>the file name is too long</extracomment>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>シンボリックリンクが多すぎます</source>
        <extracomment>symbolic links point round in a circle</extracomment>
        <translation>too many symbolic links</translation>
    </message>
    <message>
        <source>ディスクの読み書きでエラーが起きました</source>
        <extracomment>the disk reported a fault</extracomment>
        <translation>the disk reported a read or write error</translation>
    </message>
    <message>
        <source>システムのエラー（番号 %1）</source>
        <extracomment>any other fault, with the system&apos;s error number</extracomment>
        <translation>system error (number %1)</translation>
    </message>
    <message>
        <source>ふつうのファイルではありません（FIFO、装置、フォルダは使えません）</source>
        <extracomment>a FIFO, a device or a folder stands where a file should be</extracomment>
        <translation>not an ordinary file (a FIFO, a device or a folder cannot be used)</translation>
    </message>
    <message>
        <source>ファイルの名前が空です</source>
        <extracomment>an empty file name was given</extracomment>
        <translation>the file name is empty</translation>
    </message>
    <message>
        <source>書きこめません（%1）</source>
        <extracomment>the file cannot be written, and why</extracomment>
        <translation>Cannot write (%1)</translation>
    </message>
    <message>
        <source>フォルダ %1 に書きこめません（%2）</source>
        <extracomment>the folder does not take the file, and why</extracomment>
        <translation>Cannot write into the folder %1 (%2)</translation>
    </message>
    <message>
        <source>開けません（%1）</source>
        <extracomment>the file cannot be opened, and why</extracomment>
        <translation>Cannot open (%1)</translation>
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
    <message>
        <source>グラフに合う図形をつくろう</source>
        <translation>Match the graph</translation>
    </message>
    <message>
        <source>目標のグラフと同じグラフになる図形をつくる</source>
        <translation>Build a figure whose graph is the target graph</translation>
    </message>
    <message>
        <source>答え合わせ</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>グラフが目標と同じか調べる</source>
        <translation>Check whether the graph is the target graph</translation>
    </message>
    <message>
        <source>次のレベル</source>
        <translation>Next level</translation>
    </message>
    <message>
        <source>次のレベルの目標にする</source>
        <translation>Go on to a target of the next level</translation>
    </message>
    <message>
        <source>答えを見る</source>
        <translation>Show the answer</translation>
    </message>
    <message>
        <source>目標の図形を黒板に見せる（このレベルは解けなかったことになる）</source>
        <translation>Show the target figure on the board (the level counts as not solved)</translation>
    </message>
    <message>
        <source>グラフを残す</source>
        <translation>Keep the graph</translation>
    </message>
    <message>
        <source>いまの図形のグラフを、くらべるために薄く残す（3つまで）</source>
        <translation>Keep the current figure&apos;s graph as a faint trace to compare (up to three)</translation>
    </message>
    <message>
        <source>消す</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>残したグラフを消す</source>
        <translation>Clear the kept graphs</translation>
    </message>
    <message>
        <source>レベルを選ぶ…</source>
        <translation>Choose a level…</translation>
    </message>
    <message>
        <source>レベルと番号で目標を選ぶ（「レベル 3 の 17」）</source>
        <translation>Choose a target by its level and number (“Level 3, no. 17”)</translation>
    </message>
    <message>
        <source>どのグラフ？</source>
        <translation>Which graph?</translation>
    </message>
    <message>
        <source>黒板の図形のグラフを、4つの小さなグラフ（ア～エ）から選ぶ</source>
        <translation>Pick the graph of the figure on the board from four small graphs (A to D)</translation>
    </message>
    <message>
        <source>変化の割合</source>
        <translation>Rate of change</translation>
    </message>
    <message>
        <source>始まりの点から点Ｐまでの変化の割合を、表とグラフと図形で示す</source>
        <translation>Show the rate of change from a start point to P in the table, on the graph and in the figure</translation>
    </message>
</context>
<context>
    <name>worksheet</name>
    <message>
        <source>関数の利用&#x3000;答え</source>
        <translation>Functions: answers</translation>
    </message>
    <message>
        <source>関数の利用&#x3000;問題</source>
        <translation>Functions: questions</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;組&#x3000;&#x3000;番&#x3000;名前＿＿＿＿＿＿＿＿</source>
        <translation>Class ____ No. ____ Name ______________</translation>
    </message>
    <message>
        <source>図は実物大です（1 cm が 1 cm）。</source>
        <translation>The figure is full size (1 cm is 1 cm).</translation>
    </message>
    <message>
        <source>y (cm²)</source>
        <translation>y (cm²)</translation>
    </message>
    <message>
        <source>式</source>
        <translation>Formulas</translation>
    </message>
    <message>
        <source>関数の利用&#x3000;プリント</source>
        <translation>Functions worksheet</translation>
    </message>
    <message>
        <source>長方形ABCDの辺BCの上に、図のような図形があります。図形は辺BCにそって左へ動きます。点Ｐが点Ｂから x cm 動いたとき、辺ABより左に出た部分（斜線の部分）の面積を y cm² とします。表を完成させ、x と y の関係をグラフに表しましょう。</source>
        <translation>A figure stands on side BC of rectangle ABCD, as in the picture. It moves to the left along side BC. When P has moved x cm from B, let y cm² be the area of the part that has passed side AB (the shaded part). Complete the table, and show how y depends on x on the graph.</translation>
    </message>
    <message>
        <source>x cm</source>
        <translation>x cm</translation>
    </message>
    <message>
        <source>x (cm)</source>
        <translation>x (cm)</translation>
    </message>
    <message>
        <source>グラフは 横 1 cm が x 1 cm、
縦 1 cm が y 4 cm²</source>
        <translation>On the graph, 1 cm across is x 1 cm,
1 cm up is y 4 cm²</translation>
    </message>
</context>
</TS>
