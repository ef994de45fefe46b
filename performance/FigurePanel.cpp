#include "performance/FigurePanel.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

QString valueText(const TPathRecord& record)
{
    QString text = QString::fromStdString(record.Text);
    if (record.Known && !record.Unit.empty())
        text += (record.Unit == "%" ? QString() : QStringLiteral(" ")) +
                QString::fromStdString(record.Unit);
    if (!record.Detail.empty())
        text += QStringLiteral(" (%1)").arg(QString::fromStdString(record.Detail));
    return text;
}

} // namespace

TFigurePanel::TFigurePanel(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const TFigureGroup groups[] = {TFigureGroup::PacketSizes, TFigureGroup::Rates,
                                   TFigureGroup::Window, TFigureGroup::Transfer};
    const std::vector<TPathRecord> records = pathRecords(TPathResult());
    for (int g = 0; g < 4; ++g) {
        auto* box = new QGroupBox(QString::fromUtf8(figureGroupTitle(groups[g])), this);
        auto* form = new QFormLayout(box);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        for (const TPathRecord& record : records) {
            if (record.Group != groups[g])
                continue;
            auto* value = new QLabel(box);
            value->setObjectName(QLatin1String(record.Key));
            value->setWordWrap(true);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
            value->setFocusPolicy(Qt::StrongFocus);
            const QString caption = QString::fromUtf8(record.Label);
            auto* label = new QLabel(caption + QLatin1Char(':'), box);
            label->setBuddy(value);
            form->addRow(label, value);
            FRows.push_back({caption, value});
        }
        grid->addWidget(box, g / 2, g % 2);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    showNothing(QString());
}

void TFigurePanel::showValue(QLabel* value, const QString& caption, const QString& text, bool known)
{
    value->setText(text);
    // What is missing reads as a remark, not as a figure.
    value->setForegroundRole(known ? QPalette::WindowText : QPalette::PlaceholderText);
    value->setAccessibleName(QStringLiteral("%1, %2").arg(caption, text));
}

void TFigurePanel::showRecords(const std::vector<TPathRecord>& records)
{
    FRecords = records;
    for (size_t i = 0; i < records.size() && i < FRows.size(); ++i)
        showValue(FRows[i].Value, FRows[i].Caption, valueText(records[i]), records[i].Known);
}

void TFigurePanel::showNothing(const QString& why)
{
    FRecords.clear();
    for (TRow& row : FRows)
        showValue(row.Value, row.Caption, why.isEmpty() ? QStringLiteral("-") : why, false);
}

QString TFigurePanel::tabSeparated() const
{
    QString text;
    for (const TPathRecord& record : FRecords)
        text += QString::fromUtf8(record.Label) + QLatin1Char('\t') +
                QString::fromStdString(record.Text) + QLatin1Char('\t') +
                QString::fromStdString(record.Known ? record.Unit : std::string()) +
                QStringLiteral("\r\n");
    return text;
}

QLabel* TFigurePanel::valueLabel(const QString& key) const
{
    return findChild<QLabel*>(key);
}
