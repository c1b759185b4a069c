#include "ShowOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Colour.h"
#include "TeamCatalogue.h"

namespace corvane::cli {
namespace {

QString ClubName(std::int16_t id) {
    const auto name = TeamNameForId(std::to_string(id));
    return name ? QString::fromUtf8(name->data(), static_cast<qsizetype>(name->size())) : QString();
}

QString HexText(const ColourSlot& slot) {
    return QString::fromStdString(ColourHexText(MakeColour(slot.red, slot.green, slot.blue)));
}

QString Components(const ColourSlot& slot) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(slot.red)
        .arg(slot.green)
        .arg(slot.blue)
        .arg(slot.transparency);
}

QJsonObject ColourObject(const ColourSlot& slot) {
    return QJsonObject{{"red", slot.red},
                       {"green", slot.green},
                       {"blue", slot.blue},
                       {"transparency", slot.transparency},
                       {"hex", HexText(slot)}};
}

}  // namespace

QString ShowTable(const PatchValues& values) {
    QString table;
    auto row = [&table](const QString& field, const QString& value, const QString& meaning) {
        QString line = QStringLiteral("%1  %2  %3").arg(field, -10).arg(value, -13).arg(meaning);
        while (line.endsWith(QLatin1Char(' '))) {
            line.chop(1);
        }
        table += line + QLatin1Char('\n');
    };
    row("Field", "Value", "Meaning");
    for (std::size_t i = 0; i < values.teams.size(); ++i) {
        const QString name = ClubName(values.teams[i]);
        row(QStringLiteral("team %1").arg(i + 1), QString::number(values.teams[i]),
            name.isNull() ? QStringLiteral("(not in the catalogue)") : name);
    }
    for (const auto& [field, slot] :
         {std::pair{"exhibition", values.exhibition}, std::pair{"font", values.font}}) {
        row(field, Components(slot),
            QStringLiteral("colour %1, transparency %2").arg(HexText(slot)).arg(slot.transparency));
    }
    return table;
}

QByteArray ShowJson(const PatchValues& values) {
    QJsonArray teams;
    for (std::size_t i = 0; i < values.teams.size(); ++i) {
        const QString name = ClubName(values.teams[i]);
        teams.append(QJsonObject{{"slot", static_cast<int>(i + 1)},
                                 {"id", values.teams[i]},
                                 {"name", name.isNull() ? QJsonValue() : QJsonValue(name)}});
    }
    const QJsonObject object{{"teams", teams},
                             {"exhibition", ColourObject(values.exhibition)},
                             {"font", ColourObject(values.font)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

}  // namespace corvane::cli
