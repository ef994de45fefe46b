#include "planner/PlanMap.h"

#include "controls/ErrorReport.h"
#include "controls/PictureFile.h"
#include "ipaddress/CidrText.h"

#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

namespace {

constexpr int margin = 6;

} // namespace

TPlanMap::TPlanMap(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Address map"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setBackgroundRole(QPalette::Window);
}

void TPlanMap::setPlan(const PlanInput* input, const PlanResult* result)
{
    FPicture.setPlan(input, result);
    if (!result || FSelected >= int(result->placed.size()))
        FSelected = -1;
    updateGeometry();
    updateDescription();
    update();
}

void TPlanMap::setSelected(int placed)
{
    const PlanResult* result = FPicture.result();
    if (!result || placed < 0 || size_t(placed) >= result->placed.size())
        placed = -1;
    if (placed == FSelected)
        return;
    FSelected = placed;
    updateDescription();
    update();
}

void TPlanMap::choose(int placed)
{
    setSelected(placed);
    emit blockChosen(FSelected);
}

void TPlanMap::updateDescription()
{
    // A screen reader says which block is chosen, as a sighted user sees it.
    const QString block = FPicture.describeBlock(FSelected);
    setAccessibleDescription(block.isEmpty() ? QStringLiteral("No block selected") : block);
}

QRect TPlanMap::pictureArea() const
{
    return rect().adjusted(margin, margin, -margin, -margin);
}

QRect TPlanMap::blockRect(int placed) const
{
    return FPicture.blockRect(pictureArea(), fontMetrics().height(), placed);
}

QSize TPlanMap::sizeHint() const
{
    return {600, FPicture.heightFor(fontMetrics().height()) + 2 * margin};
}

int TPlanMap::heightForParents(int parents) const
{
    return TMapPicture::rowHeight(fontMetrics().height()) * parents + 2 * margin;
}

QSize TPlanMap::minimumSizeHint() const
{
    return {200, sizeHint().height()};
}

QImage TPlanMap::image() const
{
    return picturefile::image(size(), palette().color(QPalette::Window), [this](QPainter& painter) {
        FPicture.paint(painter, pictureArea(), palette(), font(), -1);
    });
}

bool TPlanMap::saveSvg(const QString& fileName) const
{
    return picturefile::saveSvg(fileName, size(), QStringLiteral("Address map"),
                                palette().color(QPalette::Window), [this](QPainter& painter) {
                                    FPicture.paint(painter, pictureArea(), palette(), font(), -1);
                                });
}

void TPlanMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FPicture.paint(painter, pictureArea(), palette(), font(), FSelected);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TPlanMap::mousePressEvent(QMouseEvent* event)
{
    reportErrors([&] {
        if (event->button() != Qt::LeftButton)
            return;
        const int placed =
            FPicture.blockAt(pictureArea(), fontMetrics().height(), event->position().toPoint());
        if (placed >= 0)
            choose(placed);
    });
}

void TPlanMap::keyPressEvent(QKeyEvent* event)
{
    const PlanResult* result = FPicture.result();
    const int count = result ? int(result->placed.size()) : 0;
    int next = FSelected;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        next = FSelected < 0 ? count - 1 : std::max(FSelected - 1, 0);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        next = FSelected < 0 ? 0 : std::min(FSelected + 1, count - 1);
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = count - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (count > 0)
        reportErrors([&] { choose(next); });
    event->accept();
}

bool TPlanMap::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int lineHeight = fontMetrics().height();
    QString tip;
    const int placed = FPicture.blockAt(pictureArea(), lineHeight, help->pos());
    if (placed >= 0) {
        tip = FPicture.describeBlock(placed);
    } else if (const auto free = FPicture.freeAt(pictureArea(), lineHeight, help->pos())) {
        tip = QStringLiteral("Free: %1").arg(QString::fromStdString(cidrtext::networkText(*free)));
    }
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
}
