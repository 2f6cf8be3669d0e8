// The tools menu (right-click, Shift+F10, the menu key), the F1 key help and what the tools say
// to assistive technology. Everything here is made from the one tool table.
#include "app/form1.h"

#include "core/tooltable.h"
#include "tools/predictview.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString toolText(const char *source)
{
    return QCoreApplication::translate("tools", source);
}

// Keys of the lesson itself and of the tools that act on a panel with the focus: key, meaning.
// Each tool adds its lines here, beside its own. A key named with words is translated too.
struct KeyLine
{
    const char *keys;
    const char *meaning;
};
const KeyLine lessonKeys[] = {
    { "PageDown, →", QT_TRANSLATE_NOOP("keys", "出す: 点Ｐを0.5 cm左へ") },
    { "PageUp, ←", QT_TRANSLATE_NOOP("keys", "戻す: 点Ｐを0.5 cm右へ") },
    { "Home", QT_TRANSLATE_NOOP("keys", "最初に: 点Ｐを点Ｂへ") },
    { "F5", QT_TRANSLATE_NOOP("keys", "自動: 点Ｐを終わりまで動かす") },
    { "Esc", QT_TRANSLATE_NOOP("keys", "ストップ: 自動を止める") },
    { "Tab", QT_TRANSLATE_NOOP("keys", "次のボタンや欄へ") },
    { "Enter, Space", QT_TRANSLATE_NOOP("keys", "選んだボタンを押す") },
    { "Shift+F10", QT_TRANSLATE_NOOP("keys", "ツールのメニューを開く（右クリックでも）") },
    // ---- keys on the table and the graph (moving P) ----
    { QT_TRANSLATE_NOOP("keys", "→ (表、グラフ)"),
      QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: 点Ｐを0.5 cm進める") },
    { QT_TRANSLATE_NOOP("keys", "← (表、グラフ)"),
      QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: 点Ｐを0.5 cmもどす") },
    { QT_TRANSLATE_NOOP("keys", "Home (表、グラフ)"),
      QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: χ = 0へ") },
    { QT_TRANSLATE_NOOP("keys", "End (表、グラフ)"),
      QT_TRANSLATE_NOOP("keys", "表かグラフを選んでいるとき: χ = 10へ") },
    { QT_TRANSLATE_NOOP("keys", "クリック (表、グラフ)"),
      QT_TRANSLATE_NOOP("keys",
                        "表のχかｙのます、グラフの中: 点Ｐをそのχへ（グラフはドラッグでも）") },
    // ---- keys of the prediction tool ----
    { "Tab, ←, →", QT_TRANSLATE_NOOP("keys", "予想: 表の空いた欄へ動く（←→は欄の端で）") },
    { "Enter, Esc, Delete", QT_TRANSLATE_NOOP("keys", "予想: 欄の数を決める、もとにもどす、消す") },
    { "←, →", QT_TRANSLATE_NOOP("keys", "予想: グラフを選んで、点を置くχを選ぶ") },
    { "↑, ↓", QT_TRANSLATE_NOOP("keys", "予想: グラフの点を置く、0.5 cm²ずつ動かす") },
    { "Delete", QT_TRANSLATE_NOOP("keys", "予想: グラフの選んだ点を消す（右クリックでも）") },
    // ---- keys for building the figure on the blackboard ----
    { "F8", QT_TRANSLATE_NOOP("keys", "黒板を選ぶ（黒板をクリック、Tabでも）") },
    { "1, 2, 3, 4",
      QT_TRANSLATE_NOOP("keys", "黒板で: 正方形、縦4 cm、縦6 cmの長方形、三角形を持つ") },
    { "←, →", QT_TRANSLATE_NOOP("keys", "黒板で: 列を選ぶ、持った部品を動かす") },
    { "Enter", QT_TRANSLATE_NOOP("keys", "黒板で: 持った部品を置く、選んだ列の部品を持つ") },
    { "Delete", QT_TRANSLATE_NOOP("keys", "黒板で: 選んだ列の部品を外す") },
    { "Esc", QT_TRANSLATE_NOOP("keys", "黒板で: 持った部品を元に戻す") },
};

} // namespace

void Form1::setUpTools()
{
    toolsMenu = new QMenu(this);
    toolsMenu->setObjectName(QStringLiteral("toolsMenu"));
    toolsMenu->setAccessibleName(QCoreApplication::translate("tools", "ツール"));
    for (const tools::ToolRow &r : tools::table()) {
        if (r.separatorBefore)
            toolsMenu->addSeparator();
        auto *action = new QAction(toolText(r.caption), this);
        action->setObjectName(QLatin1String("tool_") + QLatin1String(r.option[0] ? r.option : ""));
        action->setShortcut(QKeySequence(QString::fromLatin1(r.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(r.checkable);
        action->setToolTip(toolText(r.help));
        action->setStatusTip(toolText(r.help));
        // Shortcuts work with the menu closed: the actions belong to the window too.
        addAction(action);
        toolsMenu->addAction(action);
        toolActions[size_t(r.id)] = action;
        const tools::Tool id = r.id;
        if (r.checkable)
            connect(action, &QAction::toggled, this, [this, id](bool on) { toolSwitched(id, on); });
        else
            connect(action, &QAction::triggered, this, [this, id] { toolSwitched(id, true); });
    }
    // The x box and the speed box would open their own editing menus: a right click anywhere
    // opens the tools menu instead (the speed box still takes its keys).
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    Combo1->setContextMenuPolicy(Qt::NoContextMenu);
    Combo1->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    // Shift+F10 opens the menu as the menu key does, where the focus is.
    auto *menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        QWidget *at = focusWidget() ? focusWidget() : this;
        showToolsMenu(at->mapToGlobal(QPoint(at->width() / 2, at->height() / 2)));
    });
    setUpJump();
}

void Form1::showToolsMenu(const QPoint &globalPos)
{
    toolsMenu->popup(globalPos);
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    // A right button that has just picked up a piece drags it; anywhere else it opens the menu.
    if (tsukami != 0)
        return;
    // A right click that removed a predicted point was the point's.
    if (predictor && predictor->tookRightClick()) {
        event->accept();
        return;
    }
    showToolsMenu(event->globalPos());
    event->accept();
}

bool Form1::toolOn(tools::Tool tool) const
{
    const QAction *action = toolActions[size_t(tool)];
    return action && action->isCheckable() && action->isChecked();
}

void Form1::setToolOn(tools::Tool tool, bool on)
{
    QAction *action = toolActions[size_t(tool)];
    if (action->isCheckable())
        action->setChecked(on);
    else if (on)
        action->trigger();
}

void Form1::toolSwitched(tools::Tool tool, bool on)
{
    using tools::Tool;
    switch (tool) {
    case Tool::Formulas:
        setFormulasShown(on);
        break;
    case Tool::Predict:
        setPredicting(on);
        break;
    case Tool::BuildByKeys:
        buildByKeys();
        break;
    case Tool::OpenLesson:
        openLessonDialog();
        break;
    case Tool::SaveLesson:
        saveLessonDialog();
        break;
    case Tool::CopyPicture:
        copyPicture();
        break;
    case Tool::SavePicture:
        savePictureDialog();
        break;
    case Tool::PrintWorksheet:
        printWorksheet();
        break;
    case Tool::SaveWorksheet:
        saveWorksheetDialog();
        break;
    case Tool::Language:
        switchLanguage();
        break;
    case Tool::KeyHelp:
        showKeyHelp();
        break;
    }
}

QString Form1::keyHelpText() const
{
    QString html = QStringLiteral("<h3>%1</h3><table cellspacing=4>")
                       .arg(QCoreApplication::translate("keys", "キー"));
    for (const KeyLine &k : lessonKeys) {
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(QCoreApplication::translate("keys", k.keys).toHtmlEscaped(),
                         QCoreApplication::translate("keys", k.meaning).toHtmlEscaped());
    }
    html += QStringLiteral("</table><h3>%1</h3><table cellspacing=4>")
                .arg(QCoreApplication::translate("keys", "ツール（右クリックのメニュー）"));
    for (const tools::ToolRow &r : tools::table()) {
        const QString option = r.option[0]
            ? QStringLiteral(" &nbsp; <tt>--%1%2</tt>")
                  .arg(QLatin1String(r.option),
                       r.valueName[0] ? QLatin1Char(' ') + QLatin1String(r.valueName) : QString())
            : QString();
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2: %3%4</td></tr>")
                    .arg(QKeySequence(QString::fromLatin1(r.shortcut))
                             .toString(QKeySequence::NativeText)
                             .toHtmlEscaped(),
                         toolText(r.caption).toHtmlEscaped(), toolText(r.help).toHtmlEscaped(),
                         option);
    }
    html += QStringLiteral("</table>");
    return html;
}

void Form1::showKeyHelp()
{
    if (!keyHelp) {
        keyHelp = new QDialog(this);
        keyHelp->setObjectName(QStringLiteral("keyHelp"));
        auto *layout = new QVBoxLayout(keyHelp);
        auto *text = new QTextBrowser(keyHelp);
        text->setObjectName(QStringLiteral("keyHelpText"));
        layout->addWidget(text);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, keyHelp);
        buttons->setObjectName(QStringLiteral("keyHelpButtons"));
        connect(buttons, &QDialogButtonBox::rejected, keyHelp, &QDialog::reject);
        layout->addWidget(buttons);
        keyHelp->resize(560, 520);
    }
    keyHelp->setWindowTitle(QCoreApplication::translate("keys", "キーの一覧"));
    keyHelp->findChild<QDialogButtonBox *>(QStringLiteral("keyHelpButtons"))
        ->button(QDialogButtonBox::Close)
        ->setText(QCoreApplication::translate("keys", "閉じる"));
    auto *text = keyHelp->findChild<QTextBrowser *>(QStringLiteral("keyHelpText"));
    text->setHtml(keyHelpText());
    text->setAccessibleName(keyHelp->windowTitle());
    // Esc closes it: a dialog rejects on Esc.
    keyHelp->show();
    keyHelp->raise();
    keyHelp->activateWindow();
    announce(keyHelp->windowTitle());
}

void Form1::announce(const QString &sentence)
{
    // Qt 6.4 has no announcement event: a screen reader hears the window's description change.
    lastAnnouncement = sentence;
    setAccessibleDescription(sentence);
}
