#pragma once

#include "formprobe.h"
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

/// A drag on the blackboard with the left button, as a hand makes it: through the middle.
inline void dragOnBoard(FormProbe &p, QPointF from, QPointF to)
{
    PicturePanel *board = p.kokuban();
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
