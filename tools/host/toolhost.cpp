// The tools' host: the menu (right-click, Shift+F10, the menu key), the key help, the keys and
// changes passed on to the tools, what they say, and where the keyboard is.
#include "tools/host/toolhost.h"

#include "core/lessonformat.h"
#include "tools/registry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString toolText(const char *source)
{
    return QCoreApplication::translate("tools", source);
}

// The lesson's own keys; each tool adds its lines after these.
const KeyLine lessonKeys[] = {
    { "PageDown, →", QT_TRANSLATE_NOOP("keys", "出す: 点Ｐを0.5 cm左へ") },
    { "PageUp, ←", QT_TRANSLATE_NOOP("keys", "戻す: 点Ｐを0.5 cm右へ") },
    { "Home", QT_TRANSLATE_NOOP("keys", "最初に: 点Ｐを点Ｂへ") },
    { "F5", QT_TRANSLATE_NOOP("keys", "自動: 点Ｐを終わりまで動かす") },
    { "Esc", QT_TRANSLATE_NOOP("keys", "ストップ: 自動を止める") },
    { "Tab", QT_TRANSLATE_NOOP("keys", "次のボタンや欄へ") },
    { "Enter, Space", QT_TRANSLATE_NOOP("keys", "選んだボタンを押す") },
    { "Shift+F10", QT_TRANSLATE_NOOP("keys", "ツールのメニューを開く（右クリックでも）") },
};

} // namespace

ToolHost::ToolHost(Lesson &lesson, QWidget &window)
    : QObject(&window)
    , m_lesson(lesson)
    , m_window(window)
{
    setObjectName(QStringLiteral("toolHost"));
    m_menu = new QMenu(&window);
    m_menu->setObjectName(QStringLiteral("toolsMenu"));
    for (const tools::Registration &r : tools::registered()) {
        m_tools.push_back(r.make(*this));
        Tool *tool = m_tools.back().get();
        for (const tools::ToolRow &row : r.rows) {
            if (row.separatorBefore)
                m_menu->addSeparator();
            auto *action = new QAction(toolText(row.caption), &window);
            action->setObjectName(QLatin1String("tool_") + QLatin1String(row.id));
            action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
            action->setCheckable(row.checkable());
            // Shortcuts work with the menu closed: the actions belong to the window too.
            window.addAction(action);
            m_menu->addAction(action);
            m_entries.push_back({ &row, tool, action });
            const tools::ToolRow *rowPtr = &row;
            if (row.checkable())
                connect(action, &QAction::toggled, this, [this, tool, rowPtr](bool on) {
                    tool->act(*rowPtr, on);
                    updateEnabled();
                });
            else
                connect(action, &QAction::triggered, this,
                        [tool, rowPtr] { tool->act(*rowPtr, true); });
        }
    }
    // The x box and the speed box would open their own editing menus: a right click anywhere
    // opens the tools menu instead (the speed box still takes its keys).
    for (QLineEdit *edit : window.findChildren<QLineEdit *>())
        edit->setContextMenuPolicy(Qt::NoContextMenu);
    for (QComboBox *box : window.findChildren<QComboBox *>())
        box->setContextMenuPolicy(Qt::NoContextMenu);
    // Shift+F10 opens the menu as the menu key does, where the focus is.
    auto *menuKey = new QAction(&window);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    window.addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        QWidget *at = m_window.focusWidget() ? m_window.focusWidget() : &m_window;
        m_menu->popup(at->mapToGlobal(QPoint(at->width() / 2, at->height() / 2)));
    });
    // Every press, focus change and menu request of the window, before its receiver sees it.
    qApp->installEventFilter(this);
    retranslate();
}

ToolHost::~ToolHost()
{
    qApp->removeEventFilter(this);
    // The tools go first: some hear focus changes of the controls they stand on.
    m_tools.clear();
}

ToolHost *ToolHost::of(const QWidget *window)
{
    return window
        ? window->findChild<ToolHost *>(QStringLiteral("toolHost"), Qt::FindDirectChildrenOnly)
        : nullptr;
}

const ToolHost::Entry *ToolHost::entry(QStringView id) const
{
    for (const Entry &e : m_entries) {
        if (id == QLatin1String(e.row->id))
            return &e;
    }
    return nullptr;
}

QAction *ToolHost::action(QStringView id) const
{
    const Entry *e = entry(id);
    return e ? e->action : nullptr;
}

bool ToolHost::isOn(QStringView id) const
{
    const Entry *e = entry(id);
    return e && e->row->checkable() && e->action->isChecked();
}

void ToolHost::setOn(QStringView id, bool on)
{
    const Entry *e = entry(id);
    if (!e)
        return;
    if (e->row->checkable())
        e->action->setChecked(on);
    else if (on)
        e->action->trigger();
}

void ToolHost::updateEnabled()
{
    for (const Entry &e : m_entries) {
        const QString id = QString::fromLatin1(e.row->id);
        bool kept = false;
        for (const auto &t : m_tools)
            kept = kept || (t.get() != e.tool && t->keepsOff(id));
        if (kept && e.row->checkable() && e.action->isChecked())
            e.action->setChecked(false);
        e.action->setEnabled(!kept);
    }
}

void ToolHost::follow(Lesson::Change what)
{
    for (const auto &t : m_tools)
        t->follow(what);
}

std::optional<bool> ToolHost::key(QWidget *target, const QKeyEvent &key)
{
    // Tools registered later see a key first: one that works on the panel of an earlier one
    // (the predictions on the table) takes its keys before it.
    std::optional<bool> taken;
    for (auto t = m_tools.rbegin(); t != m_tools.rend() && !taken; ++t)
        taken = (*t)->key(target, key);
    // A key a tool took on its panel shows where the keyboard is.
    if (taken.value_or(false))
        setKeyboardInUse(true);
    return taken;
}

bool ToolHost::hidesY(double x) const
{
    for (const auto &t : m_tools) {
        if (t->hidesY(x))
            return true;
    }
    return false;
}

std::vector<SheetTask> ToolHost::sheetTasks() const
{
    std::vector<SheetTask> tasks;
    for (const auto &t : m_tools) {
        for (SheetTask &task : t->sheetTasks())
            tasks.push_back(std::move(task));
    }
    return tasks;
}

void ToolHost::retranslate()
{
    m_menu->setAccessibleName(QCoreApplication::translate("tools", "ツール"));
    for (const Entry &e : m_entries) {
        e.action->setText(toolText(e.row->caption));
        e.action->setToolTip(toolText(e.row->help));
        e.action->setStatusTip(e.action->toolTip());
    }
    if (m_keyHelp && m_keyHelp->isVisible())
        showKeyHelp();
    if (m_problem)
        m_problem->setWindowTitle(QCoreApplication::translate("Form1", "授業ファイル"));
    for (const auto &t : m_tools)
        t->retranslate();
}

void ToolHost::announce(const QString &sentence)
{
    // Qt 6.4 has no announcement event: a screen reader hears the window's description change.
    m_lastSaid = sentence;
    m_window.setAccessibleDescription(sentence);
}

void ToolHost::tellProblem(const QString &message)
{
    if (!m_problem) {
        m_problem = new QMessageBox(&m_window);
        m_problem->setObjectName(QStringLiteral("fileMessage"));
        m_problem->setIcon(QMessageBox::Warning);
        m_problem->setStandardButtons(QMessageBox::Ok);
        // The text carries names from files and folders: never read as markup.
        m_problem->setTextFormat(Qt::PlainText);
    }
    m_problem->setWindowTitle(QCoreApplication::translate("Form1", "授業ファイル"));
    m_problem->setText(message);
    // Window-modal and not blocking: the lesson's own loop keeps running behind it.
    m_problem->open();
    announce(message);
}

void ToolHost::setKeyboardInUse(bool inUse)
{
    if (m_keyboardInUse == inUse)
        return;
    m_keyboardInUse = inUse;
    emit keyboardUseChanged(inUse);
}

QString ToolHost::keyHelpText() const
{
    const auto line = [](const KeyLine &k) {
        return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
            .arg(QCoreApplication::translate("keys", k.keys).toHtmlEscaped(),
                 QCoreApplication::translate("keys", k.meaning).toHtmlEscaped());
    };
    QString html = QStringLiteral("<h3>%1</h3><table cellspacing=4>")
                       .arg(QCoreApplication::translate("keys", "キー"));
    for (const KeyLine &k : lessonKeys)
        html += line(k);
    for (const auto &t : m_tools) {
        for (const KeyLine &k : t->keyLines())
            html += line(k);
    }
    html += QStringLiteral("</table><h3>%1</h3><table cellspacing=4>")
                .arg(QCoreApplication::translate("keys", "ツール（右クリックのメニュー）"));
    for (const Entry &e : m_entries) {
        const tools::ToolRow &r = *e.row;
        const QString option = r.hasOption()
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

void ToolHost::showKeyHelp()
{
    if (!m_keyHelp) {
        m_keyHelp = new QDialog(&m_window);
        m_keyHelp->setObjectName(QStringLiteral("keyHelp"));
        auto *layout = new QVBoxLayout(m_keyHelp);
        auto *text = new QTextBrowser(m_keyHelp);
        text->setObjectName(QStringLiteral("keyHelpText"));
        layout->addWidget(text);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_keyHelp);
        buttons->setObjectName(QStringLiteral("keyHelpButtons"));
        connect(buttons, &QDialogButtonBox::rejected, m_keyHelp, &QDialog::reject);
        layout->addWidget(buttons);
        m_keyHelp->resize(560, 520);
    }
    m_keyHelp->setWindowTitle(QCoreApplication::translate("keys", "キーの一覧"));
    m_keyHelp->findChild<QDialogButtonBox *>(QStringLiteral("keyHelpButtons"))
        ->button(QDialogButtonBox::Close)
        ->setText(QCoreApplication::translate("keys", "閉じる"));
    auto *text = m_keyHelp->findChild<QTextBrowser *>(QStringLiteral("keyHelpText"));
    text->setHtml(keyHelpText());
    text->setAccessibleName(m_keyHelp->windowTitle());
    // Esc closes it: a dialog rejects on Esc.
    m_keyHelp->show();
    m_keyHelp->raise();
    m_keyHelp->activateWindow();
    announce(m_keyHelp->windowTitle());
}

void ToolHost::saveInto(lessonformat::Lesson &lesson) const
{
    for (const Entry &e : m_entries) {
        if (e.row->checkable() && e.row->hasOption() && e.action->isChecked())
            lesson.tools << QLatin1String(e.row->option);
    }
    for (const auto &t : m_tools)
        t->keepIn(lesson);
}

void ToolHost::loadFrom(const lessonformat::Lesson &lesson)
{
    for (const Entry &e : m_entries) {
        if (e.row->checkable())
            e.action->setChecked(false);
    }
    for (const Entry &e : m_entries) {
        if (e.row->checkable() && lesson.tools.contains(QLatin1String(e.row->option)))
            e.action->setChecked(true);
    }
    for (const auto &t : m_tools)
        t->takeFrom(lesson);
}

bool ToolHost::write(QStringView id, const QString &path, QString *error)
{
    const Entry *e = entry(id);
    return e && e->tool->write(*e->row, path, error);
}

bool ToolHost::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::ContextMenu) {
        // A right button that has just picked up a piece drags it; a right press a tool took
        // was the tool's; anywhere else it opens the menu.
        if (m_lesson.state().held != 0)
            return true;
        for (const auto &t : m_tools) {
            if (t->tookRightClick())
                return true;
        }
        m_menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    noticeInput(watched, event);
    return false;
}

void ToolHost::noticeInput(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick
        && type != QEvent::FocusIn)
        return;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != &m_window)
        return;
    if (type == QEvent::FocusIn) {
        // Other reasons (a closed menu, the window activated again, the program's own moves)
        // leave the marks as the last input left them.
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
            setKeyboardInUse(true);
            break;
        case Qt::MouseFocusReason:
            setKeyboardInUse(false);
            break;
        default:
            break;
        }
        return;
    }
    emit mousePressed(static_cast<QWidget *>(watched));
    setKeyboardInUse(false);
}
