#pragma once

#include "planner/MapPicture.h"

#include <QWidget>

class QImage;

// The map of a plan: TMapPicture on screen. A press or the arrow keys
// choose a block, which the window selects in the result table too; a
// block's name and prefix are its tooltip. The map copies itself to the
// clipboard as a picture and saves itself as PNG or SVG.
class TPlanMap : public QWidget
{
    Q_OBJECT
public:
    explicit TPlanMap(QWidget* parent = nullptr);

    void setPlan(const PlanInput* input, const PlanResult* result);
    const TMapPicture& picture() const { return FPicture; }

    // The placed block outlined, or -1. Setting it emits nothing.
    int selected() const { return FSelected; }
    void setSelected(int placed);

    // The map as the window shows it, without the selection, at the map's
    // width and one pixel per layout pixel.
    QImage image() const;
    // Writes the same picture as SVG; false when the file cannot be written.
    bool saveSvg(const QString& fileName) const;

    // Where the block's segment is on the map.
    QRect blockRect(int placed) const;

    // The height the bars of `parents` parents take.
    int heightForParents(int parents) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user chose a block (a press, or a key).
    void blockChosen(int placed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect pictureArea() const;
    void choose(int placed);
    void updateDescription();

    TMapPicture FPicture;
    int FSelected = -1;
};
