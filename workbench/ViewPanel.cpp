#include "workbench/ViewPanel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <utility>

TViewPanel::TViewPanel(std::function<bool(std::string_view key)> accept, QWidget* parent)
    : QWidget(parent), FAccept(std::move(accept)), FForm(new QFormLayout(this))
{
    FForm->setContentsMargins(0, 0, 0, 0);
    FForm->setVerticalSpacing(3);
    FForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
}

void TViewPanel::showFields(const ViewFields& fields)
{
    QHash<QString, bool> shown;
    int row = 0;
    for (const ViewField& result : fields) {
        if (!FAccept(result.key))
            continue;
        const QString key = QString::fromLatin1(result.key);
        QLineEdit* field = FFields.value(key);
        if (!field) {
            // A field seen for the first time goes after the one before it.
            field = new QLineEdit(this);
            field->setReadOnly(true);
            field->setObjectName(key + QStringLiteral("View"));
            const QString caption = QString::fromLatin1(result.caption);
            field->setAccessibleName(caption);
            auto* label = new QLabel(caption + QLatin1Char(':'), this);
            label->setBuddy(field);
            FForm->insertRow(row, label, field);
            FFields.insert(key, field);
        } else {
            QFormLayout::ItemRole role;
            FForm->getWidgetPosition(field, &row, &role);
            FForm->setRowVisible(row, true);
        }
        ++row;
        shown.insert(key, true);
        // Flags read as words, not as the JSON literals they are.
        const QString text = result.type != FieldType::Flag ? QString::fromStdString(result.text)
                             : result.text == "true"        ? QStringLiteral("yes")
                                                            : QStringLiteral("no");
        if (field->text() != text) {
            field->setText(text);
            field->setCursorPosition(0);
            field->setToolTip(text);
        }
    }
    for (auto it = FFields.cbegin(); it != FFields.cend(); ++it)
        if (!shown.contains(it.key()))
            FForm->setRowVisible(it.value(), false);
}

QString TViewPanel::text(const QString& key) const
{
    QLineEdit* field = FFields.value(key);
    return field && field->isVisibleTo(this) ? field->text() : QString();
}
