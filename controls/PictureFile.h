#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// A picture that a window draws with one painting function, so that what it
// copies and saves is what it shows: as an image, one pixel per layout
// pixel, for the clipboard and PNG, or as SVG.
namespace picturefile {

using TPaint = std::function<void(QPainter&)>;

QImage image(QSize size, const QColor& background, const TPaint& paint);
// False when the file cannot be written.
bool saveSvg(const QString& fileName, QSize size, const QString& title, const QColor& background,
             const TPaint& paint);
// SVG when the name ends in ".svg", whatever the letter case; PNG otherwise.
bool save(const QString& fileName, QSize size, const QString& title, const QColor& background,
          const TPaint& paint);

} // namespace picturefile
