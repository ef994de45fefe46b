#include "latency/NetworkButton.h"

#include "controls/ErrorReport.h"
#include "controls/IconCache.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextDocument>

TNetworkButton::TNetworkButton(QWidget* parent) : QPushButton(parent), FElementMenu(new QMenu(this))
{
    FElementMenu->setObjectName(QStringLiteral("ElementMenu"));
    FPropertiesItem = FElementMenu->addAction(QStringLiteral("Properties..."));
    FPropertiesItem->setObjectName(QStringLiteral("PropertiesItem"));
    FRemoveSeparator = FElementMenu->addSeparator();
    FRemoveItem = FElementMenu->addAction(QStringLiteral("Remove"));
    FRemoveItem->setObjectName(QStringLiteral("RemoveItem"));
    connect(FPropertiesItem, &QAction::triggered, this,
            reporting([this] { emit OnPropertiesClick(this); }));
    connect(FRemoveItem, &QAction::triggered, this,
            reporting([this] { emit OnRemoveClick(this); }));

    resize(50, 50);
    setIconSize(QSize(40, 40));
    loadPicture();
    setHint(QString::fromLatin1(UnknownNetworkName));
}

TNetworkButton::~TNetworkButton() = default;

void TNetworkButton::loadPicture()
{
    // The pictures are SVG: drawn at the button's size on any screen density.
    // Each picture is read once and shared by every element that shows it.
    const QString path = kindPicturePath(FKind);
    setIcon(iconCache::icon(path, [&path] { return QIcon(path); }));
}

void TNetworkButton::setKind(TNetworkButtonKind kind)
{
    if (kind == FKind)
        return;
    FKind = kind;
    loadPicture();
}

void TNetworkButton::setHint(const QString& hint)
{
    FHint = hint;
    // A tooltip that looks like markup is shown as markup; a name such as
    // "<b>WAN</b>" is the user's text, so it goes escaped in a paragraph
    // that keeps its spaces.
    if (Qt::mightBeRichText(hint))
        setToolTip(QStringLiteral("<p style=\"white-space:pre\">") + hint.toHtmlEscaped() +
                   QStringLiteral("</p>"));
    else
        setToolTip(hint);
    setAccessibleName(hint);
}

void TNetworkButton::ShowRemoveCommand()
{
    FRemoveSeparator->setVisible(true);
    FRemoveItem->setVisible(true);
}

void TNetworkButton::HideRemoveCommand()
{
    FRemoveSeparator->setVisible(false);
    FRemoveItem->setVisible(false);
}

void TNetworkButton::BeginDrag()
{
    FDragArmed = true;
}

void TNetworkButton::mousePressEvent(QMouseEvent* event)
{
    FDragArmed = false;
    FDragCancelled = false;
    FPressPos = event->globalPosition().toPoint();
    // Any button selects the element, before the button reacts itself.
    if (!reportErrors([this, event] { emit OnMouseDown(this, event->button()); }))
        return;
    QPushButton::mousePressEvent(event);
}

void TNetworkButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint globalPos = event->globalPosition().toPoint();
    if (FDragArmed && !FDragging && (event->buttons() & Qt::LeftButton) &&
        (globalPos - FPressPos).manhattanLength() >= QApplication::startDragDistance()) {
        FDragging = true;
        setDown(false);
        qApp->installEventFilter(this);
        reportErrors([this] { emit OnStartDrag(this); });
    }
    // The rest of a press whose drag Esc ended moves nothing.
    if (FDragCancelled)
        return;
    if (FDragging) {
        if (QWidget* panel = parentWidget())
            reportErrors([&] { emit dragMoved(this, panel->mapFromGlobal(globalPos)); });
        return;
    }
    QPushButton::mouseMoveEvent(event);
}

void TNetworkButton::mouseReleaseEvent(QMouseEvent* event)
{
    if ((FDragging || FDragCancelled) && event->button() == Qt::LeftButton) {
        // A drop is no click, and neither is the release after Esc.
        if (FDragging)
            reportErrors([this] { endDrag(); });
        FDragCancelled = false;
        event->accept();
        return;
    }
    FDragArmed = false;
    QPushButton::mouseReleaseEvent(event);
}

void TNetworkButton::endDrag()
{
    qApp->removeEventFilter(this);
    FDragArmed = false;
    FDragging = false;
    emit OnEndDrag(this);
}

bool TNetworkButton::eventFilter(QObject* watched, QEvent* event)
{
    if (FDragging && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // The element stays in the cell it last reached.
        FDragCancelled = true;
        reportErrors([this] { endDrag(); });
        return true;
    }
    return QPushButton::eventFilter(watched, event);
}

void TNetworkButton::keyPressEvent(QKeyEvent* event)
{
    // The keys that press a push button.
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) &&
        !event->isAutoRepeat() && !reportErrors([this] { emit OnMouseDown(this, Qt::NoButton); }))
        return;
    QPushButton::keyPressEvent(event);
}

void TNetworkButton::contextMenuEvent(QContextMenuEvent* event)
{
    if (FDragging && !reportErrors([this] { endDrag(); }))
        return;
    // A menu opened with the mouse follows a press that already selected
    // the element; one opened from the keyboard selects it here, so that
    // the menu's commands act on the element they were opened for.
    if (event->reason() == QContextMenuEvent::Keyboard &&
        !reportErrors([this] { emit OnMouseDown(this, Qt::NoButton); }))
        return;
    FElementMenu->exec(event->globalPos());
    event->accept();
}
