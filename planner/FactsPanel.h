#pragma once

#include "ipaddress/Cidr.h"

#include <QWidget>

#include <optional>
#include <vector>

class QGridLayout;
class QLabel;

// The facts of a network, as zentrix-cli cidr gives them (ipaddress's
// cidrFacts, the same rows in the same order): caption and value side by
// side, in as many pairs to a line as `pairsPerLine`. The values can be
// selected and copied; each says its caption to a screen reader.
class TFactsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TFactsPanel(QWidget* parent = nullptr);

    // No block: the panel says so in one line.
    void showBlock(const std::optional<CidrBlock>& block);

    // The value shown for a caption, empty when there is none (tests).
    QString value(const QString& caption) const;

private:
    void clear();

    QGridLayout* FGrid;
    std::vector<QLabel*> FLabels;
    QLabel* FEmpty;
    std::optional<CidrBlock> FShown;
    static constexpr int pairsPerLine = 2;
};
