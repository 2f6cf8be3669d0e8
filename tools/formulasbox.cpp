// The formulas tool: y written out as a function of x for each stretch, in a box of its own
// to the right of the panels, the stretch that holds the current x highlighted.
#include "app/form1.h"

#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "toolkit/picturepanel.h"
#include "tools/formulapaint.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The box is laid out in twips, as the window is.
constexpr int boxWidth = 2700, boxTop = 240, boxHeight = 7695;

int px(int twips)
{
    return int(std::lround(twips / 15.0));
}

const QColor highlight(255, 210, 120);

// The box's texts share their context with the formulas themselves, where translators find it.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(formulas)
};

// A label that sets its lines as a textbook does (stacked fractions, italic x); its text is
// the plain form, which assistive technology reads.
class FormulaLabel : public QLabel
{
public:
    using QLabel::QLabel;

    void setLines(const std::vector<formulas::Written> &lines, const QString &indent = {})
    {
        m_lines = lines;
        m_indent = indent;
        QStringList plain;
        for (const formulas::Written &line : lines)
            plain << formulas::plain(line);
        setText(plain.join(QLatin1Char('\n')));
        updateGeometry();
        update();
    }

    QSize sizeHint() const override
    {
        const formulas::Setter setter(font(), this);
        qreal width = 0;
        for (size_t i = 0; i < m_lines.size(); ++i)
            width = std::max(width, indentOf(i) + setter.width(m_lines[i]));
        const int frame = 2 * (margin() + frameWidth());
        return QSize(int(std::ceil(width)) + frame,
                     int(std::ceil(m_lines.size() * lineHeight(setter))) + frame);
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(palette().color(QPalette::WindowText));
        const formulas::Setter setter(font(), this);
        const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        qreal top = r.top();
        for (size_t i = 0; i < m_lines.size(); ++i) {
            setter.draw(painter, QPointF(r.left() + indentOf(i), top + setter.ascent()),
                        m_lines[i]);
            top += lineHeight(setter);
        }
    }

private:
    qreal lineHeight(const formulas::Setter &setter) const
    {
        return setter.ascent() + setter.descent();
    }
    // Lines after the first stand in by `m_indent`.
    qreal indentOf(size_t line) const
    {
        return line == 0 || m_indent.isEmpty() ? 0
                                               : QFontMetricsF(font()).horizontalAdvance(m_indent);
    }

    std::vector<formulas::Written> m_lines;
    QString m_indent;
};

} // namespace

void Form1::setFormulasShown(bool on)
{
    if (!formulasBox) {
        if (!on)
            return;
        formulasBox = new QFrame(this);
        formulasBox->setObjectName(QStringLiteral("formulasBox"));
        formulasBox->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        formulasBox->setLineWidth(2);
        QPalette palette = formulasBox->palette();
        palette.setColor(QPalette::Window, geometry::colour::paper);
        palette.setColor(QPalette::WindowText, Qt::black);
        formulasBox->setPalette(palette);
        formulasBox->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(formulasBox);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->setSpacing(6);
        auto *title = new FormulaLabel(formulasBox);
        title->setObjectName(QStringLiteral("formulasTitle"));
        title->setFont(fonts::gothic(12, true));
        layout->addWidget(title);
        for (int i = 0; i < 5; ++i) {
            auto *label = new FormulaLabel(formulasBox);
            label->setObjectName(QStringLiteral("formula%1").arg(i));
            label->setFont(fonts::gothic(12));
            label->setAutoFillBackground(true);
            label->setMargin(3);
            layout->addWidget(label);
            formulaLines << label;
        }
        layout->addStretch();
        // Showing or hiding the graph moves the box beside what is shown.
        connect(Check2, &QCheckBox::toggled, this, [this] {
            if (formulasBox->isVisible())
                placeFormulas();
        });
        retranslateFormulas();
    }
    formulasBox->setVisible(on);
    if (on) {
        formulasFollow(Change::Figure);
    } else {
        // The lesson's own width back, and the graph where the window clips it.
        Check2_Click();
        gamen->setVisible(true);
    }
}

void Form1::placeFormulas()
{
    // The lesson sets its width first; the box goes to the right of the board or the graph.
    Check2_Click();
    const int lessonWidth = m_outerTwips.width();
    // Wide enough for the longest formula, which is never broken, and for the title in any
    // language.
    int width = boxWidth;
    for (const QLabel *label : formulasBox->findChildren<QLabel *>()) {
        if (!label->isHidden())
            width = std::max(width,
                             15 * (label->sizeHint().width() + 2 * formulasBox->frameWidth() + 16));
    }
    formulasBox->setGeometry(px(lessonWidth - 100), px(boxTop), px(width), px(boxHeight));
    setOuterSizeTwips(lessonWidth + width + 225, m_outerTwips.height());
    // The wider window must not uncover the graph that the learner has hidden.
    gamen->setVisible(Check2->isChecked());
}

void Form1::formulasFollow(Change what)
{
    if (!formulasBox || !formulasBox->isVisible() || jumping)
        return;
    const std::vector<formulas::Stretch> stretches = formulas::stretches(retsu);
    // x is a multiple of a half centimetre: exact as a fraction of halves.
    const formulas::Rational x(std::lround(2 * numtext::read(Text1->text())), 2);
    QStringList said;
    for (qsizetype i = 0; i < formulaLines.size(); ++i) {
        QLabel *label = formulaLines[i];
        const bool used = size_t(i) < stretches.size();
        label->setVisible(used);
        if (!used)
            continue;
        const formulas::Stretch &s = stretches[size_t(i)];
        const bool current = formulas::holds(s, x);
        static_cast<FormulaLabel *>(label)->setLines(
            { formulas::condition(s), formulas::equation(s) }, QStringLiteral("　"));
        label->setAccessibleName(formulas::line(s));
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, current ? highlight : geometry::colour::paper);
        palette.setColor(QPalette::WindowText, current ? QColor(0, 0, 255) : QColor(Qt::black));
        label->setPalette(palette);
        label->setAccessibleDescription(current ? Text::tr("いまの x はこの区間") : QString());
        said << formulas::line(s);
    }
    //: between two formulas said one after the other
    formulasBox->setAccessibleDescription(said.join(Text::tr("。")));
    // A new figure has new formulas: make room for them and say them. A step only moves the
    // highlight.
    if (what == Change::Figure || what == Change::Initial) {
        placeFormulas();
        announce(formulasBox->accessibleDescription());
    }
}

void Form1::retranslateFormulas()
{
    if (!formulasBox)
        return;
    formulasBox->setAccessibleName(Text::tr("式"));
    static_cast<FormulaLabel *>(formulasBox->findChild<QLabel *>(QStringLiteral("formulasTitle")))
        ->setLines({ formulas::written(Text::tr("y を x の式で表すと")) });
    // The formulas again, and room for them as long as they are now; said only when asked.
    if (formulasBox->isVisible()) {
        formulasFollow(Change::Step);
        placeFormulas();
    }
}
