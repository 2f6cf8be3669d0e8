#include "app/form1.h"

#include "figure/geometry.h"
#include "toolkit/fonts.h"
#include "toolkit/panelcontrols.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {

// The layout is designed in twips, 15 to a pixel.
int px(int twips)
{
    return int(std::lround(twips / 15.0));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

const QColor &windowGreen = geometry::colour::window;
const QColor &boardGreen = geometry::colour::board;
const QColor white(255, 255, 255);

void paint(QWidget *w, const QColor &background, const QColor &text = QColor())
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Button, background);
    if (text.isValid()) {
        pal.setColor(QPalette::WindowText, text);
        pal.setColor(QPalette::ButtonText, text);
    }
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// A control of the window: named, placed, in its font and colours.
template<typename Control>
Control *control(QWidget *parent, const char *name, const QString &caption, const QRect &place,
                 const QFont &font, const QColor &background, const QColor &text = QColor())
{
    auto *c = new Control(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(place);
    c->setFont(font);
    paint(c, background, text);
    return c;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &place,
                    const QColor &background, const QFont &font)
{
    return control<QPushButton>(parent, name, caption, place, font, background);
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, const QRect &place,
                    const QColor &background, const QColor &text, const QFont &font)
{
    return control<QCheckBox>(parent, name, caption, place, font, background, text);
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, const QRect &place,
              const QColor &background, const QColor &text, const QFont &font)
{
    auto *l = control<QLabel>(parent, name, caption, place, font, background, text);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

PicturePanel *makePanel(QWidget *parent, const char *name, const QRect &place, const QColor &back,
                        const QColor &fore, const QFont &font)
{
    auto *p = new PicturePanel(parent);
    p->setObjectName(QLatin1String(name));
    p->setFont(font);
    p->setBackColor(back);
    p->setForeColor(fore);
    p->setOuterGeometry(place);
    return p;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    paint(this, windowGreen);
    createControls();
    connectHandlers();
    setUpKeys();
    tools = new ToolHost(*this, *this);
    // What is said of y depends on the questions the tools keep open.
    connect(tools, &ToolHost::questionsChanged, this, &Form1::stateXAndY);
    setUpAccessibility();
    retranslate();
    Form_Load();
}

Form1::~Form1()
{
    // Tools hear every focus change: they must go before the controls they read.
    delete tools;
    tools = nullptr;
    // Hiding the window while it is taken apart moves the focus once more: by then no handler
    // of this window may run.
    disconnect(qApp, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
}

void Form1::createControls()
{
    const QFont defaultFont = fonts::gothic(fonts::defaultPoints);

    Label6 = label(this, "Label6", QString(), twipsRect(240, 240, 2400, 495), QColor(0, 0, 255),
                   white, fonts::gothic(24));
    Command1 = button(this, "Command1", QString(), twipsRect(3240, 240, 1215, 495),
                      QColor(255, 255, 192), fonts::gothic(12, true));
    Check1 = checkBox(this, "Check1", QString(), twipsRect(5640, 360, 1215, 390), windowGreen,
                      boardGreen, fonts::gothic(18));
    end = button(this, "end", QString(), twipsRect(8040, 240, 1215, 495), QColor(192, 192, 255),
                 fonts::gothic(12, true));

    kokuban = makePanel(this, "kokuban", twipsRect(240, 960, 9015, 6135), boardGreen, white,
                        fonts::gothic(14.25, true));

    jidou = button(this, "jidou", QString(), twipsRect(240, 7320, 1695, 735), QColor(0, 255, 0),
                   fonts::gothic(15.75, true));
    tomeru = button(this, "tomeru", QString(), twipsRect(2160, 7560, 975, 495),
                    QColor(128, 255, 128), fonts::gothic(12));
    Label3 = label(this, "Label3", QString(), twipsRect(3360, 7320, 570, 285), windowGreen,
                   boardGreen, fonts::gothic(14.25));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->addItems({ QStringLiteral(" 0"), QStringLiteral("10"), QStringLiteral("20"),
                       QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("200") });
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(QStringLiteral("50"));
    Combo1->setGeometry(twipsRect(3360, 7680, 735, 315));
    Combo1->setFont(fonts::gothic(9.75));
    susumu = button(this, "susumu", QString(), twipsRect(4560, 7320, 975, 735), QColor(255, 255, 0),
                    fonts::gothic(12, true));
    modoru = button(this, "modoru", QString(), twipsRect(5640, 7320, 975, 735), QColor(0, 255, 255),
                    fonts::gothic(12, true));
    Command2 = button(this, "Command2", QString(), twipsRect(6720, 7560, 855, 495),
                      QColor(255, 192, 128), defaultFont);
    Check3 = checkBox(this, "Check3", QString(), twipsRect(7800, 7200, 735, 390), windowGreen,
                      boardGreen, fonts::gothic(18));
    Check2 = checkBox(this, "Check2", QString(), twipsRect(7800, 7680, 1335, 390), windowGreen,
                      boardGreen, fonts::gothic(18));

    hyo = makePanel(this, "hyo", twipsRect(120, 8400, 9135, 1695), geometry::colour::paper,
                    Qt::black, fonts::gothic(14.25, true));
    gamen = makePanel(this, "gamen", twipsRect(9480, 240, 5895, 7695), geometry::colour::paper,
                      Qt::black, defaultFont);
    Label8 = label(this, "Label8", QString(), twipsRect(13680, 9960, 1695, 180), windowGreen,
                   QColor(0, 192, 0), defaultFont);

    // Captions come from retranslate(), in the lesson's language.

    // The blackboard's controls, painted in this order: the palette band lowest, the pieces on top.
    Line1 = new PanelLine(kokuban, QColor(0, 64, 0), 150);
    Line1->setPoints(QPointF(0, 64), QPointF(600, 64));
    Label1 = new PanelLabel(kokuban, QString(), fonts::gothic(18), white, boardGreen, false);
    Label1->move(QPointF(24, 360));
    Label2 = new PanelLabel(kokuban, QStringLiteral("cm"), fonts::gothic(15.75, true), white,
                            boardGreen, false);
    Label2->move(QPointF(336, 368));
    Line4[1] = new PanelLine(kokuban, QColor(255, 0, 0), 3);
    Line4[1]->setPoints(QPointF(24, 392), QPointF(232, 392));

    const struct
    {
        int index;
        const char *caption;
        qreal points;
        QColor color;
    } letters[] = {
        { 0, "A", 24, white },
        { 1, "B", 24, white },
        { 2, "C", 24, white },
        { 3, "Ｄ", 24, white },
        { 4, "１０cm", 18, white },
        { 5, "６cm", 18, white },
        { 6, "χcm", 18, QColor(255, 128, 128) },
        { 8, "Ｐ", 24, white },
    };
    for (const auto &l : letters) {
        Label4[l.index] = new PanelLabel(kokuban, QString::fromUtf8(l.caption),
                                         fonts::gothic(l.points), l.color, boardGreen, true);
    }

    for (int i = 0; i < 8; ++i)
        Line5[i] = i == 4 ? new PanelLine(kokuban, QColor(255, 0, 0), 5)
                          : new PanelLine(kokuban, white, 3);
    Shape1 = new PanelShape(kokuban, QColor(255, 0, 0), QSize(10, 8));

    const QColor yellow(255, 255, 0);
    for (auto &l : Line6)
        l = new PanelLine(kokuban, yellow, 2);
    for (auto &l : Line7)
        l = new PanelLine(kokuban, yellow, 2);
    for (auto &l : Line9)
        l = new PanelLine(kokuban, yellow, 2);
    for (auto &l : Line8)
        l = new PanelLine(kokuban, yellow, 2);

    Text1 = new QLineEdit(QStringLiteral("Text1"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(fonts::gothic(18));
    // x is only shown here: nothing a learner types may reach the table or the graph.
    Text1->setReadOnly(true);
    kokuban->placeWidget(Text1, QRect(264, 360, 65, 33));

    Check4 = new QCheckBox;
    Check4->setObjectName(QStringLiteral("Check4"));
    paint(Check4, QColor(128, 128, 0));
    Check4->setChecked(true);
    kokuban->placeWidget(Check4, QRect(240, 368, 17, 17));

    // The table panel's fixed frame.
    Line3 = new PanelLine(hyo, Qt::black, 3);
    Line3->setPoints(QPointF(8, 56), QPointF(600, 56));
    Line2 = new PanelLine(hyo, Qt::black, 3);
    Line2->setPoints(QPointF(32, 8), QPointF(32, 104));
    Label5 = new PanelLabel(hyo, QStringLiteral("χ"), fonts::gothic(24, true), Qt::black,
                            geometry::colour::paper, false);
    Label5->move(QPointF(0, 16));
    Label7 = new PanelLabel(hyo, QStringLiteral("ｙ"), fonts::gothic(24, true), Qt::black,
                            geometry::colour::paper, false);
    Label7->move(QPointF(8, 64));
}

void Form1::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(end, &QPushButton::clicked, this, &Form1::end_Click);
    connect(susumu, &QPushButton::clicked, this, &Form1::susumu_Click);
    connect(modoru, &QPushButton::clicked, this, &Form1::modoru_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(jidou, &QPushButton::clicked, this, &Form1::jidou_Click);
    connect(tomeru, &QPushButton::clicked, this, &Form1::tomeru_Click);
    // A check box's click runs whenever its value changes, by the learner or by the program.
    connect(Check1, &QCheckBox::toggled, this, &Form1::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Form1::Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &Form1::Check3_Click);
    connect(Check4, &QCheckBox::toggled, this, &Form1::Check4_Click);
    // After the click: the tools see the window as the box left it.
    for (QCheckBox *view : { Check1, Check2, Check3, Check4 })
        connect(view, &QCheckBox::toggled, this, [this] { tools->follow(Change::View); });
    connect(kokuban, &PicturePanel::mouseDown, this, &Form1::kokuban_MouseDown);
    connect(kokuban, &PicturePanel::mouseMove, this, &Form1::kokuban_MouseMove);
    connect(kokuban, &PicturePanel::mouseUp, this, &Form1::kokuban_MouseUp);
}

void Form1::setOuterSizeTwips(int width, int height)
{
    m_outerTwips = QSize(width, height);
    applyOuterSize();
}

void Form1::applyOuterSize()
{
    const QSize outer(px(m_outerTwips.width()), px(m_outerTwips.height()));
    // The learner cannot resize the window: only the view check boxes change it.
    setFixedSize(outer - m_frameMargins);
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    const QSize margins = frameGeometry().size() - geometry().size();
    if (margins != m_frameMargins) {
        m_frameMargins = margins;
        applyOuterSize();
    }
}

void Form1::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // A window manager reports its frame late, usually with a move: size again then.
    const QSize margins = frameGeometry().size() - geometry().size();
    if (isVisible() && margins != m_frameMargins) {
        m_frameMargins = margins;
        applyOuterSize();
    }
}

void Form1::closeEvent(QCloseEvent *event)
{
    // An automatic run checks this between steps and ends at once.
    closing = true;
    event->accept();
}
