#include "controls/RainbowBar.h"

#include "core/Errors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>

void TRainbowStripe::setColor(const QColor& color)
{
    if (color == FColor)
        return;
    FColor = color;
    if (OnChange)
        OnChange(this);
}

void TRainbowStripe::setValue(float value)
{
    if (value == FValue)
        return;
    FValue = value;
    if (OnChange)
        OnChange(this);
}

const std::array<QColor, TRainbowBar::MaxStripes>& TRainbowBar::stripeColors()
{
    static const std::array<QColor, MaxStripes> colors = {
        QColor(255, 0, 0),     QColor(255, 255, 0), QColor(0, 255, 0),   QColor(0, 0, 255),
        QColor(128, 0, 128),   QColor(0, 0, 0),     QColor(128, 0, 0),   QColor(0, 128, 0),
        QColor(128, 128, 0),   QColor(0, 0, 128),   QColor(0, 128, 128), QColor(128, 128, 128),
        QColor(192, 192, 192), QColor(255, 0, 255), QColor(0, 255, 255), QColor(255, 255, 255)};
    return colors;
}

TRainbowBar::TRainbowBar(QWidget* parent) : TQorvelCustomPanel(parent)
{
    setBevelOuter(bvNone);
    setBorderStyle(bsSingle);
    setBackgroundRole(QPalette::Base);
    for (auto& stripe : FStripes) {
        stripe = std::make_unique<TRainbowStripe>();
        stripe->OnChange = [this](TRainbowStripe* sender) { StripeChanged(sender); };
    }
    resize(81, 185);
    resetStripes();
}

TRainbowBar::~TRainbowBar() = default;

void TRainbowBar::StripeChanged(TRainbowStripe*)
{
    if (!FNotify)
        return;
    update();
    emit changed();
}

void TRainbowBar::setNumStripes(int count)
{
    count = std::clamp(count, 1, MaxStripes);
    if (count == FNumStripes)
        return;
    FNumStripes = count;
    resetStripes();
}

void TRainbowBar::resetStripes()
{
    const float share = 1.0f / static_cast<float>(FNumStripes);
    // One repaint and one notification for the whole reset.
    FNotify = false;
    for (int i = 0; i < FNumStripes; ++i) {
        FStripes[static_cast<size_t>(i)]->setColor(stripeColors()[static_cast<size_t>(i)]);
        FStripes[static_cast<size_t>(i)]->setValue(share);
    }
    FNotify = true;
    StripeChanged(nullptr);
}

TRainbowStripe* TRainbowBar::Stripes(int index) const
{
    if (index < 0 || index >= MaxStripes)
        throw EZentrixError("Stripes Index Out of Bounds: " + std::to_string(index));
    return FStripes[static_cast<size_t>(index)].get();
}

void TRainbowBar::paintEvent(QPaintEvent*)
{
    // Background, stripes, then the caption on top; never the painting() signal.
    QPainter canvas(this);
    paintWindowBorder(canvas);
    PaintBackground(canvas);
    canvas.save();
    canvas.setClipRect(contentsRect());
    paintStripes(canvas);
    canvas.restore();
    PaintCaption(canvas);
}

void TRainbowBar::paintStripes(QPainter& canvas)
{
    const QRect inner = InnerRect();
    const QRect client = contentsRect();
    if (inner.width() <= 0)
        return;
    // Heights are shares of the inner bottom edge (counted from the client
    // area's top) plus one pixel per stripe, rounded half to even. What runs
    // past the client area is cut off.
    const double basis = double(inner.top() + inner.height() - client.top()) + FNumStripes;
    const int limit = client.top() + client.height();
    int y = inner.top();
    for (int i = 0; i < FNumStripes && y < limit; ++i) {
        const TRainbowStripe& stripe = *FStripes[static_cast<size_t>(i)];
        const double height = std::nearbyint(basis * double(stripe.Value()));
        // Shares are finite and not negative; anything else takes no room.
        if (!std::isfinite(height) || height <= 0)
            continue;
        const int drawn = height >= double(limit - y) ? limit - y : int(height);
        canvas.fillRect(QRect(inner.left(), y, inner.width(), drawn), stripe.Color());
        y += drawn;
    }
}
