#pragma once

#include <QFont>
#include <QObject>
#include <QString>

#include "controls/host/FontValue.h"

namespace corvane {

// The Qt font to draw with. A family the system lacks falls back through Qt's matching.
QFont QFontOf(const FontValue& value);
FontValue FontValueOf(const QFont& font);

// A font object that reports every change of one of its attributes, so that the control
// owning it can follow it (the surface's font, a repaint).
class StdFont : public QObject {
    Q_OBJECT
public:
    explicit StdFont(QObject* parent = nullptr) : QObject(parent) {}
    explicit StdFont(const FontValue& value, QObject* parent = nullptr)
        : QObject(parent), m_value(value) {}

    const FontValue& value() const { return m_value; }

    QString Name() const;
    double Size() const { return m_value.size; }
    bool Bold() const { return m_value.bold; }
    bool Italic() const { return m_value.italic; }
    bool Underline() const { return m_value.underline; }
    bool Strikethrough() const { return m_value.strikethrough; }
    int Weight() const { return m_value.weight; }
    int Charset() const { return m_value.charset; }

    // Each setter reports FontChanged with the attribute's name, even when the value is equal
    // (a classic font object reports every assignment).
    void setName(const QString& v);
    void setSize(double v);
    void setBold(bool v);
    void setItalic(bool v);
    void setUnderline(bool v);
    void setStrikethrough(bool v);
    void setWeight(int v);
    void setCharset(int v);

    // Replaces every attribute at once and reports a single change.
    void assign(const FontValue& v);

signals:
    void FontChanged(const QString& PropertyName);

private:
    FontValue m_value;
};

}  // namespace corvane
