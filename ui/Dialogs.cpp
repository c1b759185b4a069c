#include "ui/Dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>

namespace corvane {

std::optional<QString> QtFileDialogService::GetOpenFileName(QWidget* owner, const QString& title,
                                                            const QList<FileFilter>& filters) {
    QFileDialog dialog(owner, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!filters.isEmpty()) {
        // QFileDialog takes its patterns from the parentheses of each entry and tidies the
        // blanks of the texts it shows. Give it numbered entries carrying the patterns, then
        // show the descriptions exactly as the caller wrote them.
        QStringList entries;
        for (qsizetype i = 0; i < filters.size(); ++i) {
            entries << QStringLiteral("%1 (%2)").arg(i).arg(filters[i].patterns.join(u' '));
        }
        dialog.setNameFilters(entries);
        dialog.selectNameFilter(entries.first());
        if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < types->count() && i < filters.size(); ++i) {
                types->setItemText(i, filters[i].description);
            }
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtColourDialogService::GetColour(QWidget* owner, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, owner);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

void QtMessageService::Show(QWidget* owner, const QString& title, const QString& text,
                            QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace corvane
