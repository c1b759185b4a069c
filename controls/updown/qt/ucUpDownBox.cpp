#include "controls/updown/qt/ucUpDownBox.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>
#include <cmath>

#include "controls/draw/qt/QtText.h"
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

    m_model.font = Site()->AmbientFont();
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
    m_model.setAlignment(New_Alignment);
}

void ucUpDownBox::setBackColor(quint32 New_BackColor) {
    m_model.setBackColor(New_BackColor);
}

void ucUpDownBox::setBorderStyle(int New_BorderStyle) {
    m_model.setBorderStyle(New_BorderStyle);
}

void ucUpDownBox::setEnabled(bool New_Enabled) {
    // The parts follow the box's own setting, not only its container's.
    m_txtValue->setEnabled(New_Enabled);
    m_ucBar->setEnabled(New_Enabled);
    m_model.setEnabled(New_Enabled);
}

void ucUpDownBox::setFont(const FontValue& New_Font) {
    m_model.setFont(New_Font);
}

void ucUpDownBox::setForeColor(quint32 New_ForeColor) {
    m_model.setForeColor(New_ForeColor);
}

void ucUpDownBox::setMax(int New_Max) {
    m_model.setMax(New_Max);
}

void ucUpDownBox::setMin(int New_Min) {
    m_model.setMin(New_Min);
}

void ucUpDownBox::setValue(int New_Value) {
    // The text rule that this write runs sets Value and raises Change.
    if (!showText(QStringOf(m_model.rules.textForValue(New_Value)))) {
        return;
    }
    UserControl::PropertyChanged(QStringLiteral("Value"));
}

void ucUpDownBox::InitProperties() {
    m_model.InitBeforeFont();
    setFont(Site()->AmbientFont());
    // The value's row runs the text rule, which may raise Change.
    if (!m_guard.survives([&] { m_model.InitAfterFont(); })) {
        return;
    }
    update();
}

void ucUpDownBox::ReadProperties(const PropertyBag& bag) {
    // The value's row, the last one, runs the text rule, which may raise Change.
    if (!m_guard.survives([&] { m_model.Read(bag); })) {
        return;
    }
    relayout();
    update();
}

void ucUpDownBox::WriteProperties(PropertyBag& bag) const {
    m_model.Write(bag);
}

FontValue ucUpDownBox::AmbientFont() const {
    return Site()->AmbientFont();
}

void ucUpDownBox::applyEnabled() {
    m_settingEnabled = true;
    QWidget::setEnabled(m_model.enabled);
    m_settingEnabled = false;
}

void ucUpDownBox::applyLayout() {
    relayout();
    update();
}

void ucUpDownBox::PropertyChanged(std::string_view name) {
    UserControl::PropertyChanged(
        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

bool ucUpDownBox::showText(std::u16string_view text) {
    return showText(QStringOf(text));
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
    // A one-pixel frame just outside the client area, in logical pixels: on a denser screen
    // each of them covers its device pixels whole.
    QImage frame(size(), QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    PaintUpDownFrame(ViewOf(frame), TranslateColor(SysColour::WindowFrame, palette()));
    QPainter(this).drawImage(rect(), frame);
}

void ucUpDownBox::changeEvent(QEvent* e) {
    UserControl::changeEvent(e);
    if (e->type() == QEvent::PaletteChange) {
        applyColours();  // system colours follow the platform's scheme
    } else if (e->type() == QEvent::EnabledChange && !m_settingEnabled) {
        // A container greying us leaves the property; QWidget::setEnabled on us sets it.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != m_model.enabled) {
            setEnabled(own);
        }
    } else if (e->type() == QEvent::FontChange && !m_settingFont) {
        // QWidget::setFont from outside: the font becomes the Font property, unless it only
        // changed what the property does not hold.
        const FontValue f = FontValueOf(font());
        if (!(f == FontValueOf(QFontOf(m_model.font)))) {
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
    const QColor back = OleToQt(TranslateColor(m_model.backColor, palette()));
    const QColor fore = OleToQt(TranslateColor(m_model.foreColor, palette()));
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
    const QFont f = QFontOf(m_model.font);
    m_settingFont = true;
    QWidget::setFont(f);
    m_settingFont = false;
    m_txtValue->setFont(f);
}

void ucUpDownBox::applyAlignment() {
    m_txtValue->setAlignment(qtAlignment(m_model.alignment));
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
    if (m_model.rules.applyText(TextOf(text))) {
        raiseChange();
    }
}

void ucUpDownBox::onBarMoved(int position) {
    // Qt's vertical bar counts downwards: its upper arrow moves it to -1, which is the
    // step up, as is the Up key.
    if (!m_model.rules.spin(-position)) {
        return;
    }
    m_ucBar->setValue(0);
    if (!showText(QString::number(m_model.rules.Value()))) {
        return;
    }
    m_txtValue->selectAll();
    raiseChange();
}

void ucUpDownBox::mendText() {
    // Leaving the field, it shows the number that Value holds and a save will store.
    const QString shown = QString::number(m_model.rules.Value());
    if (m_txtValue->text() != shown) {
        showText(shown);
    }
}

}  // namespace corvane
