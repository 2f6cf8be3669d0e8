#pragma once

#include "formprobe.h"
#include "lesson.h"
#include "testsupport.h"
#include "tooltest.h"

#include "toolkit/panelcontrols.h"

#include <QScopeGuard>
#include <QTimer>
#include <functional>
#include <memory>

/// Where a point of a panel's picture lies in the panel widget.
inline QPoint onPanel(PicturePanel *panel, QPointF picture)
{
    return (picture + panel->pictureOffset()).toPoint();
}

/// A control of a lesson window by its object name ("susumu", "Check3", "Text1").
template<class T = QWidget> T *controlOf(const QWidget &window, const char *objectName)
{
    T *c = window.findChild<T *>(QLatin1String(objectName));
    if (!c)
        qFatal("no %s named %s", T::staticMetaObject.className(), objectName);
    return c;
}

/// A drag on the blackboard with the left button, as a hand makes it: through the middle.
inline void dragOnBoard(Lesson &lesson, QPointF from, QPointF to)
{
    PicturePanel *board = lesson.panel(Lesson::Panel::Board);
    QTest::mousePress(board, Qt::LeftButton, {}, onPanel(board, from));
    QTest::mouseMove(board, onPanel(board, (from + to) / 2));
    QTest::mouseMove(board, onPanel(board, to));
    QTest::mouseRelease(board, Qt::LeftButton, {}, onPanel(board, to));
}

/// The box round a piece's outline lines.
inline QRectF outline(std::initializer_list<PanelLine *> lines)
{
    QRectF box;
    for (const PanelLine *l : lines)
        box |= QRectF(QPointF(l->x1(), l->y1()), QPointF(l->x2(), l->y2())).normalized();
    return box;
}

/// The box round the outline of piece `code` (1 to 3 the bars, 4 the triangle) as it stands on
/// the board, wherever it is: in the palette, in the hand or in the figure.
inline QRectF pieceOutline(Form1 &form, int code)
{
    FormProbe p(form);
    const int line = code == 1 ? 6 : code == 2 ? 7 : code == 3 ? 9 : 8;
    if (line == 8)
        return outline({ p.line(8, 0), p.line(8, 1), p.line(8, 2) });
    return outline({ p.line(line, 0), p.line(line, 1), p.line(line, 2), p.line(line, 3) });
}

/// Builds a figure by the lesson's own operations: each piece taken from the palette and
/// dropped into its column, a triangle by its middle column.
inline void buildFigure(Lesson &l, const lesson::Codes &codes)
{
    for (int k = 0; k < 5; ++k) {
        if (codes[k] < 1 || codes[k] > 4)
            continue;
        l.pickUp(int(codes[k]));
        l.release(Lesson::Release::Drop, codes[k] == 4 ? k + 1 : k);
    }
}

/// A window of its own beside the fixture's, shown, for the tests that compare two lessons.
struct SideWindow
{
    std::unique_ptr<Form1> form = std::make_unique<Form1>();
    FormProbe probe { *form };
    bool exposed = false; ///< check it: QVERIFY(side.exposed)

    SideWindow()
    {
        form->show();
        exposed = QTest::qWaitForWindowExposed(form.get());
    }

    template<class T = QWidget> T *control(const char *objectName) const
    {
        return controlOf<T>(*form, objectName);
    }
};

/// The fixture of every test that needs the window: a fresh Form1 before each test function,
/// gone after it. A test class derives from it; Qt Test finds init() and cleanup() here, and a
/// class that needs more set-up overrides setUp() / tearDown().
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    enum class Shown {
        No, ///< never shown: procedures and pictures only
        Exposed, ///< on screen, for mouse events
        Active, ///< on screen with the keyboard focus, for keys
    };
    explicit WindowTest(Shown shown = Shown::No)
        : m_shown(shown)
    { }

    virtual void setUp() { }
    virtual void tearDown() { }

    /// Runs `action` at the first chance the event loop gets: during the first pause of an
    /// automatic run started right after. Whatever the action's checks find, the run stops
    /// once it returns when `thenStop` is set, and in any case when a check failed: a failure
    /// must end the test, never turn into a run that waits out weeks of pauses.
    void duringPause(std::function<void()> action, bool thenStop = false)
    {
        QTimer::singleShot(0, form.get(), [this, action = std::move(action), thenStop] {
            const auto stop = qScopeGuard([&] {
                if (probe->playing() && (thenStop || QTest::currentTestFailed()))
                    probe->teishi() = 1;
            });
            action();
        });
    }

    /// The tools of the window under test.
    ToolHost *tools() const { return ToolHost::of(form.get()); }
    /// The lesson as the tools see it.
    Lesson &lesson() const { return *form; }
    /// A control of the window under test by its object name.
    template<class T = QWidget> T *control(const char *objectName) const
    {
        return controlOf<T>(*form, objectName);
    }

    std::unique_ptr<Form1> form;
    std::unique_ptr<FormProbe> probe;

private slots:
    void init()
    {
        form = std::make_unique<Form1>();
        probe = std::make_unique<FormProbe>(*form);
        if (m_shown != Shown::No) {
            form->show();
            form->activateWindow();
            if (m_shown == Shown::Active)
                QVERIFY(QTest::qWaitForWindowActive(form.get()));
            else
                QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        }
        setUp();
    }

    void cleanup()
    {
        tearDown();
        probe.reset();
        form.reset();
    }

private:
    Shown m_shown;
};
