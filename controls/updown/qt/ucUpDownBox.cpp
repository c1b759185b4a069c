#include "controls/updown/qt/ucUpDownBox.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>
#include <cmath>

#include "controls/draw/qt/QtText.h"
#include "controls/host/PropertyTable.h"
#include "controls/host/qt/QtSystemColours.h"
#include "controls/host/qt/StdFont.h"
#include "controls/updown/UpDownLayout.h"
#include "controls/updown/qt/ucUpDownBoxAccessible.h"

namespace corvane {

namespace {

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

Qt::Alignment qtAlignment(int alignment) {
    switch (static_cast<BoxAlignment>(alignment)) {
        case BoxAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case BoxAlignment::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
}  // namespace

ucUpDownBox::ucUpDownBox(ControlSite* site, QWidget* parent)
    : UserControl(site, parent),
      m_inner(new QWidget(this)),
      m_txtValue(new UpDownField(m_inner)),
      m_ucBar(new QScrollBar(Qt::Vertical, m_inner)),
      m_barWidth(m_ucBar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_ucBar)) {
    m_inner->setAutoFillBackground(true);
    m_txtValue->setObjectName(QStringLiteral("txtValue"));
    m_ucBar->setObjectName(QStringLiteral("ucBar"));
    // Only a pair of arrows: three positions, resting in the middle.
    m_ucBar->setRange(-1, 1);
    m_ucBar->setSingleStep(1);
    m_ucBar->setPageStep(1);
    m_ucBar->setValue(0);
    m_ucBar->setFocusPolicy(Qt::NoFocus);  // clicking the arrows keeps the caret in the field
    setFocusProxy(m_txtValue);
    setFocusPolicy(m_txtValue->focusPolicy());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_font = Site()->AmbientFont();
    applyFont();
    applyColours();
    applyAlignment();

    connect(m_txtValue, &QLineEdit::textChanged, this, &ucUpDownBox::onTextChanged);
    connect(m_txtValue, &UpDownField::stepRequested, this,
            [this](int direction) { m_ucBar->setValue(-direction); });
    connect(m_txtValue, &UpDownField::focusLeft, this, &ucUpDownBox::mendText);
    connect(m_ucBar, &QScrollBar::valueChanged, this, &ucUpDownBox::onBarMoved);
    InstallUpDownAccessibility(this);
    relayout();
}

ucUpDownBox::~ucUpDownBox() {
    if (!m_guard.running()) {
        return;
    }
    // Deleted by a handler of its own Change. The field or the bar that raised it is still
    // inside Qt's code (a key press, a paste, an arrow click, setText), which goes on using the
    // widget once the signal returns: both outlive the box, hidden and cut off from it, until
    // the event loop deletes them.
    m_txtValue->disconnect(this);
    m_ucBar->disconnect(this);
    m_inner->hide();
    m_inner->setParent(nullptr);
    m_inner->deleteLater();
}

void ucUpDownBox::setAlignment(int New_Alignment) {
    if (!IsBoxAlignment(New_Alignment)) {
        return;
    }
    m_alignment = New_Alignment;
    applyAlignment();
    PropertyChanged(QStringLiteral("Alignment"));
}

void ucUpDownBox::setBackColor(quint32 New_BackColor) {
    m_backColor = New_BackColor;
    applyColours();
    PropertyChanged(QStringLiteral("BackColor"));
}

void ucUpDownBox::setBorderStyle(int New_BorderStyle) {
    if (!IsBoxBorder(New_BorderStyle)) {
        return;
    }
    m_borderStyle = New_BorderStyle;
    relayout();
    update();
    PropertyChanged(QStringLiteral("BorderStyle"));
}

void ucUpDownBox::setEnabled(bool New_Enabled) {
    m_enabled = New_Enabled;
    m_txtValue->setEnabled(New_Enabled);
    m_ucBar->setEnabled(New_Enabled);
    m_settingEnabled = true;
    QWidget::setEnabled(New_Enabled);
    m_settingEnabled = false;
    PropertyChanged(QStringLiteral("Enabled"));
}

void ucUpDownBox::setFont(const FontValue& New_Font) {
    m_font = New_Font;
    applyFont();
    relayout();
    PropertyChanged(QStringLiteral("Font"));
}

void ucUpDownBox::setForeColor(quint32 New_ForeColor) {
    m_foreColor = New_ForeColor;
    applyColours();
    PropertyChanged(QStringLiteral("ForeColor"));
}

void ucUpDownBox::setMax(int New_Max) {
    m_rules.setMax(New_Max);
    PropertyChanged(QStringLiteral("Max"));
}

void ucUpDownBox::setMin(int New_Min) {
    m_rules.setMin(New_Min);
    PropertyChanged(QStringLiteral("Min"));
}

void ucUpDownBox::setValue(int New_Value) {
    // The text rule that this write runs sets Value and raises Change.
    if (!showText(QStringOf(m_rules.textForValue(New_Value)))) {
        return;
    }
    PropertyChanged(QStringLiteral("Value"));
}

// The stored properties, one row each, in the order ReadProperties reads them; the last two
// numbers of a row are its places in InitProperties' and WriteProperties' orders. A friend of
// the control, so the rows reach its fields.
struct ucUpDownBox::Properties {
    using Row = PropertyRow<ucUpDownBox>;

    static PropertyValue ambientFont(const ucUpDownBox& b) { return b.Site()->AmbientFont(); }
    template <quint32 Colour>
    static PropertyValue colour(const ucUpDownBox&) {
        return OleColour{Colour};
    }
    template <std::int32_t Value>
    static PropertyValue number(const ucUpDownBox&) {
        return Value;
    }
    static PropertyValue yes(const ucUpDownBox&) { return true; }

    // A new instance: the border and background, then the font through its property (so the
    // field gets it and the layout runs), then the bounds and the text "0" (Value is Min).
    static constexpr std::size_t kInitBeforeFont = 2;

    static constexpr auto rows() {
        using B = ucUpDownBox;
        constexpr int no = kNoPlace;
        return std::array{
            Row{"BackColor", colour<SysColour::WindowBackground>,
                colour<SysColour::WindowBackground>,
                [](const B& b) { return PropertyValue(OleColour{b.m_backColor}); },
                [](B& b, const PropertyValue& v) {
                    b.m_backColor = std::get<OleColour>(v).value;
                    b.applyColours();
                },
                1, 1},
            // Out-of-range values are ignored, as the setter ignores them.
            Row{"BorderStyle", number<int(BoxBorder::FixedSingle)>,
                number<int(BoxBorder::FixedSingle)>,
                [](const B& b) { return PropertyValue(b.m_borderStyle); },
                [](B& b, const PropertyValue& v) {
                    if (const int n = std::get<std::int32_t>(v); IsBoxBorder(n)) {
                        b.m_borderStyle = n;
                    }
                },
                0, 2},
            Row{"Enabled", nullptr, yes, [](const B& b) { return PropertyValue(b.m_enabled); },
                [](B& b, const PropertyValue& v) {
                    b.m_enabled = std::get<bool>(v);
                    b.m_settingEnabled = true;
                    b.QWidget::setEnabled(b.m_enabled);
                    b.m_settingEnabled = false;
                },
                no, 4},
            Row{"Font", ambientFont, ambientFont,
                [](const B& b) { return PropertyValue(b.m_font); },
                [](B& b, const PropertyValue& v) {
                    b.m_font = std::get<FontValue>(v);
                    b.applyFont();
                },
                no, 5},
            Row{"Alignment", nullptr, number<int(BoxAlignment::Left)>,
                [](const B& b) { return PropertyValue(b.m_alignment); },
                [](B& b, const PropertyValue& v) {
                    if (const int n = std::get<std::int32_t>(v); IsBoxAlignment(n)) {
                        b.m_alignment = n;
                    }
                    b.applyAlignment();
                },
                no, 0},
            Row{"ForeColor", nullptr, colour<SysColour::WindowText>,
                [](const B& b) { return PropertyValue(OleColour{b.m_foreColor}); },
                [](B& b, const PropertyValue& v) {
                    b.m_foreColor = std::get<OleColour>(v).value;
                    b.applyColours();
                },
                no, 3},
            Row{"Min", number<0>, number<0>,
                [](const B& b) { return PropertyValue(b.m_rules.Min()); },
                [](B& b, const PropertyValue& v) { b.m_rules.setMin(std::get<std::int32_t>(v)); },
                2, 6},
            Row{"Max", number<100>, number<100>,
                [](const B& b) { return PropertyValue(b.m_rules.Max()); },
                [](B& b, const PropertyValue& v) { b.m_rules.setMax(std::get<std::int32_t>(v)); },
                3, 7},
            // As text, so that the text rule takes it against the bounds just loaded.
            Row{"Value", number<0>, number<0>,
                [](const B& b) { return PropertyValue(b.m_rules.Value()); },
                [](B& b, const PropertyValue& v) {
                    b.showText(QString::number(std::get<std::int32_t>(v)));
                },
                4, 8},
        };
    }

    static const auto& table() {
        static constexpr auto kRows = rows();
        return kRows;
    }
    static std::span<const std::size_t> initOrder() {
        static constexpr auto kOrder = OrderOf(rows(), &Row::initAt);
        static_assert(kOrder.valid && kOrder.size >= kInitBeforeFont,
                      "each place of the init order held by exactly one row");
        return kOrder.order();
    }
    static std::span<const std::size_t> writeOrder() {
        static constexpr auto kOrder = OrderOf(rows(), &Row::writeAt);
        static_assert(kOrder.valid, "each place of the write order held by exactly one row");
        return kOrder.order();
    }
};

void ucUpDownBox::InitProperties() {
    using P = Properties;
    InitRows<ucUpDownBox>(*this, P::table(), P::initOrder().first(P::kInitBeforeFont));
    setFont(Site()->AmbientFont());
    // The value's row runs the text rule, which may raise Change.
    if (!m_guard.survives([&] {
            InitRows<ucUpDownBox>(*this, P::table(), P::initOrder().subspan(P::kInitBeforeFont));
        })) {
        return;
    }
    update();
}

void ucUpDownBox::ReadProperties(const PropertyBag& bag) {
    // The value's row, the last one, runs the text rule, which may raise Change.
    if (!m_guard.survives([&] { ReadRows<ucUpDownBox>(*this, bag, Properties::table()); })) {
        return;
    }
    relayout();
    update();
}

void ucUpDownBox::WriteProperties(PropertyBag& bag) const {
    WriteRows<ucUpDownBox>(*this, bag, Properties::table(), Properties::writeOrder());
}

QSize ucUpDownBox::sizeHint() const {
    const QSize least = minimumSizeHint();
    return {std::max(least.width(), 8 * m_barWidth), least.height()};
}

QSize ucUpDownBox::minimumSizeHint() const {
    const int frame = 2 * border();
    return {2 * m_barWidth + frame, QFontMetrics(m_txtValue->font()).height() + 4 + frame};
}

void ucUpDownBox::resizeEvent(QResizeEvent* e) {
    UserControl::resizeEvent(e);
    relayout();
}

void ucUpDownBox::paintEvent(QPaintEvent*) {
    if (border() == 0) {
        return;
    }
    // A one-pixel frame just outside the client area, as four one-pixel strips.
    QPainter p(this);
    const QColor c = OleToQt(TranslateColor(SysColour::WindowFrame, palette()));
    const int w = width();
    const int h = height();
    p.fillRect(0, 0, w, 1, c);
    p.fillRect(0, h - 1, w, 1, c);
    p.fillRect(0, 0, 1, h, c);
    p.fillRect(w - 1, 0, 1, h, c);
}

void ucUpDownBox::changeEvent(QEvent* e) {
    UserControl::changeEvent(e);
    if (e->type() == QEvent::PaletteChange) {
        applyColours();  // system colours follow the platform's scheme
    } else if (e->type() == QEvent::EnabledChange && !m_settingEnabled) {
        // A container greying us leaves the property; QWidget::setEnabled on us sets it.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != m_enabled) {
            setEnabled(own);
        }
    } else if (e->type() == QEvent::FontChange && !m_settingFont) {
        // QWidget::setFont from outside: the font becomes the Font property, unless it only
        // changed what the property does not hold.
        const FontValue f = FontValueOf(font());
        if (!(f == FontValueOf(QFontOf(m_font)))) {
            setFont(f);
        }
    }
}

void ucUpDownBox::relayout() {
    const int b = border();
    const double tpx = ControlSite::TwipsPerPixelX();
    const double tpy = ControlSite::TwipsPerPixelY();
    UpDownLayoutInput in;
    in.outerWidthTwips = static_cast<int>(std::lround(width() * tpx));
    in.outerHeightTwips = static_cast<int>(std::lround(height() * tpy));
    in.innerWidth = width() - 2 * b;
    in.innerHeight = height() - 2 * b;
    in.barWidth = m_barWidth;
    in.lineHeight = QFontMetrics(m_txtValue->font()).height();
    in.twipsPerPixelX = tpx;
    in.twipsPerPixelY = tpy;
    const UpDownLayout out = layoutUpDown(in);

    m_inner->setGeometry(b, b, out.innerWidth, out.innerHeight);
    m_txtValue->setGeometry(toQRect(out.field));
    m_ucBar->setGeometry(toQRect(out.bar));
    const QSize outer(static_cast<int>(std::lround(out.outerWidthTwips / tpx)),
                      static_cast<int>(std::lround(out.outerHeightTwips / tpy)));
    if (outer != size()) {
        resize(outer);  // the host's resize runs this again, which then changes nothing
    }
}

void ucUpDownBox::applyColours() {
    // Resolved against the box's own palette, which is the host's and never changed here.
    const QColor back = OleToQt(TranslateColor(m_backColor, palette()));
    const QColor fore = OleToQt(TranslateColor(m_foreColor, palette()));
    QPalette inner = m_inner->palette();
    inner.setColor(QPalette::Window, back);
    m_inner->setPalette(inner);
    QPalette field = m_txtValue->palette();
    field.setColor(QPalette::Base, back);
    field.setColor(QPalette::Window, back);
    // A disabled field keeps the platform's grey text.
    field.setColor(QPalette::Active, QPalette::Text, fore);
    field.setColor(QPalette::Inactive, QPalette::Text, fore);
    m_txtValue->setPalette(field);
}

void ucUpDownBox::applyFont() {
    const QFont f = QFontOf(m_font);
    m_settingFont = true;
    QWidget::setFont(f);
    m_settingFont = false;
    m_txtValue->setFont(f);
}

void ucUpDownBox::applyAlignment() {
    m_txtValue->setAlignment(qtAlignment(m_alignment));
}

bool ucUpDownBox::showText(const QString& text) {
    return m_guard.survives([&] {
        if (m_txtValue->text() == text) {
            onTextChanged(text);  // the field reports no change, but the rule still runs
        } else {
            m_txtValue->setText(text);
        }
    });
}

bool ucUpDownBox::raiseChange() {
    return m_guard.survives([this] { emit Change(); });
}

void ucUpDownBox::onTextChanged(const QString& text) {
    if (m_rules.applyText(TextOf(text))) {
        raiseChange();
    }
}

void ucUpDownBox::onBarMoved(int position) {
    // Qt's vertical bar counts downwards: its upper arrow moves it to -1, which is the
    // step up, as is the Up key.
    if (!m_rules.spin(-position)) {
        return;
    }
    m_ucBar->setValue(0);
    if (!showText(QString::number(m_rules.Value()))) {
        return;
    }
    m_txtValue->selectAll();
    raiseChange();
}

void ucUpDownBox::mendText() {
    // Leaving the field, it shows the number that Value holds and a save will store.
    const QString shown = QString::number(m_rules.Value());
    if (m_txtValue->text() != shown) {
        showText(shown);
    }
}

}  // namespace corvane
