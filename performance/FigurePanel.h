#pragma once

#include "path/PathRecords.h"

#include <QWidget>

#include <vector>

class QLabel;

// The figures of the path in their groups (packet sizes, rates, window,
// transfer), each a caption and a value that can be selected and copied, as
// pathRecords gives them. A figure that cannot be computed says why in its
// place.
class TFigurePanel : public QWidget
{
    Q_OBJECT
public:
    explicit TFigurePanel(QWidget* parent);

    void showRecords(const std::vector<TPathRecord>& records);
    // No figures: every value says why.
    void showNothing(const QString& why);

    // Caption, value and unit of every figure shown, tab-separated, with CR
    // LF line ends, as the program's tables copy themselves; empty while no
    // figures are shown.
    QString tabSeparated() const;
    // The value shown for a record's key ("inner_mtu"); the label's object
    // name is the key.
    QLabel* valueLabel(const QString& key) const;

private:
    void showValue(QLabel* value, const QString& caption, const QString& text, bool known);

    struct TRow
    {
        QString Caption;
        QLabel* Value;
    };
    std::vector<TRow> FRows;
    std::vector<TPathRecord> FRecords; // as last shown; none while nothing is
};
