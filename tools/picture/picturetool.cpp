// A picture of the panels as they stand: to the clipboard and as PNG.
#include "tools/picture/picturetool.h"

#include "core/safefile.h"
#include "toolkit/picturepanel.h"
#include "tools/host/toolhost.h"
#include "tools/savedialog.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

PictureTool::PictureTool(ToolHost &host)
    : Tool(host)
{ }

void PictureTool::act(const tools::ToolRow &row, bool)
{
    // By the text: a folded constant and the registered row may hold different copies of it.
    if (qstrcmp(row.id, rows[0].id) == 0)
        copy();
    else
        saveDialog();
}

bool PictureTool::write(const tools::ToolRow &, const QString &path, QString *error)
{
    return save(path, error);
}

QImage PictureTool::panelsPicture() const
{
    const Lesson &lesson = host.lesson();
    const Lesson::State s = lesson.state();
    PicturePanel *kokuban = lesson.panel(Lesson::Panel::Board);
    PicturePanel *gamen = lesson.panel(Lesson::Panel::Graph);
    PicturePanel *hyo = lesson.panel(Lesson::Panel::Table);
    // The graph and the table count only while their boxes uncover them.
    std::vector<PicturePanel *> shown { kokuban };
    if (s.isShown(Lesson::View::Graph))
        shown.push_back(gamen);
    if (s.isShown(Lesson::View::Table))
        shown.push_back(hyo);
    QRect area;
    for (const PicturePanel *p : shown)
        area |= p->geometry();

    // Each panel grabbed with what stands on it, at the screen's pixel ratio, on the window's
    // own background where no panel is.
    const qreal ratio = host.window().devicePixelRatioF();
    QImage picture(area.size() * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(host.window().palette().color(QPalette::Window));
    QPainter painter(&picture);
    for (PicturePanel *p : shown)
        painter.drawPixmap(p->geometry().topLeft() - area.topLeft(), p->grab());
    return picture;
}

void PictureTool::copy()
{
    QGuiApplication::clipboard()->setImage(panelsPicture());
    //: said when the picture is on the clipboard
    host.announce(tr("黒板、表、グラフの絵をコピーしました"));
}

bool PictureTool::save(const QString &path, QString *error)
{
    QString reason;
    if (safefile::checkTarget(path, reason)) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!panelsPicture().save(&png, "PNG"))
            //: the picture could not be made into PNG data
            reason = tr("画像をPNGにできません");
        else
            safefile::write(path, png.data(), reason);
    }
    if (!reason.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(safefile::shown(path), reason);
        return false;
    }
    return true;
}

void PictureTool::saveDialog()
{
    const QString path = tools::askSavePath(&host.window(), tr("画面を画像で保存"),
                                            tr("PNG画像 (*.png)"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    QString error;
    if (!save(path, &error)) {
        host.tellProblem(error);
        return;
    }
    host.announce(tr("画像 %1 に保存しました").arg(safefile::shown(QFileInfo(path).fileName())));
}
