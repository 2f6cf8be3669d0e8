#pragma once

#include "formprobe.h"
#include "lesson.h"
#include "testsupport.h"
#include "tooltest.h"

#include "toolkit/panelcontrols.h"

#include <QVariant>
#include <cmath>
#include <utility>

// The one comparison of two lessons: everything a learner can see or the procedures read, taken
// at a moment, so that two windows side by side, or one window before and after, can be
// compared and a failure names the field, control or device pixel that differs.

struct LessonState
{
    QList<std::pair<QString, QVariant>> fields;
    QList<std::pair<QString, QImage>> pictures;

    QVariant value(const QString &name) const
    {
        for (const auto &[n, v] : fields) {
            if (n == name)
                return v;
        }
        return {};
    }
    void set(const QString &name, const QVariant &v)
    {
        for (auto &[n, old] : fields) {
            if (n == name)
                old = v;
        }
    }
};

struct StateScope
{
    /// Strips past x are what earlier figures left: a window used before may differ there, and
    /// in the piece last taken (kata, moto).
    bool usedBefore = false;
    /// The panels as the screen shows them, the controls standing on them included.
    bool shownPanels = false;
};

inline LessonState lessonState(FormProbe &p, StateScope scope = {})
{
    LessonState s;
    const auto field = [&](const QString &name, const QVariant &v) {
        s.fields.append({ name, v });
    };
#define KANSU_FIELD(expr) field(QStringLiteral(#expr), QVariant::fromValue(p.expr))
#define KANSU_CONTROL(type, name, property)                                                        \
    field(QStringLiteral(#name "()->" #property "()"),                                             \
          QVariant::fromValue(p.control<type>(#name)->property()))
    KANSU_FIELD(Ax());
    KANSU_FIELD(Ay());
    KANSU_FIELD(Bx());
    KANSU_FIELD(By());
    KANSU_FIELD(Cx());
    KANSU_FIELD(Cy());
    KANSU_FIELD(Dx());
    KANSU_FIELD(Dy());
    KANSU_FIELD(Px());
    KANSU_FIELD(Py());
    KANSU_FIELD(maex());
    KANSU_FIELD(maey());
    KANSU_FIELD(tsukami());
    field(QStringLiteral("retsu()"), lesson::textOf(p.retsu()));
    KANSU_FIELD(hyoy());
    KANSU_FIELD(gurafuy());
    KANSU_FIELD(teishi());
    KANSU_FIELD(playing());
    const int strips = scope.usedBefore ? int(std::lround(2 * (300 - p.Px()) / 20)) : 21;
    for (int i = 0; i <= strips; ++i)
        field(QStringLiteral("zoubun()[%1]").arg(i), p.zoubun()[i]);
    if (!scope.usedBefore) {
        KANSU_FIELD(kata());
        KANSU_FIELD(moto());
    }
    KANSU_CONTROL(QLineEdit, Text1, text);
    KANSU_CONTROL(QLineEdit, Text1, accessibleDescription);
    KANSU_CONTROL(QComboBox, Combo1, currentText);
    KANSU_CONTROL(QCheckBox, Check1, isChecked);
    KANSU_CONTROL(QCheckBox, Check2, isChecked);
    KANSU_CONTROL(QCheckBox, Check3, isChecked);
    KANSU_CONTROL(QCheckBox, Check4, isChecked);
    KANSU_CONTROL(QPushButton, susumu, isEnabled);
    KANSU_CONTROL(QPushButton, modoru, isEnabled);
    KANSU_CONTROL(QPushButton, Command1, isEnabled);
    KANSU_CONTROL(QPushButton, Command2, isEnabled);
    KANSU_CONTROL(QPushButton, jidou, isEnabled);
    KANSU_CONTROL(QPushButton, tomeru, isEnabled);
    field(QStringLiteral("kokuban()->foreColor()"),
          p.control<PicturePanel>("kokuban")->foreColor().name());
    KANSU_FIELD(form().size());
    KANSU_FIELD(form().outerSizeTwips());
#undef KANSU_FIELD
#undef KANSU_CONTROL
    // The controls standing on each panel; the board's focus frames and the note of a key's
    // refusal tell which window has the keyboard, not the lesson.
    const auto isFocusFrame = [&](const PanelItem *item) {
        const KeyboardTool &keys = toolOf<KeyboardTool>(p.form());
        if (item == keys.note())
            return true;
        for (int i = 0; i < 4; ++i) {
            if (item == keys.boardFrame()[i] || item == keys.columnFrame()[i])
                return true;
        }
        return false;
    };
    for (PicturePanel *panel : { p.control<PicturePanel>("kokuban"), p.control<PicturePanel>("hyo"),
                                 p.control<PicturePanel>("gamen") }) {
        const QString name = panel->objectName();
        field(name + QStringLiteral(" control count"), qulonglong(panel->itemCount()));
        for (size_t i = 0; i < panel->itemCount(); ++i) {
            const PanelItem *item = panel->item(i);
            if (isFocusFrame(item))
                continue;
            const QString control = name + QStringLiteral(" control %1 ").arg(i);
            field(control + QStringLiteral("visible"), item->isVisible());
            field(control + QStringLiteral("bounds"), item->bounds());
            if (const auto *line = dynamic_cast<const PanelLine *>(item))
                field(control + QStringLiteral("ends"),
                      QLineF(line->x1(), line->y1(), line->x2(), line->y2()));
            if (const auto *label = dynamic_cast<const PanelLabel *>(item))
                field(control + QStringLiteral("caption"), label->caption());
        }
        s.pictures.append({ name + QStringLiteral(" picture"), panel->picture() });
    }
    if (scope.shownPanels) {
        // The focus frame of a check box is the window's, not the lesson's.
        p.control<QCheckBox>("Check4")->clearFocus();
        s.pictures.append(
            { QStringLiteral("panels as shown"), toolOf<PictureTool>(p.form()).panelsPicture() });
    }
    return s;
}

/// The first field, control or pixel in which `actual` differs from `expected`; empty when
/// they are the same.
inline QString lessonDifference(const LessonState &actual, const LessonState &expected)
{
    const auto text = [](const QVariant &v) {
        QString out;
        QDebug(&out).nospace() << v;
        return out;
    };
    if (actual.fields.size() != expected.fields.size())
        return QStringLiteral("%1 fields, expected %2")
            .arg(actual.fields.size())
            .arg(expected.fields.size());
    for (qsizetype i = 0; i < actual.fields.size(); ++i) {
        const auto &[name, a] = actual.fields[i];
        const auto &[expectedName, e] = expected.fields[i];
        if (name != expectedName)
            return QStringLiteral("%1, expected %2").arg(name, expectedName);
        if (a != e)
            return QStringLiteral("%1 is %2, expected %3").arg(name, text(a), text(e));
    }
    for (qsizetype i = 0; i < actual.pictures.size() && i < expected.pictures.size(); ++i) {
        const QImage &a = actual.pictures[i].second, &e = expected.pictures[i].second;
        if (a == e)
            continue;
        const QString d = pictureDifference(a, e);
        if (!d.isEmpty())
            return actual.pictures[i].first + QStringLiteral(": ") + d;
    }
    return QString();
}

inline QString lessonDifference(FormProbe &actual, FormProbe &expected, StateScope scope = {})
{
    return lessonDifference(lessonState(actual, scope), lessonState(expected, scope));
}

inline LessonState lessonState(Form1 &form, StateScope scope = {})
{
    FormProbe p(form);
    return lessonState(p, scope);
}

inline QString lessonDifference(Form1 &actual, Form1 &expected, StateScope scope = {})
{
    return lessonDifference(lessonState(actual, scope), lessonState(expected, scope));
}

/// Two lessons the same, or the test fails naming the first difference.
#define KANSU_COMPARE_LESSONS(actual, expected, ...)                                               \
    do {                                                                                           \
        const QString difference = lessonDifference((actual), (expected), ##__VA_ARGS__);          \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                    \
    } while (false)
