#include "TBoardHighlight.h"

#include "Application.h"
#include "Canvas.h"
#include "Control.h"
#include "Cursor.h"
#include "Geometry.h"
#include "TBoardImage.h"
#include "TButton.h"
#include "TMainMenu.h"
#include "TMemo.h"
#include "TMenuItem.h"
#include "TPopupForm.h"
#include "TRadioPanel.h"
#include "TStatusBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

using namespace BoardView;

namespace {

struct HighlightStyle
{
    TColor ringColor;
    float rest;
    float lit;
    float glow;
};

HighlightStyle styleOf(THighlightType type)
{
    switch (type) {
    case htOptions: return {0xFF0000, 0.25f, 0.5f, 1.0f};
    case htSettings: return {0x00FFFF, 0.5f, 0.75f, 1.0f};
    case htCalibration: return {0x0000FF, 0.5f, 0.75f, 1.0f};
    }
    return {0x00FFFF, 0.5f, 0.75f, 1.0f};
}

// What a screen reader says a circle of the kind is.
QString accessibleKind(THighlightType type)
{
    switch (type) {
    case htOptions: return QStringLiteral("information highlight");
    case htSettings: return QStringLiteral("settings highlight");
    case htCalibration: return QStringLiteral("calibration highlight");
    }
    return QStringLiteral("settings highlight");
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool startsIdentifier(QChar c)
{
    return isAsciiLetter(c) || c == u'_';
}

bool continuesIdentifier(QChar c)
{
    return startsIdentifier(c) || (c >= u'0' && c <= u'9');
}

bool isIdentifier(const QString &text)
{
    if (text.isEmpty() || !startsIdentifier(text.front()))
        return false;
    for (QChar c : text)
        if (!continuesIdentifier(c))
            return false;
    return true;
}

QString identifierStem(const QString &title)
{
    if (title.isEmpty() || isIdentifier(title))
        return title;
    qsizetype start = 0;
    while (start < title.size() && !startsIdentifier(title.at(start)))
        ++start;
    QString stem;
    for (qsizetype i = start; i < title.size(); ++i)
        if (i == start || continuesIdentifier(title.at(i)))
            stem += title.at(i);
    return stem;
}

struct TypeMenu
{
    const char *caption;
    const char *nameWord;
    // The type menu goes before the first top-level item with one of these captions, which
    // keeps the type menus in the order Settings, Calibration, Options, and before Help.
    QStringList before;
};

TypeMenu typeMenuOf(THighlightType type)
{
    switch (type) {
    case htOptions: return {"&Options", "Options", {QStringLiteral("&Help")}};
    case htSettings:
        return {"&Settings", "Settings", {QStringLiteral("&Calibration"), QStringLiteral("&Options"), QStringLiteral("&Help")}};
    case htCalibration: return {"&Calibration", "Calibration", {QStringLiteral("&Options"), QStringLiteral("&Help")}};
    }
    return {"&Settings", "Settings", {QStringLiteral("&Help")}};
}

// A title without a single identifier character still needs a valid component name.
const char *const fallbackItemStem = "MenuItem";

// Where a pixel lies on the ring, from d = u² + v² with u and v running from −1 to 1 across the
// rectangle: outside the ellipse, inside the inner disc (radius 0.77) or on the ring band, with
// its weight before glow and intensity.
struct RingPoint
{
    bool band;
    float weight;
};

// Calls visit(x, y, point) for every pixel of a w x h rectangle inside the ring's ellipse, in
// single precision as the ring is defined. Nothing for a rectangle narrower or lower than 2.
template<class Visit>
void WalkRing(int w, int h, Visit visit)
{
    if (w < 2 || h < 2)
        return;
    const float stepX = 2.0f / float(w - 1);
    const float stepY = 2.0f / float(h - 1);
    for (int y = 0; y < h; ++y) {
        const float v = float(y) * stepY - 1.0f;
        const float vv = v * v;
        for (int x = 0; x < w; ++x) {
            const float u = float(x) * stepX - 1.0f;
            const float d = u * u + vv;
            if (d >= 1.0f)
                continue;
            if (d < 0.5929f)
                visit(x, y, RingPoint{false, 0.16f});
            else
                visit(x, y, RingPoint{true, 1.0f - 8.0f * std::fabs(std::sqrt(d) - 0.875f)});
        }
    }
}

struct RingColour
{
    explicit RingColour(TColor colour)
        : red(float(colour & 0xFF)), green(float((colour >> 8) & 0xFF)), blue(float((colour >> 16) & 0xFF))
    {
    }
    float red, green, blue;
};

// A blended component (never negative, at most 255) rounded to the nearest integer, halves to
// even, exactly as std::nearbyintf rounds it: once 2^23 is added no bits below the units are
// left, so the addition itself rounds, and taking 2^23 away again is exact. nearbyintf is a
// library call that saves and restores the floating-point state, three times a pixel; this is
// two additions.
int RoundHalfEven(float component)
{
    constexpr float Units = 8388608.0f; // 2^23
    return int((component + Units) - Units);
}

// The pixel with the ring blended over it: on the band a glow doubles the weight and, beyond
// 1, blends from white instead; then the weight is scaled by the intensity and each component
// becomes p × (1 − w) + c × w, halves rounded to even.
QRgb BlendRing(QRgb pixel, const RingPoint &point, const RingColour &ring, float intensity, bool glow)
{
    float weight = point.weight;
    if (glow && point.band) {
        weight = 2.0f * weight;
        if (weight > 1.0f) {
            pixel = qRgb(255, 255, 255);
            weight = 2.0f - weight;
        }
    }
    weight = weight * intensity;
    const auto blend = [weight](int p, float c) { return RoundHalfEven(float(p) * (1.0f - weight) + c * weight); };
    return qRgb(blend(qRed(pixel), ring.red), blend(qGreen(pixel), ring.green), blend(qBlue(pixel), ring.blue));
}

} // namespace

TBoardHighlight::TBoardHighlight(QWidget *parent)
    : QWidget(parent)
    , Component(this)
{
    resize(65, 65);
    setHighlightType(htSettings);
}

TBoardHighlight::~TBoardHighlight()
{
    // Freed before the circle is half gone: a popup going away may still report its
    // deactivation, and it must not reach this circle any more.
    if (m_popup) {
        m_popup->setHighlight(nullptr);
        m_popup->setOnClose(nullptr);
        delete m_popup;
    }
}

TRadioPanel *TBoardHighlight::radioPanel() const { return m_radioPanel; }
TMainMenu *TBoardHighlight::boardMenu() const { return m_boardMenu; }
TPopupForm *TBoardHighlight::popup() const { return m_popup; }

void TBoardHighlight::setHighlightType(THighlightType type)
{
    if (type == m_highlightType)
        return;
    m_highlightType = type;
    const HighlightStyle style = styleOf(type);
    m_ringColor = style.ringColor;
    m_restIntensity = style.rest;
    m_litIntensity = style.lit;
    m_glowIntensity = style.glow;
    setAccessibleDescription(accessibleKind(type));
    update();
}

void TBoardHighlight::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    m_plainTitle = QString(title).remove(u'&');
    m_nameStem = identifierStem(title);
    setAccessibleName(m_plainTitle);
}

void TBoardHighlight::setRadioPanel(TRadioPanel *panel)
{
    if (panel == m_radioPanel)
        return;
    if (panel && parentWidget()) {
        const auto siblings = parentWidget()->children();
        for (QObject *child : siblings) {
            auto *other = qobject_cast<TBoardHighlight *>(child);
            if (!other || other == this || !isClass(other, "TBoardHighlight") || other->m_radioPanel != panel)
                continue;
            if (other->m_title != m_title || other->m_highlightType != m_highlightType)
                return; // the panel belongs to another group
        }
    }
    m_radioPanel = panel;
}

QList<TBoardHighlight *> TBoardHighlight::LinkedCircles() const
{
    QList<TBoardHighlight *> linked;
    QWidget *parent = parentWidget();
    if (!isClass(parent, "TBoardImage"))
        return linked;
    const auto children = parent->children();
    for (QObject *child : children) {
        auto *circle = qobject_cast<TBoardHighlight *>(child);
        if (circle && isClass(circle, "TBoardHighlight") && circle->m_title == m_title
            && circle->m_highlightType == m_highlightType)
            linked.append(circle);
    }
    return linked;
}

QList<QPointer<TBoardHighlight>> TBoardHighlight::LinkedSnapshot() const
{
    // Passing a notification on runs handlers and reorders the parent's children; walk a
    // copy taken before, and skip circles freed on the way.
    QList<QPointer<TBoardHighlight>> snapshot;
    for (TBoardHighlight *circle : LinkedCircles())
        snapshot.append(circle);
    return snapshot;
}

void TBoardHighlight::MouseEnter(int param)
{
    if (m_lit)
        return;
    m_lit = true;
    update();
    if (m_createPopup)
        ShowPopup();
    if (param == 1)
        return;
    for (const QPointer<TBoardHighlight> &circle : LinkedSnapshot())
        if (circle)
            circle->MouseEnter(1);
}

void TBoardHighlight::MouseLeave(int param)
{
    if (!m_lit)
        return;
    if (m_popup && !m_pinned) {
        const QRect outer(Left(m_popup), Top(m_popup), Width(m_popup), Height(m_popup));
        if (outer.contains(CursorPos())) {
            // The pointer moved from the circle into its popup.
            m_popup->setCloseOnLeave(true);
            Pin();
        } else {
            m_popup->close();
        }
    }
    if (param == 1)
        return;
    for (const QPointer<TBoardHighlight> &circle : LinkedSnapshot())
        if (circle)
            circle->MouseLeave(1);
}

void TBoardHighlight::Click()
{
    if (m_onClick)
        m_onClick(this);
    Pin();
}

void TBoardHighlight::Pin()
{
    if (m_popup) {
        m_pinned = true;
        SetMenuChecked(true);
    }
    for (const QPointer<TBoardHighlight> &circle : LinkedSnapshot()) {
        if (!circle || !circle->m_popup)
            continue;
        circle->m_pinned = true;
        circle->SetMenuChecked(true);
        circle->m_popup->FocusPopup();
    }
}

void TBoardHighlight::SetPopupActive(bool active, bool withLinked)
{
    m_popupActive = active;
    raise();
    update();
    if (!withLinked)
        return;
    // Raising reorders the parent's children; the list was taken before any of that.
    for (const QPointer<TBoardHighlight> &circle : LinkedSnapshot())
        if (circle && circle != this)
            circle->SetPopupActive(active, false);
}

void TBoardHighlight::Unlight()
{
    m_lit = false;
    update();
}

const QImage &TBoardHighlight::shownImage() const
{
    if (m_lit && m_popupActive)
        return m_glowImage;
    if (m_lit || m_popupActive)
        return m_litImage;
    return m_restImage;
}

QImage TBoardHighlight::Background() const
{
    QWidget *parent = parentWidget();
    if (auto *board = qobject_cast<TBoardImage *>(parent))
        return board->PaintedArea(geometry());
    QImage image(size(), QImage::Format_RGB32);
    image.fill(parent ? parent->palette().color(parent->backgroundRole()) : palette().color(QPalette::Window));
    return image;
}

void TBoardHighlight::RenderImages()
{
    QImage background = Background();
    if (background.format() != QImage::Format_RGB32)
        background = background.convertToFormat(QImage::Format_RGB32);
    m_restImage = background;
    m_litImage = background;
    m_glowImage = background;
    // Each image gets its own pixels before the ring goes on.
    m_restImage.detach();
    m_litImage.detach();
    m_glowImage.detach();
    // What RenderRing does to each image, in one walk: the three share every pixel's place on
    // the ring, and only the blend differs.
    const RingColour ring(m_ringColor);
    QRgb *rest = reinterpret_cast<QRgb *>(m_restImage.bits());
    QRgb *lit = reinterpret_cast<QRgb *>(m_litImage.bits());
    QRgb *glow = reinterpret_cast<QRgb *>(m_glowImage.bits());
    const qsizetype stride = background.bytesPerLine() / qsizetype(sizeof(QRgb));
    WalkRing(background.width(), background.height(), [&](int x, int y, const RingPoint &point) {
        const qsizetype at = y * stride + x;
        rest[at] = BlendRing(rest[at], point, ring, m_restIntensity, false);
        glow[at] = BlendRing(glow[at], point, ring, m_glowIntensity, true);
        lit[at] = BlendRing(lit[at], point, ring, m_litIntensity, false);
    });
}

void TBoardHighlight::RenderRing(QImage &image, TColor ringColor, float intensity, bool glow)
{
    if (image.width() < 2 || image.height() < 2)
        return; // the ring is scaled by w - 1 and h - 1
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    const RingColour ring(ringColor);
    QRgb *pixels = reinterpret_cast<QRgb *>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    WalkRing(image.width(), image.height(), [&](int x, int y, const RingPoint &point) {
        QRgb &pixel = pixels[y * stride + x];
        pixel = BlendRing(pixel, point, ring, intensity, glow);
    });
}

void TBoardHighlight::paintEvent(QPaintEvent *)
{
    Guarded([this] { Paint(); });
}

void TBoardHighlight::Paint()
{
    if (!m_firstPaintDone)
        FirstPaint();
    const QImage &image = shownImage();
    if (!image.isNull())
        BlockCopy(this, image);
}

void TBoardHighlight::FirstPaint()
{
    RenderImages();
    QWidget *parent = parentWidget();
    if (isClass(parent, "TBoardImage")) {
        m_boardMenu = static_cast<TBoardImage *>(parent)->menu();
        BuildMenu();
    } else {
        m_boardMenu = nullptr;
    }
    m_firstPaintDone = true;
}

void TBoardHighlight::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    Guarded([this] { MouseEnter(0); });
}

void TBoardHighlight::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    Guarded([this] { MouseLeave(0); });
}

void TBoardHighlight::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void TBoardHighlight::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        Guarded([this] { Click(); });
}

void TBoardHighlight::ShowPopup()
{
    if (m_popup) {
        // Shown again as the user left it: same place and size, not focused again.
        if (m_popup->isHidden())
            m_pinned = false;
        m_popup->show();
        m_popup->raise();
        return;
    }
    const qint64 typeTag = qint64(m_highlightType);
    const auto forms = Application::instance()->forms();
    for (TForm *form : forms)
        if (form->caption() == m_plainTitle && form->tag() == typeTag)
            return; // the group's popup, held (and shown) by a linked circle

    auto *popup = new TPopupForm(this);
    m_popup = popup;
    popup->setHighlight(this);
    popup->setAutoScroll(false);
    popup->setBorderStyle(Vcl::bsSizeToolWin);
    popup->setFormStyle(Vcl::fsStayOnTop);
    m_pinned = false;

    TRadioPanel *panel = m_radioPanel;
    int memoHeight = 58;
    int panelLeft = 0;
    int panelTop = 0;
    if (panel) {
        memoHeight = panel->memoHeight();
        popup->setOnActivate(panel->onActivate());
        popup->setOnDeactivate(panel->onDeactivate());
        panelLeft = Left(panel);
        panelTop = Top(panel);
        SetBounds(panel, 0, 0, panel->width(), panel->height());
        popup->setClientSize(panel->width(), panel->height() + memoHeight + 51);
        panel->setParent(popup->client());
        panel->show();
        SetAnchors(panel, panel->finalAnchors());
        panel->setInPopup();
    } else {
        popup->setOuterSize(194, 141);
    }

    popup->setCaption(m_plainTitle); // also its accessible name
    popup->setAccessibleDescription(panel ? panel->lines().join(u' ').simplified() : accessibleDescription());
    popup->setOuterSize(qMax(194, popup->outerWidth()), qMax(122, popup->outerHeight()));
    popup->KeepSizeAsMinimum();
    popup->setTag(typeTag);
    popup->setPosition(Vcl::poDesigned);

    // The board image's coordinates on its window, taken as screen coordinates.
    QWidget *parent = parentWidget();
    int left = 0;
    int top = 0;
    if (parent && panel && isClass(parent, "TBoardImage")) {
        const auto *board = static_cast<TBoardImage *>(parent);
        left = Left(parent) - (board->designLeft() - panelLeft);
        top = Top(parent) - (board->designTop() - panelTop);
    } else if (parent && panel) {
        left = Left(parent);
        top = Top(parent);
    } else if (parent) {
        left = Left(parent);
        top = Top(parent) + Height(parent) + 38;
    }

    QPointer<TBoardHighlight> circle(this);
    popup->setOnClose([circle](QObject *) {
        if (circle)
            circle->PopupClosed();
    });

    const int cw = popup->clientWidth();
    const int ch = popup->clientHeight();
    QWidget *client = popup->client();
    auto *status = new TStatusBar(popup);
    status->setName(QStringLiteral("PopupStatus"));
    status->setParent(client);
    status->setSizeGripEnabled(false);
    SetBounds(status, 0, ch - 19, cw, 19);
    SetAnchors(status, Vcl::akLeft | Vcl::akRight | Vcl::akBottom);
    popup->setPopupStatus(status);

    const auto addButton = [&](const char *name, const char *caption, int buttonLeft, Vcl::TAnchors anchors,
                               void (TBoardHighlight::*handler)()) {
        auto *button = new TButton(popup);
        button->setName(QLatin1String(name));
        button->setText(QLatin1String(caption));
        button->setParent(client);
        SetBounds(button, buttonLeft, ch - 44, 58, 25);
        SetAnchors(button, anchors);
        button->setOnClick([circle, handler](QObject *) {
            if (circle)
                (circle->*handler)();
        });
        return button;
    };
    addButton("PreviousButton", "Previous", 6, Vcl::akLeft | Vcl::akBottom, &TBoardHighlight::PreviousButtonClick);
    addButton("NextButton", "Next", Div(cw - 58, 2), Vcl::akBottom, &TBoardHighlight::NextButtonClick);
    TButton *done = addButton("DoneButton", "Done", cw - 64, Vcl::akRight | Vcl::akBottom,
                              &TBoardHighlight::DoneButtonClick);

    auto *memo = new TMemo(popup);
    memo->setName(QStringLiteral("StatusMemo"));
    memo->setParent(client);
    SetBounds(memo, 6, ch - 50 - memoHeight, cw - 12, memoHeight);
    SetAnchors(memo, Vcl::akLeft | Vcl::akTop | Vcl::akRight | Vcl::akBottom);
    memo->setReadOnly(true);
    memo->setScrollBars(Vcl::ssVertical);
    memo->clearLines();
    if (panel)
        memo->setLines(panel->lines());

    // Kept on the primary screen, checked once: a window wider than the screen ends left of it.
    const QSize screen = Application::instance()->screenSize();
    if (left < 0)
        left = 0;
    else if (left + popup->outerWidth() > screen.width())
        left = screen.width() - popup->outerWidth();
    if (top < 0)
        top = 0;
    else if (top + popup->outerHeight() > screen.height())
        top = screen.height() - popup->outerHeight();
    SetBounds(popup, left, top, popup->outerWidth(), popup->outerHeight());

    popup->setFirstFocus(panel ? static_cast<QWidget *>(panel) : done);
    popup->showForm();
    popup->FocusPopup();
}

void TBoardHighlight::PopupClosed()
{
    SetMenuChecked(false);
    if (m_popup)
        m_popup->setCloseOnLeave(false);
    Unlight();
    for (const QPointer<TBoardHighlight> &circle : LinkedSnapshot())
        if (circle)
            circle->Unlight();
}

void TBoardHighlight::PreviousButtonClick()
{
    StepTour(-1);
}

void TBoardHighlight::NextButtonClick()
{
    StepTour(1);
}

void TBoardHighlight::DoneButtonClick()
{
    if (m_popup)
        m_popup->close();
}

void TBoardHighlight::StepTour(int step)
{
    TMenuItem *typeMenu = nullptr;
    int index = -1;
    for (TMenuItem *menu : TypeMenus()) {
        for (int i = 0; i < menu->count() && index < 0; ++i)
            if (menu->item(i)->caption() == m_title)
                index = i;
        if (index >= 0) {
            typeMenu = menu;
            break;
        }
    }
    if (!typeMenu)
        return; // no menu, or the title is not listed: the popup stays
    const int count = typeMenu->count();
    if (m_popup)
        m_popup->close();
    const int target = step < 0 ? (index == 0 ? count - 1 : index - 1) : (index == count - 1 ? 0 : index + 1);
    // The circle is the sender, so the target always opens and pins, checked or not.
    if (const NotifyEvent handler = typeMenu->item(target)->onClick())
        handler(this);
}

QList<TMenuItem *> TBoardHighlight::TypeMenus() const
{
    QList<TMenuItem *> menus;
    if (!m_boardMenu)
        return menus;
    const QString caption = QLatin1String(typeMenuOf(m_highlightType).caption);
    for (int i = 0; i < m_boardMenu->count(); ++i)
        if (m_boardMenu->item(i)->caption() == caption)
            menus.append(m_boardMenu->item(i));
    return menus;
}

TMenuItem *TBoardHighlight::GroupItem() const
{
    for (TMenuItem *typeMenu : TypeMenus())
        for (int i = 0; i < typeMenu->count(); ++i)
            if (typeMenu->item(i)->caption() == m_title)
                return typeMenu->item(i);
    return nullptr;
}

void TBoardHighlight::BuildMenu()
{
    if (!m_boardMenu)
        return;
    // The names and owner are those of the menu's owner (the main window); a menu without
    // one keeps its items itself.
    Component *owner = m_boardMenu->owner() ? m_boardMenu->owner() : static_cast<Component *>(m_boardMenu.data());
    const QList<TMenuItem *> existing = TypeMenus();
    TMenuItem *typeMenu = existing.value(0);
    if (typeMenu) {
        for (int i = 0; i < typeMenu->count(); ++i)
            if (typeMenu->item(i)->caption() == m_title)
                return; // listed by a linked circle, or by another of the same title and type
    } else {
        const TypeMenu kind = typeMenuOf(m_highlightType);
        typeMenu = new TMenuItem(owner);
        typeMenu->setName(owner->uniqueName(QLatin1String(kind.nameWord)));
        typeMenu->setCaption(QLatin1String(kind.caption));
        int index = m_boardMenu->count();
        for (int i = 0; i < m_boardMenu->count(); ++i) {
            if (kind.before.contains(m_boardMenu->item(i)->caption())) {
                index = i;
                break;
            }
        }
        m_boardMenu->items()->insert(index, typeMenu);
    }
    if (m_title.isEmpty())
        return;
    auto *item = new TMenuItem(owner);
    item->setName(owner->uniqueName(m_nameStem.isEmpty() ? QLatin1String(fallbackItemStem) : m_nameStem));
    item->setCaption(m_title);
    QPointer<TBoardHighlight> circle(this);
    item->setOnClick([circle](QObject *sender) {
        if (circle)
            circle->MenuItemClick(sender);
    });
    typeMenu->add(item);
}

void TBoardHighlight::SetMenuChecked(bool value)
{
    if (TMenuItem *item = GroupItem())
        item->setChecked(value);
}

void TBoardHighlight::MenuItemClick(QObject *sender)
{
    auto *item = qobject_cast<TMenuItem *>(sender);
    if (item && isClass(item, "TMenuItem") && item->checked()) {
        if (m_popup) {
            m_popup->close();
            return;
        }
        for (const QPointer<TBoardHighlight> &circle : LinkedSnapshot())
            if (circle && circle->m_popup)
                circle->MenuItemClick(sender);
        return;
    }
    MouseEnter(0);
    Pin();
    MouseLeave(0);
}
