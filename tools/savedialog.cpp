#include "tools/savedialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tools {

QString askSavePath(QWidget *parent, const QString &title, const QString &filter,
                    const QString &suffix, const QString &proposed)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (!proposed.isEmpty()) {
        const QFileInfo last(proposed);
        dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace tools
