#pragma once

#include "controls/QorvelPanels.h"

#include <QColor>

#include <array>
#include <functional>
#include <memory>

// One stripe of a striped bar: a colour and a share of the bar's height
// (by convention 0..1). Writing a different colour or value stores it and
// calls OnChange; writing the same one does nothing.
class TRainbowStripe
{
public:
    QColor Color() const { return FColor; }
    void setColor(const QColor& color);
    float Value() const { return FValue; }
    void setValue(float value);

    // Set by the owning bar.
    std::function<void(TRainbowStripe* sender)> OnChange;

private:
    QColor FColor = QColor(0, 0, 0);
    float FValue = 0.0f;
};

// A vertical bar divided from top to bottom into up to sixteen coloured
// stripes whose heights follow their values: how one total is shared among
// its contributors. Stripe i takes colour i of a fixed table whenever the
// stripes are reset. Changing a stripe repaints the bar and fires changed().
class TRainbowBar : public TQorvelCustomPanel
{
    Q_OBJECT
    Q_PROPERTY(int NumStripes READ NumStripes WRITE setNumStripes)

public:
    static constexpr int MaxStripes = 16;
    // Red, yellow, lime, blue, purple, black, maroon, green, olive, navy,
    // teal, gray, silver, fuchsia, aqua, white.
    static const std::array<QColor, MaxStripes>& stripeColors();

    explicit TRainbowBar(QWidget* parent = nullptr);
    ~TRainbowBar() override;

    int NumStripes() const { return FNumStripes; }
    // Clamped to 1..16. A different count resets the stripes: the first
    // NumStripes take their table colours and equal shares.
    void setNumStripes(int count);

    // Any of the sixteen stripes, in use or not; a bad index raises
    // EZentrixError("Stripes Index Out of Bounds: <index>").
    TRainbowStripe* Stripes(int index) const;

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void StripeChanged(TRainbowStripe* sender);
    void resetStripes();
    void paintStripes(QPainter& canvas);

    bool FNotify = true;
    int FNumStripes = 5;
    std::array<std::unique_ptr<TRainbowStripe>, MaxStripes> FStripes;
};
