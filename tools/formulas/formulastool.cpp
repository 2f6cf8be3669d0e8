// The formulas tool: y written out as a function of x for each stretch, in a box of its own
// to the right of the panels, the stretch that holds the current x highlighted.
#include "tools/formulas/formulastool.h"

#include "core/numtext.h"
#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "toolkit/picturepanel.h"
#include "tools/formulapaint.h"
#include "tools/host/toolhost.h"

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

FormulasTool::FormulasTool(ToolHost &host)
    : Tool(host)
{ }

void FormulasTool::act(const tools::ToolRow &, bool on)
{
    setShown(on);
}

bool FormulasTool::isShown() const
{
    return m_box && m_box->isVisible();
}

void FormulasTool::setShown(bool on)
{
    if (!m_box) {
        if (!on)
            return;
        m_box = new QFrame(&host.window());
        m_box->setObjectName(QStringLiteral("formulasBox"));
        m_box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_box->setLineWidth(2);
        QPalette palette = m_box->palette();
        palette.setColor(QPalette::Window, geometry::colour::paper);
        palette.setColor(QPalette::WindowText, Qt::black);
        m_box->setPalette(palette);
        m_box->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(m_box);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->setSpacing(6);
        auto *title = new FormulaLabel(m_box);
        title->setObjectName(QStringLiteral("formulasTitle"));
        title->setFont(fonts::gothic(12, true));
        layout->addWidget(title);
        for (int i = 0; i < 5; ++i) {
            auto *label = new FormulaLabel(m_box);
            label->setObjectName(QStringLiteral("formula%1").arg(i));
            label->setFont(fonts::gothic(12));
            label->setAutoFillBackground(true);
            label->setMargin(3);
            layout->addWidget(label);
            m_lines << label;
        }
        layout->addStretch();
        retranslate();
    }
    m_box->setVisible(on);
    if (on)
        follow(Lesson::Change::Figure);
    else
        host.lesson().makeRoom(0); // the lesson's own width back
}

void FormulasTool::place()
{
    // Wide enough for the longest formula, which is never broken, and for the title in any
    // language.
    int width = boxWidth;
    for (const QLabel *label : m_box->findChildren<QLabel *>()) {
        if (!label->isHidden())
            width
                = std::max(width, 15 * (label->sizeHint().width() + 2 * m_box->frameWidth() + 16));
    }
    // The box goes to the right of the board or the graph, whichever the lesson shows.
    const int lessonWidth = host.lesson().makeRoom(width + 225);
    m_box->setGeometry(px(lessonWidth - 100), px(boxTop), px(width), px(boxHeight));
}

void FormulasTool::follow(Lesson::Change what)
{
    if (!isShown())
        return;
    // Showing or hiding the graph moves the box beside what is shown.
    if (what == Lesson::Change::View) {
        place();
        return;
    }
    const Lesson::State s = host.lesson().state();
    if (s.jumping)
        return;
    const std::vector<formulas::Stretch> stretches = formulas::stretches(s.columns);
    // x is a multiple of a half centimetre: exact as a fraction of halves.
    const formulas::Rational x(s.halves, 2);
    std::vector<bool> current;
    for (const formulas::Stretch &st : stretches)
        current.push_back(formulas::holds(st, x));
    // A step within the stretches already highlighted changes nothing in the box: setting its
    // texts again would only lay them out again.
    const bool figureChanged = what == Lesson::Change::Figure || what == Lesson::Change::Initial;
    if (!figureChanged && m_written && s.columns == m_columns && current == m_current)
        return;
    m_written = true;
    m_columns = s.columns;
    m_current = current;
    QStringList said;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        QLabel *label = m_lines[i];
        const bool used = size_t(i) < stretches.size();
        label->setVisible(used);
        if (!used)
            continue;
        const formulas::Stretch &st = stretches[size_t(i)];
        const bool holds = current[size_t(i)];
        static_cast<FormulaLabel *>(label)->setLines(
            { formulas::condition(st), formulas::equation(st) }, QStringLiteral("　"));
        label->setAccessibleName(formulas::line(st));
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, holds ? highlight : geometry::colour::paper);
        palette.setColor(QPalette::WindowText, holds ? QColor(0, 0, 255) : QColor(Qt::black));
        label->setPalette(palette);
        label->setAccessibleDescription(holds ? Text::tr("いまの x はこの区間") : QString());
        said << formulas::line(st);
    }
    //: between two formulas said one after the other
    m_box->setAccessibleDescription(said.join(Text::tr("。")));
    // A new figure has new formulas: make room for them and say them. A step only moves the
    // highlight.
    if (figureChanged) {
        place();
        host.announce(m_box->accessibleDescription());
    }
}

void FormulasTool::retranslate()
{
    if (!m_box)
        return;
    m_box->setAccessibleName(Text::tr("式"));
    static_cast<FormulaLabel *>(m_box->findChild<QLabel *>(QStringLiteral("formulasTitle")))
        ->setLines({ formulas::written(Text::tr("y を x の式で表すと")) });
    // The formulas again, and room for them as long as they are now; said only when asked.
    m_written = false;
    if (m_box->isVisible()) {
        follow(Lesson::Change::Step);
        place();
    }
}
