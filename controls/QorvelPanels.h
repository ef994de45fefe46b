#pragma once

#include <QPainter>
#include <QWidget>

// A panel with bevels, a border and a one-line caption placed inside the
// bevels with horizontal and vertical padding and a vertical alignment.
// Painting runs PaintBackground, then PaintCaption, then (if GenerateOnPaint)
// the painting() signal, so that an owner can draw over the panel.
//
// Rectangles are in widget coordinates. The client area is the whole widget,
// or the part inside the window border when BorderStyle is bsSingle.
class TQorvelCustomPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(TPanelBevel BevelInner READ BevelInner WRITE setBevelInner)
    Q_PROPERTY(TPanelBevel BevelOuter READ BevelOuter WRITE setBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(int CaptionPadding READ CaptionPadding WRITE setCaptionPadding)
    Q_PROPERTY(
        int VerticalCaptionPadding READ VerticalCaptionPadding WRITE setVerticalCaptionPadding)
    Q_PROPERTY(
        TVerticalAlignment VerticalAlignment READ VerticalAlignment WRITE setVerticalAlignment)
    Q_PROPERTY(bool GenerateOnPaint READ GenerateOnPaint WRITE setGenerateOnPaint)

public:
    enum TAlignment
    {
        taLeftJustify,
        taRightJustify,
        taCenter
    };
    Q_ENUM(TAlignment)
    enum TPanelBevel
    {
        bvNone,
        bvLowered,
        bvRaised
    };
    Q_ENUM(TPanelBevel)
    enum TBorderStyle
    {
        bsNone,
        bsSingle
    };
    Q_ENUM(TBorderStyle)
    enum TVerticalAlignment
    {
        vaBottom,
        vaCenter,
        vaTop
    };
    Q_ENUM(TVerticalAlignment)

    // Widths and paddings are kept within 0..65535 (bevels at least 1).
    static constexpr int MaxWidth = 0xFFFF;

    explicit TQorvelCustomPanel(QWidget* parent = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void setAlignment(TAlignment alignment);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void setBevelInner(TPanelBevel bevel);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void setBevelOuter(TPanelBevel bevel);
    int BevelWidth() const { return FBevelWidth; }
    void setBevelWidth(int width);
    int BorderWidth() const { return FBorderWidth; }
    void setBorderWidth(int width);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void setBorderStyle(TBorderStyle style);
    QString Caption() const { return FCaption; }
    void setCaption(const QString& caption);
    // The fill colour: the palette colour of the background role, so that a
    // system colour follows the palette (see setBackgroundRole).
    QColor Color() const;
    void setColor(const QColor& color);
    int CaptionPadding() const { return FCaptionPadding; }
    void setCaptionPadding(int padding);
    int VerticalCaptionPadding() const { return FVerticalCaptionPadding; }
    void setVerticalCaptionPadding(int padding);
    TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
    void setVerticalAlignment(TVerticalAlignment alignment);
    bool GenerateOnPaint() const { return FGenerateOnPaint; }
    void setGenerateOnPaint(bool on) { FGenerateOnPaint = on; }

    // The client area inset by the border and by each bevel in use.
    QRect InnerRect() const;
    // Where the caption line goes: InnerRect less the paddings.
    QRect captionRect() const;

signals:
    // At the end of painting (when GenerateOnPaint is set): draw over the
    // background and the caption with `canvas`.
    void painting(QPainter* canvas);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The panel's frame: outer bevel, border in Color, inner bevel, fill.
    virtual void PaintBackground(QPainter& canvas);
    // The caption as one line in captionRect(), "&" marking an underlined
    // accelerator and tabs expanded, clipped to the rectangle.
    virtual void PaintCaption(QPainter& canvas);
    // Repaints at once without the painting() signal.
    void repaintWithoutSignal();
    // The sunken window border of BorderStyle bsSingle, outside the client area.
    void paintWindowBorder(QPainter& canvas);

private:
    void changed();

    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvLowered;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    QString FCaption;
    int FCaptionPadding = 2;
    bool FGenerateOnPaint = true;
    TVerticalAlignment FVerticalAlignment = vaCenter;
    int FVerticalCaptionPadding = 2;
    bool FSignalSuppressed = false;
};

// A caption panel that an owner draws on in its painting() handler, and that
// can put a rectangle of itself, children included, on the clipboard as a
// picture.
class TCanvasPanel : public TQorvelCustomPanel
{
    Q_OBJECT
public:
    explicit TCanvasPanel(QWidget* parent = nullptr);

    // Repaints background and caption at once without painting(): wipes
    // what a painting() handler drew.
    void PaintPanel();
    // The picture has the rectangle's size; parts of it outside the panel
    // are filled with Color.
    void CopyToClipboard(const QRect& rect);
    // The picture CopyToClipboard puts on the clipboard.
    QImage picture(const QRect& rect);
};
