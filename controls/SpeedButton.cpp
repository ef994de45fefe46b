#include "controls/SpeedButton.h"

#include "controls/IconCache.h"

#include <QEvent>
#include <QIcon>

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
    // Both pictures are SVG, drawn at whatever size and pixel ratio the
    // button needs, so they stay crisp on high-density screens. Many buttons
    // share a glyph: each pair is read once and the icon shared, which keeps
    // start-up quick.
    const QString key = normalResource + QLatin1Char('\n') + disabledResource;
    setIcon(iconCache::icon(key, [&] {
        QIcon glyph;
        glyph.addFile(normalResource, QSize(), QIcon::Normal, QIcon::Off);
        glyph.addFile(normalResource, QSize(), QIcon::Active, QIcon::Off);
        glyph.addFile(disabledResource, QSize(), QIcon::Disabled, QIcon::Off);
        return glyph;
    }));
}

bool TSpeedButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QToolButton::event(event);
}
