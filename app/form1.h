#pragma once

#include "core/tooltable.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class PicturePanel;
class PanelLabel;
class PanelLine;
class PanelShape;
class PredictionTool;
class QAction;
class QCheckBox;
class QDialog;
class QFrame;
class QKeyEvent;
class QMenu;
struct StartOptions;
class QComboBox;
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;
namespace lessonformat {
struct Lesson;
}

/// The lesson's one window. Its event handlers and private procedures share its fields; each
/// subsystem defines its members in its own folder (app/, figure/, play/, views/, drag/).
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    /// The window's outer size (frame included) in twips, as last set.
    QSize outerSizeTwips() const { return m_outerTwips; }

    /// Shows the window and does what the command line asked for: tools on, a lesson file, and
    /// the files written without a window. Returns -1 to go on, or the program's exit status
    /// (0 when the files were written, 2 after a message on standard error).
    int applyStartOptions(const StartOptions &options);

    /// Opens a lesson file as the lesson on screen. A file that cannot be used changes nothing:
    /// the result is false and `error` names the file and what is wrong.
    bool openLesson(const QString &path, QString *error = nullptr);
    /// Saves the lesson on screen; false with the reason when the file cannot be written.
    bool saveLesson(const QString &path, QString *error = nullptr);
    /// The panels shown (the blackboard, and the graph and the table when they are shown) as
    /// they stand, at the screen's pixel ratio.
    QImage panelsPicture();
    /// Writes the worksheet of the lesson on screen as a PDF.
    bool saveWorksheet(const QString &path, QString *error = nullptr);
    /// Writes `panelsPicture()` as a PNG.
    bool savePicture(const QString &path, QString *error = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    // ---- Window and start-up (app/) ----
    void Form_Load();
    void Check2_Click();
    void Check3_Click();
    void end_Click();

    // ---- Figure on the blackboard (figure/) ----
    void Command1_Click();
    void Check1_Click();

    // ---- Stepping and automatic play (play/) ----
    void susumu_Click();
    void modoru_Click();
    void Command2_Click();
    void Check4_Click();
    void jidou_Click();
    void tomeru_Click();

    // ---- Dragging on the blackboard (drag/) ----
    void kokuban_MouseDown(int Button, int Shift, float X, float Y);
    void kokuban_MouseMove(int Button, int Shift, float X, float Y);
    void kokuban_MouseUp(int Button, int Shift, float X, float Y);

private:
    friend class FormProbe; // tests and benchmarks read the fields through it
    // Reads x and the figure; puts its boxes and marks on the table and graph panels as child
    // widgets, never into their pictures or the lesson's fields.
    friend class PredictionTool;

    // ---- Window and start-up (app/) ----
    void createControls();
    void connectHandlers();
    // Every caption, name and description in the lesson's language (app/retranslate.cpp).
    void retranslate();
    void setOuterSizeTwips(int width, int height);
    void applyOuterSize();
    // Presenter keys and keyboard order (app/keys.cpp).
    void setUpKeys();
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A key for a tool (tools/toolhooks.cpp): empty when no tool wants it, true when a tool took
    // it, false when the focused control must have it (a box the learner types into).
    std::optional<bool> toolKey(QWidget *target, const QKeyEvent &key);
    // Names and descriptions for assistive technology (app/accessibility.cpp).
    void setUpAccessibility();
    void stateXAndY();

    QSize m_outerTwips;
    QSize m_frameMargins; // outer size minus client size, as the platform last reported it

    // ---- Figure on the blackboard (figure/) ----
    void shoki();
    void hougan();

    // Figure state. "number" fields are doubles, "integer" fields 16-bit, "single" floats.
    double Ax = 0, Ay = 0, Bx = 0, By = 0, Cx = 0, Cy = 0, Dx = 0;
    std::int16_t Dy = 0;
    double Px = 0, Py = 0;
    double maex = 0;
    std::int16_t maey = 0;
    double tsukami = 0;
    std::array<double, 5> retsu {};
    double moto = 0;
    // The code of the column the last step ended in. No procedure reads it back: it is kept as
    // part of the lesson's state that tests and tools read.
    std::int16_t kata = 0;
    double hyoy = 0;
    double gurafuy = 0;
    std::array<float, 22> zoubun {};
    std::int16_t teishi = 0;

    // ---- Stepping and automatic play (play/) ----
    void matsu(std::int32_t ms);
    // Puts the dimension line from (Bx, y) to (Px, y): on BC to show it, at 800 to park it.
    void placeDimensionLine(double y);

    bool playing = false; // an automatic run is active
    bool closing = false; // the window is closing: no further step may run

    // ---- Shaded region, table and graph (views/) ----
    void nuri(std::int16_t left);
    void nuri1(std::int16_t p);
    void nuri2(std::int16_t p);
    void nuri3(std::int16_t p);
    void nuri4(std::int16_t p);
    void hyokaki(std::int16_t mode);
    void jiku(std::int16_t mode);
    void gurafu(std::int16_t mode);

    // Whether segment k of the graph (x from (k - 1) / 2 to k / 2; 0 is the dot at the origin)
    // stands in its picture: drawn while the graph was shown and not wiped since.
    std::array<bool, 21> graphed {};

    // ---- Dragging on the blackboard (drag/) ----
    void koma1(std::int16_t x, std::int16_t y);
    void koma2(std::int16_t x, std::int16_t y);
    void koma3(std::int16_t x, std::int16_t y);
    void koma4(std::int16_t x, std::int16_t y);
    // The four pieces back to their places in the palette.
    void sendPiecesHome();

    bool fromFigure = false; // the piece in hand was picked up from a column (`moto`)

    // ---- Tools beyond the lesson (tools/) ----
    // The menu, the key help, switching tools and what they say (tools/toolmenu.cpp).
    void setUpTools();
    void showToolsMenu(const QPoint &globalPos);
    bool toolOn(tools::Tool tool) const;
    void setToolOn(tools::Tool tool, bool on);
    void toolSwitched(tools::Tool tool, bool on);
    QString keyHelpText() const;
    void showKeyHelp();
    /// Says one sentence to assistive technology.
    void announce(const QString &sentence);

    // What a change of the lesson was, for the tools that follow it.
    enum class Change {
        Step, ///< P moved one step forward or back (a jump is several)
        Restart, ///< "最初に": P back at B, the figure kept
        Figure, ///< a piece dropped or taken off (P is back at B too)
        Initial, ///< the initial screen: the figure emptied, P at B
    };
    /// Called at the end of every step, return to the start, drop and initial screen.
    void toolsFollow(Change what);

    QMenu *toolsMenu = nullptr;
    QDialog *keyHelp = nullptr;
    std::array<QAction *, tools::toolCount> toolActions {};
    // What was last said to assistive technology. Nothing in the window reads it: it is kept
    // for the tests, which cannot always hear the platform's announcements.
    QString lastAnnouncement;

    // -- Moving P from the table and the graph; the formulas (tools/jump.cpp, formulasbox.cpp) --
    void setUpJump();
    std::optional<bool> jumpKey(QWidget *target, const QKeyEvent &key);
    /// Moves P to `halves` half centimetres from B by the lesson's own steps, drawn once.
    void jumpTo(int halves);
    void setFormulasShown(bool on);
    void formulasFollow(Change what);
    void placeFormulas();
    void retranslateFormulas(); // the box's own texts, in the language just chosen

    bool jumping = false; // a jump runs: the board is drawn and x and y said once, at its end
    bool graphDragging = false; // the left button went down in the graph's plot
    QFrame *formulasBox = nullptr;
    QList<QLabel *> formulaLines;

    // -- Predict, then reveal (tools/predict.cpp) --
    void setPredicting(bool on);
    void predictFollow(Change what);
    std::optional<bool> predictKey(QWidget *target, const QKeyEvent &key);
    PredictionTool *predictor = nullptr; // made when first switched on
    // The lesson has shown y at every whole x up to this one since the figure was built or the
    // initial screen, whether predicting or not: those y are no longer questions.
    int yShownTo = 0;

    // -- Lesson files, pictures, worksheets (tools/lessonfile.cpp, picture.cpp, worksheet.cpp) --
    void openLessonDialog();
    void saveLessonDialog();
    void copyPicture();
    void savePictureDialog();
    void printWorksheet();
    void saveWorksheetDialog();
    void setUpLessonFiles();
    lessonformat::Lesson lessonOnScreen() const;
    // Builds the lesson by its own procedures: the initial screen, drops, boxes, steps.
    void applyLesson(const lessonformat::Lesson &lesson);
    // A refused file or a file not written: a message in the window, said aloud too.
    void tellFileProblem(const QString &message);
    QMessageBox *fileMessage = nullptr;
    // The lesson file last opened or saved: what the save dialog proposes.
    QString lessonPath;

    // -- Building the figure from the keyboard (tools/keyboard.cpp) --
    void setUpBoardKeys();
    void buildByKeys();
    std::optional<bool> boardKey(QWidget *target, const QKeyEvent &key);
    void boardFocusChanged(bool focused);
    void showBoardSelection();
    void holdOverColumn();
    // A release made by a key, and the piece in hand put back where it came from (and said).
    void releaseByKeys(const QPointF &at);
    void putBackHeldPiece();
    // A refusal shown on the board too, until the next key or mouse press.
    void noteOnBoard(const QString &sentence);
    void hideBoardNote();

    int boardColumn = 0; // the column the keys select, 0 at B
    bool keysHolding = false; // the piece in hand was taken by a key
    std::array<PanelLine *, 4> boardFrame {}; // drawn round the board while it has the focus
    std::array<PanelLine *, 4> columnFrame {}; // round the selected column
    PanelLabel *boardNote = nullptr; // the last refusal of a key

    // -- Focus marks only while the keyboard is in use (tools/focusmarks.cpp) --
    // Sees every press and focus change of the window before its receiver does.
    void noticeInput(QObject *watched, QEvent *event);
    void setKeyboardInUse(bool inUse);
    void showFocusMarks();

    bool keyboardInUse = false; // set by Tab, F8 or a tool's key; cleared by any mouse press

    // -- Language (tools/language.cpp) --
    void switchLanguage();

    // ---- Controls ----
    QLabel *Label6 = nullptr;
    QPushButton *Command1 = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *end = nullptr;
    PicturePanel *kokuban = nullptr;
    QPushButton *jidou = nullptr;
    QPushButton *tomeru = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *susumu = nullptr;
    QPushButton *modoru = nullptr;
    QPushButton *Command2 = nullptr;
    QCheckBox *Check3 = nullptr;
    QCheckBox *Check2 = nullptr;
    PicturePanel *hyo = nullptr;
    PicturePanel *gamen = nullptr;
    QLabel *Label8 = nullptr;

    // On the blackboard.
    PanelLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    PanelLabel *Label2 = nullptr;
    std::array<PanelLine *, 2> Line4 {}; // only element 1 exists
    QCheckBox *Check4 = nullptr;
    PanelLine *Line1 = nullptr;
    std::array<PanelLabel *, 9> Label4 {}; // element 7 does not exist
    PanelShape *Shape1 = nullptr;
    std::array<PanelLine *, 8> Line5 {};
    std::array<PanelLine *, 4> Line6 {};
    std::array<PanelLine *, 4> Line7 {};
    std::array<PanelLine *, 3> Line8 {};
    std::array<PanelLine *, 4> Line9 {};

    // In the table panel.
    PanelLine *Line3 = nullptr;
    PanelLine *Line2 = nullptr;
    PanelLabel *Label5 = nullptr;
    PanelLabel *Label7 = nullptr;
};
