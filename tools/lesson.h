#pragma once

#include "core/figurecolumns.h"
#include "core/steps.h"

#include <QString>
#include <array>

class PicturePanel;

/// The lesson as the tools see it: what it shows, and what they may ask of it. Every operation
/// goes through the lesson's own handlers and procedures, as the buttons and the mouse do, so a
/// tool cannot reach a state the learner could not.
class Lesson
{
public:
    /// What a change of the lesson was, for the tools that follow it.
    enum class Change {
        Step, ///< P moved one step forward or back (a jump is several, then one more at its end)
        Restart, ///< "最初に": P back at B, the figure kept
        Figure, ///< a piece dropped or taken off (P is back at B too)
        Initial, ///< the initial screen: the figure emptied, P at B
        View, ///< a view box ticked or unticked
    };
    enum class View { Grid, Table, Graph, DimensionLine };
    enum class Button { Forward, Back, Restart, Initial };
    enum class Panel { Board, Table, Graph };
    /// Where a released piece goes; the kinds of the mouse's release.
    using Release = figurecolumns::Release;

    struct State
    {
        int halves = 0; ///< P's place: half centimetres from B, 0 to 20
        steps::Columns columns {}; ///< piece codes, column 0 at B
        bool playing = false; ///< an automatic run is active
        bool jumping = false; ///< a jump runs its steps: it is drawn and said once, at its end
        double held = 0; ///< the code of the piece in hand, 0 for none
        int heldFrom = -1; ///< the column it was picked up from, -1 from the palette
        std::array<bool, 4> shown {}; ///< by View
        QString speed; ///< the speed box's text
        /// Graph segment k (x from (k - 1) / 2 to k / 2; 0 is the dot at the origin) stands.
        std::array<bool, 21> graphed {};
        /// The table shows y at whole x.
        std::array<bool, 11> tabled {};

        double x() const { return halves / 2.0; }
        bool isShown(View view) const { return shown[size_t(view)]; }
    };

    virtual State state() const = 0;

    /// A press on one of the lesson's buttons.
    virtual void press(Button button) = 0;
    /// P to `halves` by the lesson's own steps, drawn and said once; nothing while playing.
    virtual void jumpTo(int halves) = 0;
    /// Ticks or unticks a view box (its click runs as by hand).
    virtual void setShown(View view, bool on) = 0;
    virtual void setSpeed(const QString &text) = 0;

    /// Takes piece `code` (1 to 4) from the palette, as a press on it does.
    virtual void pickUp(int code) = 0;
    /// Takes the piece standing in `column`, as a press on it does.
    virtual void pickUpAt(int column) = 0;
    /// Holds the piece in hand where a release would drop it into `column`.
    virtual void holdOver(int column) = 0;
    /// Lets the piece in hand go: dropped into `column`, taken off the figure, or back home.
    virtual void release(Release how, int column) = 0;

    /// A panel, for marks that stand above its picture (never drawn into it).
    virtual PicturePanel *panel(Panel which) const = 0;
    /// Widens the window by `twips` beside the lesson (0: the lesson's own width again);
    /// returns the lesson's own width in twips.
    virtual int makeRoom(int twips) = 0;

protected:
    ~Lesson() = default;
};
