#pragma once

#include "tools/lesson.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class PicturePanel;
class PanelLabel;
class PanelLine;
class PanelShape;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ToolHost;

/// The lesson's one window. Its event handlers and private procedures share its fields; each
/// subsystem defines its members in its own folder (app/, figure/, play/, views/, drag/). The
/// tools see it only as a `Lesson` (app/lesson.cpp).
class Form1 : public QWidget, public Lesson
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    /// The window's outer size (frame included) in twips, as last set.
    QSize outerSizeTwips() const { return m_outerTwips; }

    // ---- The lesson as the tools see it (app/lesson.cpp) ----
    State state() const override;
    void press(Button button) override;
    void jumpTo(int halves) override;
    void setShown(View view, bool on) override;
    void setSpeed(const QString &text) override;
    void pickUp(int code) override;
    void pickUpAt(int column) override;
    void holdOver(int column) override;
    void release(Release how, int column) override;
    PicturePanel *panel(Panel which) const override;
    int makeRoom(int twips) override;

protected:
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

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
    friend class FormProbe; // the tests of the lesson itself read its fields through it

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

    // ---- Tools beyond the lesson ----
    ToolHost *tools = nullptr; // hears every change; made after the controls, gone before them
    bool jumping = false; // a jump runs: the board is drawn and x and y said once, at its end
    // Whether the table shows y at whole x (0 to 10), as `graphed` does for the graph.
    std::array<bool, 11> tabled {};

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
