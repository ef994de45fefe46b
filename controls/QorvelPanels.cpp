#include "controls/QorvelPanels.h"

#include "controls/ErrorReport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

namespace {

// Thickness of the sunken window border of BorderStyle bsSingle.
constexpr int WindowBorder = 2;

// Edges of a rectangle with exclusive right and bottom, as the frame
// painting below counts them.
struct Edges
{
    int left, top, right, bottom;
    bool empty() const { return right <= left || bottom <= top; }
};

// Draws `width` nested one-pixel frames inside `r` and shrinks it by that
// much: left and top edges in `topColor`, right and bottom edges (the two
// corners they share with the others included) in `bottomColor`.
void frame3D(QPainter& p, Edges& r, const QColor& topColor, const QColor& bottomColor, int width)
{
    for (int i = 0; i < width && !r.empty(); ++i) {
        const int right = r.right - 1;
        const int bottom = r.bottom - 1;
        p.fillRect(QRect(r.left, r.top, 1, bottom - r.top), topColor);
        p.fillRect(QRect(r.left, r.top, right - r.left, 1), topColor);
        p.fillRect(QRect(right, r.top, 1, bottom - r.top + 1), bottomColor);
        p.fillRect(QRect(r.left, bottom, right - r.left + 1, 1), bottomColor);
        ++r.left;
        ++r.top;
        --r.right;
        --r.bottom;
    }
    // A frame wider than the rectangle leaves nothing inside.
    if (r.empty()) {
        r.right = std::max(r.right, r.left);
        r.bottom = std::max(r.bottom, r.top);
    }
}

void bevelFrame(QPainter& p, Edges& r, TQorvelCustomPanel::TPanelBevel bevel, int width,
                const QPalette& palette)
{
    if (bevel == TQorvelCustomPanel::bvNone)
        return;
    const QColor highlight = palette.color(QPalette::Light);
    const QColor shadow = palette.color(QPalette::Dark);
    if (bevel == TQorvelCustomPanel::bvLowered)
        frame3D(p, r, shadow, highlight, width);
    else
        frame3D(p, r, highlight, shadow, width);
}

int clampWidth(int width, int lowest)
{
    return std::clamp(width, lowest, TQorvelCustomPanel::MaxWidth);
}

} // namespace

TQorvelCustomPanel::TQorvelCustomPanel(QWidget* parent) : QWidget(parent)
{
    resize(185, 41);
}

void TQorvelCustomPanel::changed()
{
    update();
}

void TQorvelCustomPanel::setAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    changed();
}

void TQorvelCustomPanel::setBevelInner(TPanelBevel bevel)
{
    if (bevel == FBevelInner)
        return;
    FBevelInner = bevel;
    changed();
}

void TQorvelCustomPanel::setBevelOuter(TPanelBevel bevel)
{
    if (bevel == FBevelOuter)
        return;
    FBevelOuter = bevel;
    changed();
}

void TQorvelCustomPanel::setBevelWidth(int width)
{
    width = clampWidth(width, 1);
    if (width == FBevelWidth)
        return;
    FBevelWidth = width;
    changed();
}

void TQorvelCustomPanel::setBorderWidth(int width)
{
    width = clampWidth(width, 0);
    if (width == FBorderWidth)
        return;
    FBorderWidth = width;
    changed();
}

void TQorvelCustomPanel::setBorderStyle(TBorderStyle style)
{
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    const int margin = style == bsSingle ? WindowBorder : 0;
    setContentsMargins(margin, margin, margin, margin);
    changed();
}

void TQorvelCustomPanel::setCaption(const QString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    changed();
}

QColor TQorvelCustomPanel::Color() const
{
    return palette().color(backgroundRole());
}

void TQorvelCustomPanel::setColor(const QColor& color)
{
    if (color == Color())
        return;
    QPalette pal = palette();
    pal.setColor(backgroundRole(), color);
    setPalette(pal);
    changed();
}

void TQorvelCustomPanel::setCaptionPadding(int padding)
{
    padding = clampWidth(padding, 0);
    if (padding == FCaptionPadding)
        return;
    FCaptionPadding = padding;
    changed();
}

void TQorvelCustomPanel::setVerticalCaptionPadding(int padding)
{
    padding = clampWidth(padding, 0);
    if (padding == FVerticalCaptionPadding)
        return;
    FVerticalCaptionPadding = padding;
    changed();
}

void TQorvelCustomPanel::setVerticalAlignment(TVerticalAlignment alignment)
{
    if (alignment == FVerticalAlignment)
        return;
    FVerticalAlignment = alignment;
    changed();
}

QRect TQorvelCustomPanel::InnerRect() const
{
    int inset = FBorderWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    const QRect client = contentsRect();
    return QRect(client.left() + inset, client.top() + inset, client.width() - 2 * inset,
                 client.height() - 2 * inset);
}

QRect TQorvelCustomPanel::captionRect() const
{
    return InnerRect().adjusted(FCaptionPadding, FVerticalCaptionPadding, -FCaptionPadding,
                                -FVerticalCaptionPadding);
}

void TQorvelCustomPanel::PaintBackground(QPainter& canvas)
{
    const QRect client = contentsRect();
    Edges r{client.left(), client.top(), client.left() + client.width(),
            client.top() + client.height()};
    bevelFrame(canvas, r, FBevelOuter, FBevelWidth, palette());
    frame3D(canvas, r, Color(), Color(), FBorderWidth);
    bevelFrame(canvas, r, FBevelInner, FBevelWidth, palette());
    canvas.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), Color());
}

void TQorvelCustomPanel::PaintCaption(QPainter& canvas)
{
    if (FCaption.isEmpty())
        return;
    const QRect r = captionRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;

    int flags = Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic;
    switch (FAlignment) {
    case taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    switch (FVerticalAlignment) {
    case vaBottom:
        flags |= Qt::AlignBottom;
        break;
    case vaCenter:
        flags |= Qt::AlignVCenter;
        break;
    case vaTop:
        flags |= Qt::AlignTop;
        break;
    }

    canvas.save();
    canvas.setClipRect(r, Qt::IntersectClip);
    canvas.setFont(font());
    canvas.setPen(palette().color(foregroundRole()));
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.drawText(r, flags, FCaption);
    canvas.restore();
}

void TQorvelCustomPanel::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    paintWindowBorder(canvas);
    PaintBackground(canvas);
    PaintCaption(canvas);
    if (FGenerateOnPaint && !FSignalSuppressed)
        reportErrors([this, &canvas] { emit painting(&canvas); });
}

void TQorvelCustomPanel::paintWindowBorder(QPainter& canvas)
{
    if (FBorderStyle == bsSingle)
        qDrawWinPanel(&canvas, rect(), palette(), true);
}

void TQorvelCustomPanel::repaintWithoutSignal()
{
    FSignalSuppressed = true;
    repaint();
    FSignalSuppressed = false;
}

TCanvasPanel::TCanvasPanel(QWidget* parent) : TQorvelCustomPanel(parent) {}

void TCanvasPanel::PaintPanel()
{
    repaintWithoutSignal();
}

QImage TCanvasPanel::picture(const QRect& rect)
{
    // One pixel per layout pixel on any screen: the picture is drawn afresh
    // at that size rather than grabbed at the screen's density and scaled
    // down, which would blur it.
    const QSize size(std::max(0, rect.width()), std::max(0, rect.height()));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1);
    image.fill(Color());
    const QRect inside = rect.intersected(this->rect());
    if (!inside.isEmpty()) {
        QPainter painter(&image);
        render(&painter, inside.topLeft() - rect.topLeft(), QRegion(inside));
    }
    return image;
}

void TCanvasPanel::CopyToClipboard(const QRect& rect)
{
    QGuiApplication::clipboard()->setImage(picture(rect));
}
