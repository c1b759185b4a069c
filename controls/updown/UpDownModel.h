#pragma once

#include <cstdint>
#include <string_view>

#include "controls/host/FontValue.h"
#include "controls/host/PropertyBag.h"
#include "controls/host/SystemColours.h"
#include "controls/updown/UpDownRules.h"
#include "controls/updown/UpDownValues.h"

namespace corvane {

// What the up-down box's shell does for its model: show what a setter, a load or a new
// instance set, write the field's text, and tell the host that the stored set is out of date.
class UpDownView {
public:
    virtual FontValue AmbientFont() const = 0;
    virtual void applyColours() = 0;
    virtual void applyFont() = 0;
    virtual void applyAlignment() = 0;
    virtual void applyEnabled() = 0;
    // The field and arrows placed again for the border and font, and the box repainted.
    virtual void applyLayout() = 0;
    virtual void PropertyChanged(std::string_view name) = 0;
    // Writes the field's text; the text rule runs, and may raise Change, whose handler may
    // delete the box. Returns whether the box still exists.
    virtual bool showText(std::u16string_view text) = 0;

protected:
    ~UpDownView() = default;
};

// The up-down box's properties besides its text, and their life cycle: a new instance's
// values, loading and saving the stored set, from one table of rows.
class UpDownModel {
public:
    explicit UpDownModel(UpDownView& view) : m_view(view) {}

    int alignment = static_cast<int>(BoxAlignment::Left);  // a BoxAlignment
    std::uint32_t backColor = SysColour::WindowBackground;
    std::uint32_t foreColor = SysColour::WindowText;
    int borderStyle = static_cast<int>(BoxBorder::FixedSingle);  // a BoxBorder
    bool enabled = true;
    FontValue font;
    UpDownRules rules;

    // The setters, each as the box's own: store, show, then report (so that a host reading
    // the property on the report sees it in effect). Alignment and BorderStyle ignore a
    // number that is not one of theirs.
    void setAlignment(int value);
    void setBackColor(std::uint32_t value);
    void setBorderStyle(int value);
    void setEnabled(bool value);
    void setFont(const FontValue& value);
    void setForeColor(std::uint32_t value);
    void setMax(int value);
    void setMin(int value);
    void PropertyChanged(std::string_view name) { m_view.PropertyChanged(name); }

    // A new instance, in two parts around the Font property's write (which the shell does
    // through its setter, so that the field gets the font and the layout runs): first the
    // border and the background, then the bounds and the text "0". The second ends with the
    // text, which may raise Change; nothing of the model is touched after it.
    void InitBeforeFont();
    void InitAfterFont();
    // Loads every property, the value last, as text that the text rule takes against the
    // bounds just loaded (which may raise Change, as above).
    void Read(const PropertyBag& bag);
    void Write(PropertyBag& bag) const;

    int border() const { return borderStyle == static_cast<int>(BoxBorder::FixedSingle) ? 1 : 0; }

private:
    struct Properties;  // the table (UpDownModel.cpp)
    UpDownView& m_view;
};

}  // namespace corvane
