// Worksheets: the task and the answer key on A4, printed or as PDF.
#include "app/form1.h"

#include "core/formulas.h"
#include "core/numtext.h"
#include "core/safefile.h"
#include "tools/worksheetpage.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace {

worksheet::Sheet sheetOf(const std::array<double, 5> &retsu, const QString &xText, bool formulasOn)
{
    worksheet::Sheet sheet;
    sheet.columns = retsu;
    sheet.x = numtext::read(xText);
    // With the formulas tool on, the answer key states y for each stretch as the window does.
    if (formulasOn) {
        for (const formulas::Stretch &stretch : formulas::stretches(retsu))
            sheet.formulas.push_back(formulas::statement(stretch));
    }
    return sheet;
}

} // namespace

bool Form1::saveWorksheet(const QString &path, QString *error)
{
    const worksheet::Sheet sheet = sheetOf(retsu, Text1->text(), toolOn(tools::Tool::Formulas));
    QString reason;
    if (!worksheet::writePdf(path, sheet, reason)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(safefile::shown(path), reason);
        return false;
    }
    //: said once the worksheet is saved
    announce(tr("プリントを %1 に保存しました").arg(QFileInfo(path).fileName()));
    return true;
}

void Form1::saveWorksheetDialog()
{
    QFileDialog dialog(this, tr("プリントをPDFで保存"), QString(), tr("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString error;
    if (!saveWorksheet(dialog.selectedFiles().first(), &error))
        tellFileProblem(error);
}

void Form1::printWorksheet()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    // Coordinates from the paper's corner, so the figure keeps its true size.
    printer.setFullPage(true);
    printer.setDocName(tr("関数の利用　プリント"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    worksheet::paint(printer, sheetOf(retsu, Text1->text(), toolOn(tools::Tool::Formulas)));
    announce(tr("プリントを印刷しました"));
}
