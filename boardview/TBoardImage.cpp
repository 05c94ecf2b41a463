#include "TBoardImage.h"

#include <QPointer>

#include "Application.h"
#include "Control.h"
#include "Geometry.h"
#include "TBoardHighlight.h"
#include "TMainMenu.h"

#include <QMouseEvent>
#include <QPainter>

TBoardImage::TBoardImage(QWidget *parent)
    : TCustomPanel(parent)
    , m_picture(std::make_shared<TPicture>())
{
    resize(105, 105);
    m_picture->OnChange = [this] { PictureChanged(); };
}

TBoardImage::~TBoardImage()
{
    // The picture may outlive the control as a property value somebody still holds; it must
    // not call back into a control that is gone.
    m_picture->OnChange = nullptr;
}

void TBoardImage::setCenterOnForm(bool value)
{
    if (value == m_centerOnForm)
        return;
    m_centerOnForm = value;
    update();
}

void TBoardImage::setScale(bool value)
{
    if (value == m_scale)
        return;
    m_scale = value;
    PictureChanged();
}

void TBoardImage::setAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    AdjustToPicture();
}

void TBoardImage::setCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    PictureChanged();
}

void TBoardImage::setStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    PictureChanged();
}

void TBoardImage::setTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    PictureChanged();
}

void TBoardImage::setPicture(const PictureValue &value)
{
    if (value)
        m_picture->Assign(*value);
    else
        m_picture->SetGraphic(nullptr);
}

qintptr TBoardImage::handleMessage(int msg, qintptr wParam, qintptr)
{
    if (msg != StartTourMessage || !m_first)
        return 0;
    const int param = int(wParam);
    m_first->MouseEnter(param);
    m_first->Click();
    m_first->MouseLeave(param);
    return 0;
}

QRect TBoardImage::DestRect() const
{
    if (m_stretch)
        return rect();
    const int w = m_picture->Width();
    const int h = m_picture->Height();
    if (m_center)
        return QRect(Div(width() - w, 2), Div(height() - h, 2), w, h);
    return QRect(0, 0, w, h);
}

bool TBoardImage::CanAutoSize(int &newWidth, int &newHeight) const
{
    const Vcl::TAlign align = Align(this);
    if (align == Vcl::alNone || align == Vcl::alLeft || align == Vcl::alRight)
        newWidth = m_picture->Width();
    if (align == Vcl::alNone || align == Vcl::alTop || align == Vcl::alBottom)
        newHeight = m_picture->Height();
    return true;
}

void TBoardImage::AdjustToPicture()
{
    if (!m_autoSize || m_picture->Width() <= 0 || m_picture->Height() <= 0)
        return;
    int w = width();
    int h = height();
    CanAutoSize(w, h);
    SetBounds(this, Left(this), Top(this), w, h);
}

void TBoardImage::PictureChanged()
{
    InvalidatePainted();
    AdjustToPicture();
    if (TGraphic *graphic = m_picture->Graphic()) {
        // Metafiles and icons keep their own transparency; no such kind exists here.
        graphic->SetTransparent(m_transparent);
        const bool covers = m_stretch || (graphic->Width() >= width() && graphic->Height() >= height());
        setAttribute(Qt::WA_OpaquePaintEvent, !graphic->Transparent() && covers);
        if (PaletteStep() && m_drawing)
            repaint();
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }
    if (!m_drawing)
        update();
}

bool TBoardImage::PaletteStep()
{
    TGraphic *graphic = m_picture->Graphic();
    if (!isVisible() || isLoading() || !graphic || !graphic->PaletteModified())
        return false;
    // Our displays have no colour palettes, so there is never one to realise again.
    if (!graphic->HasPalette())
        graphic->SetPaletteModified(false);
    return false;
}

const QImage &TBoardImage::PaintedImage() const
{
    const QRgb background = toQColor(color(), palette()).rgb();
    if (m_paintedValid && m_painted.size() == size() && m_paintedBackground == background)
        return m_painted;
    QImage image(qMax(0, width()), qMax(0, height()), QImage::Format_RGB32);
    image.fill(background);
    if (TGraphic *graphic = m_picture->Graphic()) {
        QPainter painter(&image);
        graphic->Draw(painter, DestRect());
    }
    m_painted = image;
    m_paintedBackground = background;
    m_paintedValid = true;
    return m_painted;
}

QImage TBoardImage::PaintedArea(const QRect &area) const
{
    if (area.isEmpty())
        return QImage(); // copy() of an empty rectangle would copy everything
    return PaintedImage().copy(area); // pixels beyond the image come out 0, black
}

void TBoardImage::paintEvent(QPaintEvent *)
{
    Guarded([this] { Paint(); });
}

void TBoardImage::Paint()
{
    if (!m_designRecorded) {
        m_designLeft = Left(this);
        m_designTop = Top(this);
        m_designRecorded = true;
    }
    if (m_centerOnForm) {
        if (QWidget *parent = ParentControl(this)) {
            const int left = Div(Width(parent) - width(), 2);
            const int top = Div(Height(parent) - height(), 2);
            if (left != Left(this) || top != Top(this)) {
                const QRect before = geometry();
                SetBounds(this, left, top, width(), height());
                // Areas made dirty while the window is being painted are not painted in this
                // pass: ask again for the place left and the place taken, and for the circles.
                QPointer<TBoardImage> self(this);
                QMetaObject::invokeMethod(this, [self, before] {
                    if (!self)
                        return;
                    if (QWidget *p = self->parentWidget())
                        p->update(before);
                    self->update();
                    for (QWidget *child : self->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                        child->update();
                }, Qt::QueuedConnection);
            }
        }
    }
    struct DrawingScope {
        bool &flag;
        bool saved;
        explicit DrawingScope(bool &f) : flag(f), saved(f) { flag = true; }
        ~DrawingScope() { flag = saved; }
    } scope(m_drawing);
    const QImage &image = PaintedImage();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image);
}

void TBoardImage::resizeEvent(QResizeEvent *event)
{
    TCustomPanel::resizeEvent(event);
    InvalidatePainted();
}

void TBoardImage::mouseReleaseEvent(QMouseEvent *event)
{
    TCustomPanel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_onClick)
        Guarded([this] { m_onClick(this); });
}

void TBoardImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    TCustomPanel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && m_onDblClick)
        Guarded([this] { m_onDblClick(this); });
}
