#pragma once

#include <QObject>
#include <QString>

#include "controls/host/FontValue.h"

namespace corvane {

// What a custom control's container offers it: the ambient properties, the per-control flags
// the container keeps, and the property-changed notification that tells the container its
// stored set is out of date. A window gives each custom control a site of its own.
class ControlSite : public QObject {
    Q_OBJECT
public:
    explicit ControlSite(QObject* parent = nullptr) : QObject(parent) {}

    // Ambient properties.
    FontValue AmbientFont() const { return m_ambientFont; }
    void setAmbientFont(const FontValue& f);
    QString DisplayName() const { return m_displayName; }
    void setDisplayName(const QString& n) { m_displayName = n; }
    // False while the control sits in a form designer.
    bool UserMode() const { return m_userMode; }
    void setUserMode(bool on);

    // Per-control flags: the control is the form's default (Enter) or cancel (Esc) button.
    bool Default() const { return m_default; }
    void setDefault(bool on);
    bool Cancel() const { return m_cancel; }
    void setCancel(bool on);

    // Called by the control's property setters.
    void PropertyChanged(const QString& name) { emit propertyChanged(name); }

    // Twips per pixel of the screen (1440 / logical DPI); 15 at 96 DPI.
    static double TwipsPerPixelX();
    static double TwipsPerPixelY();

signals:
    void propertyChanged(const QString& name);
    void ambientChanged(const QString& name);
    // Default or Cancel changed: the control's keys (Enter, Esc) and its look follow them.
    void flagsChanged();

private:
    FontValue m_ambientFont;
    QString m_displayName;
    bool m_userMode = true;
    bool m_default = false;
    bool m_cancel = false;
};

}  // namespace corvane
