// What assistive technology reads out: a name for every control, what each panel shows in words,
// and x and y after every step.
#include "app/form1.h"

#include "play/steps.h"
#include "tools/prediction.h"
#include "toolkit/numtext.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void Form1::setUpAccessibility()
{
    // A caption's name is its text; "自    動" is spaced out only for the eye.
    const struct
    {
        QWidget *control;
        const char *name;
        const char *description;
    } controls[] = {
        { Label6, "関数の利用", "" },
        { Command1, "初期画面", "図形を消して、部品を上の帯にもどす" },
        { Check1, "方眼", "黒板に1 cmごとの方眼をかく" },
        { end, "終了", "" },
        { jidou, "自動", "点Ｐを終わりまで自動で動かす（F5）" },
        { tomeru, "ストップ", "自動で動くのを止める（Esc）" },
        { Label3, "速度", "" },
        { Combo1, "速度", "自動で動くときの間の長さ。大きいほどゆっくり" },
        { susumu, "出す", "点Ｐを0.5 cm左へ動かす（PageDown、→）" },
        { modoru, "戻す", "点Ｐを0.5 cm右へもどす（PageUp、←）" },
        { Command2, "最初に", "点Ｐを点Ｂにもどし、表とグラフをかき直す（Home）" },
        { Check3, "表", "χとｙの表を見せる" },
        { Check2, "グラフ", "χとｙのグラフを見せる" },
        { Label8, "Korumo 学習ソフト", "" },
        { Text1, "点Ｐが動いた距離χ", "" },
        { Check4, "寸法線", "点Ｂから点Ｐまでの赤い寸法線を見せる" },
        { kokuban, "黒板",
          "縦6 cm、横10 cmの長方形ABCD。辺BCの上に部品を並べた図形が、点Ｐとともに0.5 cmずつ"
          "左へ動く。辺ABを越えた部分は白、まだ越えていない部分は灰色。上の帯に部品が並ぶ。"
          "正方形（2 cm）、縦4 cmと縦6 cmの長方形、直角をはさむ辺が6 cmの直角三角形。" },
        { hyo, "χとｙの表",
          "χが1 cm進むごとに、そのときのｙ（越えた部分の面積、cm²）を書き加える表。"
          "上の行がχ、下の行がｙ。" },
        { gamen, "χとｙのグラフ",
          "ｙをχの関数として表すグラフ。横軸はχ（0から10 cm）、縦軸はｙ（0から60 cm²）。"
          "点Ｐが0.5 "
          "cm動くごとに線がのびる。長方形の部品の間はまっすぐ、三角形の間は曲線になる。" },
    };
    for (const auto &c : controls) {
        c.control->setAccessibleName(QString::fromUtf8(c.name));
        c.control->setAccessibleDescription(QString::fromUtf8(c.description));
    }
    // An editable combo box is named by its text on some platforms: the label names it there.
    Label3->setBuddy(Combo1);

    // Every step, forward, back or to the start, writes x here.
    connect(Text1, &QLineEdit::textChanged, this, &Form1::stateXAndY);
    stateXAndY();
}

void Form1::stateXAndY()
{
    // y from the figure itself: the area that has crossed AB is what the blackboard shows,
    // whatever the table or the graph have been told.
    const double x = numtext::read(Text1->text());
    const double y = steps::figureArea(retsu, x);
    QString statement = QStringLiteral("χ = %1 cm, y = %2 cm²")
                            .arg(QString::number(x, 'g', 10), QString::number(y, 'g', 10));
    // While the class predicts, y is said only where the table and the graph show it.
    if (toolOn(tools::Tool::Predict) && !prediction::yShownAt(x))
        statement = QStringLiteral("χ = %1 cm").arg(QString::number(x, 'g', 10));
    // Qt announces the change (DescriptionChanged) to a listening screen reader.
    Text1->setAccessibleDescription(statement);
}
