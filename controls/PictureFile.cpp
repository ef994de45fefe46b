#include "controls/PictureFile.h"

#include <QPainter>
#include <QSvgGenerator>

QImage picturefile::image(QSize size, const QColor& background, const TPaint& paint)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(background);
    QPainter painter(&picture);
    paint(painter);
    return picture;
}

bool picturefile::saveSvg(const QString& fileName, QSize size, const QString& title,
                          const QColor& background, const TPaint& paint)
{
    QSvgGenerator generator;
    generator.setFileName(fileName);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    painter.fillRect(QRect(QPoint(0, 0), size), background);
    paint(painter);
    return painter.end();
}

bool picturefile::save(const QString& fileName, QSize size, const QString& title,
                       const QColor& background, const TPaint& paint)
{
    if (fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return saveSvg(fileName, size, title, background, paint);
    return image(size, background, paint).save(fileName, "PNG");
}
