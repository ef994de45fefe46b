#include "planner/FactsPanel.h"

#include "ipaddress/CidrFacts.h"

#include <QGridLayout>
#include <QLabel>

TFactsPanel::TFactsPanel(QWidget* parent)
    : QWidget(parent), FGrid(new QGridLayout(this)), FEmpty(new QLabel(this))
{
    FGrid->setContentsMargins(0, 0, 0, 0);
    FGrid->setHorizontalSpacing(10);
    FGrid->setVerticalSpacing(2);
    FEmpty->setText(QStringLiteral("The facts of the first parent network show here."));
    FEmpty->setEnabled(false);
    FGrid->addWidget(FEmpty, 0, 0, 1, 2 * pairsPerLine);
    // Values take the room; captions stay as wide as their text.
    for (int pair = 0; pair < pairsPerLine; ++pair)
        FGrid->setColumnStretch(2 * pair + 1, 1);
}

void TFactsPanel::clear()
{
    for (QLabel* label : FLabels)
        delete label;
    FLabels.clear();
}

void TFactsPanel::showBlock(const std::optional<CidrBlock>& block)
{
    const bool same = block && FShown && block->family == FShown->family &&
                      block->address == FShown->address && block->prefix == FShown->prefix;
    if (same || (!block && !FShown))
        return;
    FShown = block;
    clear();
    FEmpty->setVisible(!block);
    if (!block)
        return;
    int cell = 0;
    for (const Fact& fact : cidrFacts(*block)) {
        if (fact.dataOnly || fact.kind == FactKind::None)
            continue;
        const QString captionText =
            QString::fromUtf8(fact.caption.data(), int(fact.caption.size()));
        auto* caption = new QLabel(captionText, this);
        auto* value = new QLabel(QString::fromStdString(fact.text), this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setObjectName(captionText);
        value->setAccessibleName(captionText + QStringLiteral(", ") + value->text());
        caption->setBuddy(value);
        const int line = cell / pairsPerLine;
        const int column = 2 * (cell % pairsPerLine);
        FGrid->addWidget(caption, line, column);
        FGrid->addWidget(value, line, column + 1);
        FLabels.push_back(caption);
        FLabels.push_back(value);
        ++cell;
    }
    // The lines keep together at the top, whatever room the panel has.
    const int lines = (cell + pairsPerLine - 1) / pairsPerLine;
    for (int line = 0; line < FGrid->rowCount(); ++line)
        FGrid->setRowStretch(line, 0);
    FGrid->setRowStretch(lines, 1);
}

QString TFactsPanel::value(const QString& caption) const
{
    for (QLabel* label : FLabels)
        if (label->objectName() == caption)
            return label->text();
    return {};
}
