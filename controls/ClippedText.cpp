#include "controls/ClippedText.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QTextDocument>

namespace {

// The tooltip this file gave a label, kept with the label so that a hint
// given by anyone else can be told apart from it.
const char* const WholeTextTip = "wholeTextTip";

// A label whose accelerator works (it has a buddy) draws "&x" as an
// underlined x and "&&" as "&".
bool showsAccelerator(const QLabel* label)
{
    return label->buddy() != nullptr;
}

QString shownText(const QLabel* label)
{
    QString text = label->text();
    if (showsAccelerator(label)) {
        text.replace(QLatin1String("&&"), QLatin1String("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    }
    return text;
}

// The width QLabel lays its text out in: inside the frame and the margin,
// less the indent that a framed label keeps from the edge it is aligned to.
int textRoom(const QLabel* label)
{
    const int margin = label->margin();
    int room = label->contentsRect().width() - 2 * margin;
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin;
    if (indent > 0) {
        const Qt::Alignment alignment = label->alignment();
        if (alignment & (Qt::AlignLeft | Qt::AlignLeading))
            room -= indent;
        if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
            room -= indent;
    }
    return room;
}

// What a label's tooltip was last worked out from: measuring text is costly,
// and a label is repainted far more often than its text or room change.
struct TMeasure
{
    QString text;
    QFont font;
    int room = -1;
};

// One watcher serves every label.
class ClippedTextWatcher : public QObject
{
public:
    using QObject::QObject;

    static ClippedTextWatcher* instance()
    {
        static QPointer<ClippedTextWatcher> watcher;
        if (!watcher)
            watcher = new ClippedTextWatcher(QCoreApplication::instance());
        return watcher;
    }

    void watch(QLabel* label)
    {
        // Installing twice would still filter once: Qt keeps one entry per filter.
        label->installEventFilter(this);
        connect(label, &QObject::destroyed, this, &ClippedTextWatcher::forget,
                Qt::UniqueConnection);
    }

    // The label's tooltip follows its text, face and room; it is worked out
    // again only when one of them changed since the last time.
    void refreshTip(QLabel* label)
    {
        const QString ours = label->property(WholeTextTip).toString();
        if (!label->toolTip().isEmpty() && label->toolTip() != ours)
            return;
        TMeasure& last = FMeasures[label];
        const int room = textRoom(label);
        if (room == last.room && label->text() == last.text && label->font() == last.font)
            return;
        last = {label->text(), label->font(), room};
        const QString tip = isTextClipped(label) ? shownText(label) : QString();
        if (tip == label->toolTip())
            return;
        label->setProperty(WholeTextTip, tip);
        label->setToolTip(tip);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::FontChange:
        case QEvent::Show:
        case QEvent::Paint:
        case QEvent::ToolTip:
            if (auto* label = qobject_cast<QLabel*>(watched); label && label->isVisible())
                refreshTip(label);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void forget(QObject* label) { FMeasures.remove(label); }

    QHash<const QObject*, TMeasure> FMeasures;
};

} // namespace

bool isTextClipped(const QLabel* label)
{
    const QString text = label->text();
    if (text.isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
        return false;
    const int flags = Qt::TextSingleLine | (showsAccelerator(label) ? Qt::TextShowMnemonic : 0);
    return label->fontMetrics().size(flags, text).width() > textRoom(label);
}

void showWholeTextWhenClipped(QLabel* label)
{
    // A label is measured when it shows, not before: many wait on pages not
    // shown yet, and some never show.
    ClippedTextWatcher::instance()->watch(label);
    if (label->isVisible())
        ClippedTextWatcher::instance()->refreshTip(label);
}

void showWholeTextsWhenClipped(QWidget* root)
{
    for (QLabel* label : root->findChildren<QLabel*>())
        showWholeTextWhenClipped(label);
}
