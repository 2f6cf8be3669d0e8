// A picture of the panels as they stand: to the clipboard and as PNG.
#include "app/form1.h"

#include "core/safefile.h"
#include "toolkit/picturepanel.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

QImage Form1::panelsPicture()
{
    // The graph and the table count only while their boxes uncover them.
    std::vector<PicturePanel *> shown { kokuban };
    if (Check2->isChecked())
        shown.push_back(gamen);
    if (Check3->isChecked())
        shown.push_back(hyo);
    QRect area;
    for (const PicturePanel *p : shown)
        area |= p->geometry();

    // Each panel grabbed with what stands on it, at the screen's pixel ratio, on the window's
    // own background where no panel is.
    const qreal ratio = devicePixelRatioF();
    QImage picture(area.size() * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(palette().color(QPalette::Window));
    QPainter painter(&picture);
    for (PicturePanel *p : shown)
        painter.drawPixmap(p->geometry().topLeft() - area.topLeft(), p->grab());
    return picture;
}

void Form1::copyPicture()
{
    QGuiApplication::clipboard()->setImage(panelsPicture());
    //: said when the picture is on the clipboard
    announce(tr("黒板、表、グラフの絵をコピーしました"));
}

bool Form1::savePicture(const QString &path, QString *error)
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

void Form1::savePictureDialog()
{
    QFileDialog dialog(this, tr("画面を画像で保存"), QString(), tr("PNG画像 (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    QString error;
    if (!savePicture(path, &error)) {
        tellFileProblem(error);
        return;
    }
    announce(tr("画像 %1 に保存しました").arg(safefile::shown(QFileInfo(path).fileName())));
}
