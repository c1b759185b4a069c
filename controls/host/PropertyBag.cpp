#include "controls/host/PropertyBag.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <limits>

namespace corvane {

namespace {

QJsonValue toJson(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<OleColour>()) {
        return QJsonObject{{"colour", static_cast<qint64>(v.value<OleColour>().value)}};
    }
    if (v.metaType() == QMetaType::fromType<FontValue>()) {
        const auto f = v.value<FontValue>();
        return QJsonObject{{"font", QJsonObject{{"name", f.name},
                                                {"size", f.size},
                                                {"bold", f.bold},
                                                {"italic", f.italic},
                                                {"underline", f.underline},
                                                {"strikethrough", f.strikethrough},
                                                {"weight", f.weight},
                                                {"charset", f.charset}}}};
    }
    if (v.metaType() == QMetaType::fromType<Picture>()) {
        const auto p = v.value<Picture>();
        QJsonObject o;
        if (p.isNone()) {
            return QJsonObject{{"picture", QJsonValue::Null}};
        }
        o["kind"] = static_cast<int>(p.kind());
        o["himetricWidth"] = p.himetricWidth();
        o["himetricHeight"] = p.himetricHeight();
        if (!p.image().isNull()) {
            QByteArray png;
            QBuffer buf(&png);
            buf.open(QIODevice::WriteOnly);
            p.image().save(&buf, "PNG");
            o["png"] = QString::fromLatin1(png.toBase64());
        }
        return QJsonObject{{"picture", o}};
    }
    switch (v.metaType().id()) {
        case QMetaType::Bool:
            return v.toBool();
        case QMetaType::QString:
            return v.toString();
        default:
            return static_cast<qint64>(v.toLongLong());
    }
}

// Each reader below stores the value in `out`, or says in `why` what is wrong and returns false.

// Unsigned 32-bit values (colours written as plain numbers) come back unsigned.
bool numberFromJson(double d, QVariant* out, QString* why) {
    // The range is checked before the cast: casting a double beyond 64 bits is undefined.
    if (d < std::numeric_limits<qint32>::min() || d > std::numeric_limits<quint32>::max() ||
        d != static_cast<double>(static_cast<qint64>(d))) {
        *why = QStringLiteral("%1 is not a 32-bit whole number").arg(d);
        return false;
    }
    if (d > std::numeric_limits<qint32>::max()) {
        *out = static_cast<quint32>(d);
    } else {
        *out = static_cast<qint32>(d);
    }
    return true;
}

bool colourFromJson(const QJsonValue& c, QVariant* out, QString* why) {
    const double d = c.toDouble(-1);
    if (d < 0 || d > 4294967295.0 || d != static_cast<double>(static_cast<qint64>(d))) {
        *why = QStringLiteral("a colour must be a whole number from 0 to 4294967295");
        return false;
    }
    *out = QVariant::fromValue(OleColour{static_cast<quint32>(d)});
    return true;
}

bool fontFromJson(const QJsonObject& f, QVariant* out, QString* why) {
    if (!f["name"].isString()) {
        *why = QStringLiteral("a font needs a name");
        return false;
    }
    FontValue fv;
    fv.name = f["name"].toString();
    fv.size = f["size"].toDouble(fv.size);
    fv.bold = f["bold"].toBool();
    fv.italic = f["italic"].toBool();
    fv.underline = f["underline"].toBool();
    fv.strikethrough = f["strikethrough"].toBool();
    fv.weight = f["weight"].toInt(fv.weight);
    fv.charset = f["charset"].toInt(fv.charset);
    *out = QVariant::fromValue(fv);
    return true;
}

bool pictureFromJson(const QJsonValue& value, QVariant* out, QString* why) {
    if (value.isNull()) {
        *out = QVariant::fromValue(Picture::none());
        return true;
    }
    const QJsonObject p = value.toObject();
    const int kind = p["kind"].toInt(-1);
    QImage img;
    if (p.contains("png")) {
        const QByteArray png = QByteArray::fromBase64(p["png"].toString().toLatin1());
        if (!img.loadFromData(png, "PNG")) {
            *why = QStringLiteral("the picture's image data is not a PNG");
            return false;
        }
    }
    // The resolution that gives back the stored HIMETRIC size, so that the natural size
    // survives for pictures made at any resolution.
    const int hw = p["himetricWidth"].toInt();
    const int hh = p["himetricHeight"].toInt();
    const double dpiX = hw > 0 && img.width() > 0 ? img.width() * 2540.0 / hw : 96.0;
    const double dpiY = hh > 0 && img.height() > 0 ? img.height() * 2540.0 / hh : 96.0;
    switch (static_cast<PictureKind>(kind)) {
        case PictureKind::Empty:
            *out = QVariant::fromValue(Picture::empty());
            return true;
        case PictureKind::Bitmap:
            *out = QVariant::fromValue(Picture::bitmap(img, dpiX, dpiY));
            return true;
        case PictureKind::Metafile:
            *out = QVariant::fromValue(Picture::metafile(hw, hh));
            return true;
        case PictureKind::Icon:
            *out = QVariant::fromValue(Picture::icon(img, dpiX, dpiY));
            return true;
        default:
            *why = QStringLiteral("unknown picture kind %1").arg(kind);
            return false;
    }
}

bool fromJson(const QJsonValue& j, QVariant* out, QString* why) {
    if (j.isBool()) {
        *out = j.toBool();
        return true;
    }
    if (j.isString()) {
        *out = j.toString();
        return true;
    }
    if (j.isDouble()) {
        return numberFromJson(j.toDouble(), out, why);
    }
    if (!j.isObject() || j.toObject().size() != 1) {
        *why = QStringLiteral("expected a number, a boolean, a text or a tagged object");
        return false;
    }
    const QJsonObject o = j.toObject();
    if (o.contains("colour")) {
        return colourFromJson(o["colour"], out, why);
    }
    if (o.contains("font")) {
        return fontFromJson(o["font"].toObject(), out, why);
    }
    if (o.contains("picture")) {
        return pictureFromJson(o["picture"], out, why);
    }
    *why = QStringLiteral("unknown tag \"%1\"").arg(o.keys().value(0));
    return false;
}

bool isInteger(QMetaType t) {
    switch (t.id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Char:
            return true;
        default:
            return false;
    }
}

// Converts a stored value to the type of the default; an invalid QVariant when it cannot.
QVariant convertTo(const QVariant& stored, const QVariant& def) {
    if (!def.isValid() || stored.metaType() == def.metaType()) {
        return stored;
    }
    const QMetaType want = def.metaType();
    if (want == QMetaType::fromType<OleColour>()) {
        if (stored.canConvert<qint64>() && stored.metaType().id() != QMetaType::QString) {
            const qint64 n = stored.toLongLong();
            if (n >= std::numeric_limits<qint32>::min() && n <= 0xFFFFFFFFLL) {
                return QVariant::fromValue(OleColour{static_cast<quint32>(n)});
            }
        }
        return {};
    }
    if (want.id() == QMetaType::Bool && stored.metaType().id() == QMetaType::Int) {
        return stored.toInt() != 0;
    }
    if (want.id() == QMetaType::Int || want.id() == QMetaType::Short) {
        // Any integer that fits; a value too wide for the wanted type reads as the default.
        if (!isInteger(stored.metaType()) && stored.metaType().id() != QMetaType::Bool) {
            return {};
        }
        const qint64 n = stored.toLongLong();
        const bool fits = want.id() == QMetaType::Int ? n >= std::numeric_limits<qint32>::min() &&
                                                            n <= std::numeric_limits<qint32>::max()
                                                      : n >= std::numeric_limits<qint16>::min() &&
                                                            n <= std::numeric_limits<qint16>::max();
        if (!fits) {
            return {};
        }
        QVariant v = static_cast<int>(n);
        v.convert(want);
        return v;
    }
    if (want.id() == QMetaType::QString && stored.metaType().id() != QMetaType::QString) {
        if (stored.metaType() == QMetaType::fromType<FontValue>() ||
            stored.metaType() == QMetaType::fromType<Picture>() ||
            stored.metaType() == QMetaType::fromType<OleColour>()) {
            return {};
        }
        return stored.toString();
    }
    return {};
}

}  // namespace

bool PropertyBag::sameValue(const QVariant& a, const QVariant& b) {
    if (a.metaType() != b.metaType()) {
        const QVariant c = convertTo(a, b);
        return c.isValid() && c.metaType() == b.metaType() && sameValue(c, b);
    }
    if (a.metaType() == QMetaType::fromType<OleColour>()) {
        return a.value<OleColour>() == b.value<OleColour>();
    }
    if (a.metaType() == QMetaType::fromType<FontValue>()) {
        return a.value<FontValue>() == b.value<FontValue>();
    }
    if (a.metaType() == QMetaType::fromType<Picture>()) {
        return a.value<Picture>() == b.value<Picture>();
    }
    return a == b;
}

QVariant PropertyBag::read(const QString& key, const QVariant& def) const {
    const QString k = key.toLower();
    for (const auto& [name, value] : m_items) {
        if (name == k) {
            const QVariant v = convertTo(value, def);
            return v.isValid() ? v : def;
        }
    }
    return def;
}

void PropertyBag::write(const QString& key, const QVariant& value, const QVariant& def) {
    const QString k = key.toLower();
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [&](const auto& item) { return item.first == k; });
    if (def.isValid() && sameValue(value, def)) {
        if (it != m_items.end()) {
            m_items.erase(it);
        }
        return;
    }
    if (it != m_items.end()) {
        it->second = value;
    } else {
        m_items.emplace_back(k, value);
    }
}

bool PropertyBag::contains(const QString& key) const {
    const QString k = key.toLower();
    return std::any_of(m_items.begin(), m_items.end(),
                       [&](const auto& item) { return item.first == k; });
}

QStringList PropertyBag::keys() const {
    QStringList out;
    for (const auto& item : m_items) {
        out << item.first;
    }
    return out;
}

QString PropertyBag::toText() const {
    // An array of [key, value] pairs keeps the order in which the control wrote them.
    QJsonArray arr;
    for (const auto& [k, v] : m_items) {
        arr.append(QJsonArray{k, toJson(v)});
    }
    return QString::fromUtf8(QJsonDocument(arr).toJson(QJsonDocument::Indented));
}

bool PropertyBag::fromText(const QString& text, QString* error) {
    m_items.clear();
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &pe);
    auto fail = [&](const QString& why) {
        m_items.clear();
        if (error) {
            *error = why;
        }
        return false;
    };
    if (pe.error != QJsonParseError::NoError) {
        return fail(
            QStringLiteral("property set: %1 at offset %2").arg(pe.errorString()).arg(pe.offset));
    }
    if (!doc.isArray()) {
        return fail(QStringLiteral("property set: expected a list of [key, value] pairs"));
    }
    const QJsonArray arr = doc.array();
    // The keys seen so far, so that finding a repeated one costs the same however many came
    // before it.
    QSet<QString> seen;
    seen.reserve(arr.size());
    for (qsizetype i = 0; i < arr.size(); ++i) {
        const QJsonArray pair = arr[i].toArray();
        if (pair.size() != 2 || !pair[0].isString() || pair[0].toString().isEmpty()) {
            return fail(QStringLiteral("property set: entry %1 is not a [key, value] pair").arg(i));
        }
        QVariant v;
        QString why;
        if (!fromJson(pair[1], &v, &why)) {
            return fail(QStringLiteral("property set: \"%1\": %2").arg(pair[0].toString(), why));
        }
        const QString k = pair[0].toString().toLower();
        const qsizetype known = seen.size();
        seen.insert(k);
        if (seen.size() == known) {
            return fail(QStringLiteral("property set: \"%1\" appears twice").arg(k));
        }
        m_items.emplace_back(k, v);
    }
    return true;
}

}  // namespace corvane
