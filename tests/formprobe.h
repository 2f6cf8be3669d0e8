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

/// Reaches the window's private fields, controls and procedures for the tests of the lesson
/// itself; the tools' tests see the window only as a `Lesson`. Every member passes straight
/// through: a test states what it expects, never how.
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

    // Controls: the window's widgets by their object names ("susumu", "Check3", "kokuban").
    template<class T = QWidget> T *control(const char *objectName) const
    {
        T *c = f.findChild<T *>(QLatin1String(objectName));
        if (!c)
            qFatal("Form1 has no %s named %s", T::staticMetaObject.className(), objectName);
        return c;
    }
    // The lines and labels standing on the panels, by their number: line(4, 1) is Line4(1).
    PanelLine *line(int n, int i = 0) const
    {
        switch (n) {
        case 1:
            return f.Line1;
        case 2:
            return f.Line2;
        case 3:
            return f.Line3;
        case 4:
            return f.Line4.at(i);
        case 5:
            return f.Line5.at(i);
        case 6:
            return f.Line6.at(i);
        case 7:
            return f.Line7.at(i);
        case 8:
            return f.Line8.at(i);
        case 9:
            return f.Line9.at(i);
        }
        qFatal("Form1 has no Line%d", n);
    }
    PanelLabel *label(int n, int i = 0) const
    {
        switch (n) {
        case 1:
            return f.Label1;
        case 2:
            return f.Label2;
        case 4:
            return f.Label4.at(i);
        case 5:
            return f.Label5;
        case 7:
            return f.Label7;
        }
        qFatal("Form1 has no panel label Label%d", n); // Label3, 6 and 8 are widgets: control()
    }
    PanelShape *Shape1() const { return f.Shape1; }

    // Handlers: the slots by name ("susumu_Click"), run at once as a signal would run them.
    void invoke(const char *slot)
    {
        if (!QMetaObject::invokeMethod(&f, slot, Qt::DirectConnection))
            qFatal("Form1 has no slot %s()", slot);
    }
    void mouseDown(float x, float y) { f.kokuban_MouseDown(1, 0, x, y); }
    void mouseMove(float x, float y) { f.kokuban_MouseMove(1, 0, x, y); }
    void mouseUp(float x, float y) { f.kokuban_MouseUp(1, 0, x, y); }

    // Procedures.
    void shoki() { f.shoki(); }
    void hougan() { f.hougan(); }
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

private:
    Form1 &f;
};
