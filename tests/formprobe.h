#pragma once

#include "app/form1.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

/// Reaches the window's private fields, controls and procedures for the tests of the lesson.
/// Every member passes straight through: a test states what it expects, never how.
class FormProbe
{
public:
    explicit FormProbe(Form1 &form)
        : f(form)
    { }

    Form1 &form() { return f; }

    // Fields.
    double &Ax() { return f.Ax; }
    double &Ay() { return f.Ay; }
    double &Bx() { return f.Bx; }
    double &By() { return f.By; }
    double &Cx() { return f.Cx; }
    double &Cy() { return f.Cy; }
    double &Dx() { return f.Dx; }
    std::int16_t &Dy() { return f.Dy; }
    double &Px() { return f.Px; }
    double &Py() { return f.Py; }
    double &maex() { return f.maex; }
    std::int16_t &maey() { return f.maey; }
    double &tsukami() { return f.tsukami; }
    std::array<double, 5> &retsu() { return f.retsu; }
    double &moto() { return f.moto; }
    std::int16_t &kata() { return f.kata; }
    double &hyoy() { return f.hyoy; }
    double &gurafuy() { return f.gurafuy; }
    std::array<float, 22> &zoubun() { return f.zoubun; }
    std::int16_t &teishi() { return f.teishi; }
    bool &playing() { return f.playing; }
    bool &closing() { return f.closing; }

    // Controls.
    QLabel *Label6() { return f.Label6; }
    QPushButton *Command1() { return f.Command1; }
    QCheckBox *Check1() { return f.Check1; }
    QPushButton *end() { return f.end; }
    PicturePanel *kokuban() { return f.kokuban; }
    QPushButton *jidou() { return f.jidou; }
    QPushButton *tomeru() { return f.tomeru; }
    QLabel *Label3() { return f.Label3; }
    QComboBox *Combo1() { return f.Combo1; }
    QPushButton *susumu() { return f.susumu; }
    QPushButton *modoru() { return f.modoru; }
    QPushButton *Command2() { return f.Command2; }
    QCheckBox *Check3() { return f.Check3; }
    QCheckBox *Check2() { return f.Check2; }
    PicturePanel *hyo() { return f.hyo; }
    PicturePanel *gamen() { return f.gamen; }
    QLabel *Label8() { return f.Label8; }
    PanelLabel *Label1() { return f.Label1; }
    QLineEdit *Text1() { return f.Text1; }
    PanelLabel *Label2() { return f.Label2; }
    QCheckBox *Check4() { return f.Check4; }
    PanelLine *Line1() { return f.Line1; }
    PanelShape *Shape1() { return f.Shape1; }
    PanelLine *Line3() { return f.Line3; }
    PanelLine *Line2() { return f.Line2; }
    PanelLabel *Label5() { return f.Label5; }
    PanelLabel *Label7() { return f.Label7; }
    PanelLine *Line4(int i) { return f.Line4.at(i); }
    PanelLabel *Label4(int i) { return f.Label4.at(i); }
    PanelLine *Line5(int i) { return f.Line5.at(i); }
    PanelLine *Line6(int i) { return f.Line6.at(i); }
    PanelLine *Line7(int i) { return f.Line7.at(i); }
    PanelLine *Line8(int i) { return f.Line8.at(i); }
    PanelLine *Line9(int i) { return f.Line9.at(i); }

    // Handlers and procedures.
    void shoki() { f.shoki(); }
    void hougan() { f.hougan(); }
    void Form_Load() { f.Form_Load(); }
    void Check2_Click() { f.Check2_Click(); }
    void Check3_Click() { f.Check3_Click(); }
    void end_Click() { f.end_Click(); }
    void Command1_Click() { f.Command1_Click(); }
    void Check1_Click() { f.Check1_Click(); }
    void susumu_Click() { f.susumu_Click(); }
    void modoru_Click() { f.modoru_Click(); }
    void Command2_Click() { f.Command2_Click(); }
    void Check4_Click() { f.Check4_Click(); }
    void jidou_Click() { f.jidou_Click(); }
    void tomeru_Click() { f.tomeru_Click(); }
    void nuri(std::int16_t v) { f.nuri(v); }
    void nuri1(std::int16_t v) { f.nuri1(v); }
    void nuri2(std::int16_t v) { f.nuri2(v); }
    void nuri3(std::int16_t v) { f.nuri3(v); }
    void nuri4(std::int16_t v) { f.nuri4(v); }
    void hyokaki(std::int16_t v) { f.hyokaki(v); }
    void jiku(std::int16_t v) { f.jiku(v); }
    void gurafu(std::int16_t v) { f.gurafu(v); }
    void koma1(std::int16_t x, std::int16_t y) { f.koma1(x, y); }
    void koma2(std::int16_t x, std::int16_t y) { f.koma2(x, y); }
    void koma3(std::int16_t x, std::int16_t y) { f.koma3(x, y); }
    void koma4(std::int16_t x, std::int16_t y) { f.koma4(x, y); }
    void matsu(std::int32_t ms) { f.matsu(ms); }
    void mouseDown(float x, float y) { f.kokuban_MouseDown(1, 0, x, y); }
    void mouseMove(float x, float y) { f.kokuban_MouseMove(1, 0, x, y); }
    void mouseUp(float x, float y) { f.kokuban_MouseUp(1, 0, x, y); }

private:
    Form1 &f;
};
