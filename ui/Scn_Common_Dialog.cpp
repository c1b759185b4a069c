#include "ui/Scn_Common_Dialog.h"

#include <QRegularExpression>

namespace corvane {

QList<FileFilter> SplitDialogFilter(const QString& filter) {
    const QStringList pieces = filter.split(u'|');
    QList<FileFilter> list;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
        if (pieces[i].isEmpty() || pieces[i + 1].isEmpty()) {
            break;
        }
        FileFilter entry{pieces[i], {}};
        for (const QString& raw : pieces[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = raw.trimmed();
            if (!pattern.isEmpty()) {
                entry.patterns << (pattern == QStringLiteral("*.*") ? QStringLiteral("*")
                                                                    : pattern);
            }
        }
        if (entry.patterns.isEmpty()) {
            break;
        }
        list << entry;
    }
    return list;
}

QString TitleNameOf(const QString& path) {
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    QString name = path.section(separators, -1);
    const qsizetype nul = name.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        name.truncate(nul);
    }
    return name;
}

QString Scn_Common_Dialog::OpenFileName(QWidget* FrmName, const QString& DialogTitle,
                                        const QString& DirPath, const QString& Filter) {
    Q_UNUSED(DirPath);
    const std::optional<QString> chosen =
        m_dialog.GetOpenFileName(FrmName, DialogTitle, SplitDialogFilter(Filter));
    if (!chosen || chosen->isEmpty()) {
        return QStringLiteral("-1");
    }
    m_selectedPath = *chosen;
    return m_selectedPath;
}

}  // namespace corvane
