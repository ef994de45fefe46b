#include "controls/SpeedButton.h"

#include "controls/IconCache.h"
#include "controls/PaletteTone.h"

#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <memory>

namespace {

// The two tones of a disabled picture as its file holds them, which are
// those of a light palette: the grey figure and its white engraving.
const QLatin1String DisabledFigure("#8C8C8C");
const QLatin1String DisabledEngraving("#FFFFFF");

// Both pictures of a glyph, drawn from SVG at whatever size and pixel ratio
// the button needs, so they stay crisp on high-density screens.
class GlyphEngine : public QIconEngine
{
public:
    GlyphEngine(const QString& normalResource, const QByteArray& disabledPicture)
        : FNormal(std::make_shared<QSvgRenderer>(normalResource)),
          FDisabled(std::make_shared<QSvgRenderer>(disabledPicture))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        (mode == QIcon::Disabled ? FDisabled : FNormal)->render(painter, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, image.rect(), mode, state);
        painter.end();
        return QPixmap::fromImage(image);
    }

    QIconEngine* clone() const override { return new GlyphEngine(*this); }

private:
    std::shared_ptr<QSvgRenderer> FNormal;
    std::shared_ptr<QSvgRenderer> FDisabled;
};

QByteArray readResource(const QString& resource)
{
    QFile file(resource);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(16, 16));
    resize(25, 25);
}

void TSpeedButton::setGlyph(const QString& normalResource, const QString& disabledResource)
{
    FNormalGlyph = normalResource;
    FDisabledGlyph = disabledResource;
    updateGlyph();
}

void TSpeedButton::updateGlyph()
{
    if (FNormalGlyph.isEmpty())
        return;
    // The disabled picture is drawn in tones of the button's own palette: a
    // figure between its text and its face, engraved in its light edge
    // colour, so it reads as disabled on a dark face as on a light one.
    // The tones come from the palette's normal colours: the button's own
    // state would make them the disabled ones exactly when they are shown.
    const QPalette& colours = palette();
    const QColor face = colours.color(QPalette::Active, QPalette::Button);
    const QColor figure =
        toneBetween(colours.color(QPalette::Active, QPalette::ButtonText), face, 0.58);
    const QColor engraving = colours.color(QPalette::Active, QPalette::Light);

    // Many buttons share a glyph and a palette: each such icon is made once,
    // which keeps start-up quick.
    const QString key = FNormalGlyph + QLatin1Char('|') + FDisabledGlyph + QLatin1Char('|') +
                        figure.name(QColor::HexArgb) + engraving.name(QColor::HexArgb);
    setIcon(iconCache::icon(key, [&] {
        QString disabled = QString::fromUtf8(readResource(FDisabledGlyph));
        disabled.replace(DisabledFigure, figure.name(), Qt::CaseInsensitive);
        disabled.replace(DisabledEngraving, engraving.name(), Qt::CaseInsensitive);
        return QIcon(new GlyphEngine(FNormalGlyph, disabled.toUtf8()));
    }));
}

void TSpeedButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        updateGlyph();
    QToolButton::changeEvent(event);
}

bool TSpeedButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QToolButton::event(event);
}
