// Worksheets: the task and the answer key on A4, printed or as PDF.
#include "tools/worksheet/worksheettool.h"

#include "core/formulas.h"
#include "core/numtext.h"
#include "core/safefile.h"
#include "tools/host/toolhost.h"
#include "tools/savedialog.h"
#include "tools/worksheet/worksheetpage.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace {

worksheet::Sheet sheetOf(const ToolHost &host)
{
    const Lesson::State lesson = host.lesson().state();
    const bool formulasOn = host.isOn(u"formulas");
    worksheet::Sheet sheet;
    sheet.columns = lesson.columns;
    sheet.x = lesson.x();
    // With the formulas tool on, the answer key states y for each stretch as the window does.
    if (formulasOn) {
        for (const formulas::Stretch &stretch : formulas::stretches(lesson.columns))
            sheet.formulas.push_back(formulas::statement(stretch));
    }
    sheet.tasks = host.sheetTasks();
    return sheet;
}

} // namespace

WorksheetTool::WorksheetTool(ToolHost &host)
    : Tool(host)
{ }

void WorksheetTool::act(const tools::ToolRow &row, bool)
{
    // By the text: a folded constant and the registered row may hold different copies of it.
    if (qstrcmp(row.id, rows[0].id) == 0)
        print();
    else
        saveDialog();
}

bool WorksheetTool::write(const tools::ToolRow &, const QString &path, QString *error)
{
    return save(path, error);
}

bool WorksheetTool::save(const QString &path, QString *error)
{
    const worksheet::Sheet sheet = sheetOf(host);
    QString reason;
    if (!worksheet::writePdf(path, sheet, reason)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(safefile::shown(path), reason);
        return false;
    }
    //: said once the worksheet is saved
    host.announce(tr("プリントを %1 に保存しました").arg(QFileInfo(path).fileName()));
    return true;
}

void WorksheetTool::saveDialog()
{
    const QString path = tools::askSavePath(&host.window(), tr("プリントをPDFで保存"),
                                            tr("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QString error;
    if (!save(path, &error))
        host.tellProblem(error);
}

void WorksheetTool::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    // Coordinates from the paper's corner, so the figure keeps its true size.
    printer.setFullPage(true);
    printer.setDocName(tr("関数の利用　プリント"));
    QPrintDialog dialog(&printer, &host.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    worksheet::paint(printer, sheetOf(host));
    host.announce(tr("プリントを印刷しました"));
}
