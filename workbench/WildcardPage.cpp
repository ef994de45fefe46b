#include "workbench/WildcardPage.h"

#include "workbench/BlockModel.h"
#include "workbench/ViewPanel.h"

#include "controls/ErrorReport.h"
#include "core/Errors.h"
#include "ipaddress/AddressText.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLineEdit* addressField(const char* name, const QString& accessibleName, const QString& hint,
                        QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(accessibleName);
    field->setPlaceholderText(hint);
    return field;
}

QLabel* line(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// Digits in groups of three, as counts of addresses read best.
QString thousands(const std::string& digits)
{
    return QString::fromStdString(::grouped(digits, 3, ','));
}

} // namespace

TWildcardPage::TWildcardPage(QWidget* parent)
    : QWidget(parent), FAddress(addressField("AclAddressEdit", QStringLiteral("Address"),
                                             QStringLiteral("10.0.0.0"), this)),
      FWildcard(addressField("WildcardEdit", QStringLiteral("Wildcard mask"),
                             QStringLiteral("0.255.0.255"), this)),
      FTest(addressField("MatchEdit", QStringLiteral("Address to test"), QStringLiteral("10.7.0.9"),
                         this)),
      FFault(line("AclFault", this)), FNetmaskNote(line("NetmaskNote", this)),
      FMatch(line("MatchResult", this)),
      FFacts(new TViewPanel(
          [](std::string_view key) {
              return key != "address" && key != "wildcard" && key.substr(0, 8) != "netmask_";
          },
          this)),
      FBlocksCaption(new QLabel(this)), FTable(new QTableView(this)), FBlocks(new TBlockModel(this))
{
    auto* inputs = new QGridLayout;
    const auto caption = [this](const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        return label;
    };
    inputs->addWidget(caption(QStringLiteral("A&ddress:"), FAddress), 0, 0);
    inputs->addWidget(FAddress, 0, 1);
    inputs->addWidget(caption(QStringLiteral("Wild&card:"), FWildcard), 0, 2);
    inputs->addWidget(FWildcard, 0, 3);
    inputs->addWidget(caption(QStringLiteral("Test add&ress:"), FTest), 0, 4);
    inputs->addWidget(FTest, 0, 5);
    for (int column : {1, 3, 5})
        inputs->setColumnStretch(column, 1);

    FFacts->setObjectName(QStringLiteral("WildcardFacts"));
    FNetmaskNote->hide();
    FBlocksCaption->setObjectName(QStringLiteral("BlocksCaption"));
    FBlocksCaption->setBuddy(FTable);
    FTable->setObjectName(QStringLiteral("BlockTable"));
    FTable->setAccessibleName(QStringLiteral("CIDR blocks"));
    FTable->setModel(FBlocks);
    FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTable->setTabKeyNavigation(false);
    FTable->setWordWrap(false);
    FTable->setAlternatingRowColors(true);
    FTable->verticalHeader()->hide();
    // Rows of one height are never measured: a million of them cost nothing.
    FTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    FTable->horizontalHeader()->setStretchLastSection(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    FTable->setColumnWidth(0, digit * 10);
    for (int column = 1; column < 3; ++column)
        FTable->setColumnWidth(column, digit * 30);
    FTable->installEventFilter(this);

    // The facts beside what they say: whether the test address matches,
    // and whether the wildcard looks like a netmask.
    FFacts->setMaximumWidth(fontMetrics().averageCharWidth() * 60);
    auto* notes = new QVBoxLayout;
    notes->addWidget(FFault);
    notes->addWidget(FMatch);
    notes->addWidget(FNetmaskNote);
    notes->addStretch(1);
    auto* results = new QHBoxLayout;
    results->addWidget(FFacts, 1);
    results->addSpacing(12);
    results->addLayout(notes, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addLayout(results);
    layout->addWidget(FBlocksCaption);
    layout->addWidget(FTable, 1);

    for (QLineEdit* field : {FAddress, FWildcard, FTest})
        connect(field, &QLineEdit::textChanged, this, reporting(this, &TWildcardPage::update));
    update();
}

QStringList TWildcardPage::texts() const
{
    return {FAddress->text(), FWildcard->text(), FTest->text()};
}

void TWildcardPage::setTexts(const QStringList& texts)
{
    const QList<QLineEdit*> fields = {FAddress, FWildcard, FTest};
    for (int i = 0; i < fields.size() && i < texts.size(); ++i)
        fields[i]->setText(texts[i]);
}

void TWildcardPage::update()
{
    std::optional<WildcardMask> mask;
    QString fault;
    const bool begun =
        !FAddress->text().trimmed().isEmpty() || !FWildcard->text().trimmed().isEmpty();
    if (begun) {
        try {
            mask =
                readWildcardMask(FAddress->text().toStdString(), FWildcard->text().toStdString());
        } catch (const EZentrixError& error) {
            fault = QString::fromUtf8(error.what());
        }
    }
    FFault->setText(begun ? fault
                          : QStringLiteral("Type an address and a wildcard mask, such as 10.0.0.0 "
                                           "and 0.255.0.255."));
    FFault->setForegroundRole(begun ? QPalette::WindowText : QPalette::PlaceholderText);
    FFault->setVisible(!FFault->text().isEmpty());
    FFacts->showFields(mask ? wildcardViews(*mask) : ViewFields());
    FFacts->setVisible(mask.has_value());

    FNetmaskNote->setVisible(mask && mask->looksLikeNetmask());
    if (mask && mask->looksLikeNetmask())
        FNetmaskNote->setText(
            QStringLiteral("%1 looks like a netmask (/%2), not a wildcard: as a wildcard it "
                           "matches any value in the bits that netmask keeps. The wildcard "
                           "of /%2 is %3.")
                .arg(QString::fromStdString(addressText(mask->family, mask->wildcard)))
                .arg(mask->netmaskPrefix())
                .arg(QString::fromStdString(addressText(mask->family, mask->netmaskWildcard()))));

    QString match;
    if (mask && !FTest->text().trimmed().isEmpty()) {
        try {
            const Uint128 address = readAddressOf(*mask, FTest->text().toStdString());
            match = QStringLiteral("%1 %2.").arg(
                QString::fromStdString(addressText(mask->family, address)),
                mask->matches(address) ? QStringLiteral("matches")
                                       : QStringLiteral("does not match"));
        } catch (const EZentrixError& error) {
            match = QString::fromUtf8(error.what());
        }
    }
    FMatch->setText(match);
    FMatch->setVisible(!match.isEmpty());

    FBlocks->setMask(mask);
    QString blocks = QStringLiteral("C&IDR blocks");
    if (mask) {
        blocks += QStringLiteral(", the shortest list matching the same addresses: %1 of /%2")
                      .arg(thousands(addresstext::powerOfTwoText(mask->blockCountBits())))
                      .arg(mask->blockPrefix());
        if (FBlocks->cut())
            blocks += QStringLiteral(" (the first %1 listed)")
                          .arg(QLocale(QLocale::English).toString(TBlockModel::MaxRows));
    }
    FBlocksCaption->setText(blocks + QLatin1Char(':'));
}

void TWildcardPage::copyBlocks()
{
    std::vector<int> rows;
    for (const QModelIndex& row : FTable->selectionModel()->selectedRows())
        rows.push_back(row.row());
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(FBlocks->tabSeparated(rows));
}

bool TWildcardPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FTable && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        reportErrors([this] { copyBlocks(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
