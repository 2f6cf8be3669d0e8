// Every text the window shows or says, in the lesson's language: set once at start and again
// whenever the language changes. Japanese is the source; the lesson's letters (A, B, C, Ｄ, Ｐ,
// χ, ｙ) and lengths stand as they are in every language.
#include "app/form1.h"

#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <algorithm>

namespace {

// A caption longer than its control widens the control to the right, where the layout leaves
// room beside these; never narrower than designed, so the Japanese screen stays as laid out.
void fitCaption(QWidget *control, int needed)
{
    const char *const key = "designedWidth";
    if (!control->property(key).isValid())
        control->setProperty(key, control->width());
    control->resize(std::max(control->property(key).toInt(), needed), control->height());
}

int labelWidth(const QLabel *label)
{
    return label->fontMetrics().horizontalAdvance(label->text()) + label->width()
        - label->contentsRect().width();
}

} // namespace

void Form1::retranslate()
{
    setWindowTitle(tr("４.関数  (by Vornel)"));
    Label6->setText(tr("関数の利用"));
    Command1->setText(tr("初期画面"));
    Check1->setText(tr("方眼"));
    end->setText(tr("終了"));
    // Spaced out only for the eye; its name below is the plain word.
    jidou->setText(tr("自    動"));
    tomeru->setText(tr("ストップ"));
    Label3->setText(tr("速度"));
    susumu->setText(tr("出す"));
    modoru->setText(tr("戻す"));
    Command2->setText(tr("最初に"));
    Check3->setText(tr("表"));
    Check2->setText(tr("グラフ"));
    Label8->setText(tr("Korumo 学習ソフト"));
    Label1->setCaption(tr("点Ｐが動いた距離χ"));
    // Room to the right: nothing stands there at all (the view boxes), or a gap before 出す.
    for (QCheckBox *box : { Check1, Check3, Check2 })
        fitCaption(box, box->sizeHint().width());
    fitCaption(Label3, labelWidth(Label3));

    // Names and descriptions for assistive technology. A caption's name is its text.
    const struct
    {
        QWidget *control;
        QString name;
        QString description;
    } controls[] = {
        { Label6, tr("関数の利用"), QString() },
        { Command1, tr("初期画面"), tr("図形を消して、部品を上の帯にもどす") },
        { Check1, tr("方眼"), tr("黒板に1 cmごとの方眼をかく") },
        { end, tr("終了"), QString() },
        { jidou, tr("自動"), tr("点Ｐを終わりまで自動で動かす（F5）") },
        { tomeru, tr("ストップ"), tr("自動で動くのを止める（Esc）") },
        { Label3, tr("速度"), QString() },
        { Combo1, tr("速度"), tr("自動で動くときの間の長さ。大きいほどゆっくり") },
        { susumu, tr("出す"), tr("点Ｐを0.5 cm左へ動かす（PageDown、→）") },
        { modoru, tr("戻す"), tr("点Ｐを0.5 cm右へもどす（PageUp、←）") },
        { Command2, tr("最初に"), tr("点Ｐを点Ｂにもどし、表とグラフをかき直す（Home）") },
        { Check3, tr("表"), tr("χとｙの表を見せる") },
        { Check2, tr("グラフ"), tr("χとｙのグラフを見せる") },
        { Label8, tr("Korumo 学習ソフト"), QString() },
        { Text1, tr("点Ｐが動いた距離χ"), QString() },
        { Check4, tr("寸法線"), tr("点Ｂから点Ｐまでの赤い寸法線を見せる") },
        { kokuban, tr("黒板"),
          tr("縦6 cm、横10 cmの長方形ABCD。辺BCの上に部品を並べた図形が、点Ｐとともに0.5 cmずつ"
             "左へ動く。辺ABを越えた部分は白、まだ越えていない部分は灰色。上の帯に部品が並ぶ。"
             "正方形（2 cm）、縦4 cmと縦6 cmの長方形、直角をはさむ辺が6 cmの直角三角形。"
             "黒板を選ぶと、キーで部品を置ける（F1）。") },
        { hyo, tr("χとｙの表"),
          tr("χが1 cm進むごとに、そのときのｙ（越えた部分の面積、cm²）を書き加える表。"
             "上の行がχ、下の行がｙ。") },
        { gamen, tr("χとｙのグラフ"),
          tr("ｙをχの関数として表すグラフ。横軸はχ（0から10 cm）、縦軸はｙ（0から60 cm²）。"
             "点Ｐが0.5 "
             "cm動くごとに線がのびる。長方形の部品の間はまっすぐ、三角形の間は曲線になる。") },
    };
    for (const auto &c : controls) {
        c.control->setAccessibleName(c.name);
        c.control->setAccessibleDescription(c.description);
    }
    stateXAndY();

    // The tools, made in the language before.
    tools->retranslate();
}

void Form1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}
