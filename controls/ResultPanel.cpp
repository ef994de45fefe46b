#include "controls/ResultPanel.h"

#include "controls/ClippedText.h"
#include "controls/ErrorReport.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

namespace {

// What a screen reader sees of a panel: static text named by its value,
// with the caption label as its label, and an action that copies the value.
class ResultPanelAccessible : public QAccessibleWidget
{
public:
    explicit ResultPanelAccessible(TResultPanel* panel)
        : QAccessibleWidget(panel, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? panel()->text() : name;
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << TResultPanel::copyActionName();
    }

    QString localizedActionName(const QString& name) const override
    {
        if (name == TResultPanel::copyActionName())
            return TResultPanel::tr("Copy");
        return QAccessibleWidget::localizedActionName(name);
    }

    QString localizedActionDescription(const QString& name) const override
    {
        if (name == TResultPanel::copyActionName())
            return TResultPanel::tr("Copies the value to the clipboard");
        return QAccessibleWidget::localizedActionDescription(name);
    }

    void doAction(const QString& name) override
    {
        if (name == TResultPanel::copyActionName())
            panel()->copyToClipboard();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    TResultPanel* panel() const { return static_cast<TResultPanel*>(widget()); }
};

QAccessibleInterface* resultPanelAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(TResultPanel::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new ResultPanelAccessible(static_cast<TResultPanel*>(object));
    return nullptr;
}

} // namespace

TResultPanel::TResultPanel(QWidget* parent)
    : QLabel(parent), FCopyAction(new QAction(tr("&Copy"), this))
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&resultPanelAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);

    FCopyAction->setObjectName(QStringLiteral("CopyPanelItem"));
    connect(FCopyAction, &QAction::triggered, this,
            reporting(this, &TResultPanel::copyToClipboard));
    showWholeTextWhenClipped(this);
}

QString TResultPanel::copyActionName()
{
    return QStringLiteral("Copy");
}

void TResultPanel::copyToClipboard() const
{
    QGuiApplication::clipboard()->setText(text());
}

void TResultPanel::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(FCopyAction);
    menu->popup(event->globalPos());
    event->accept();
}
