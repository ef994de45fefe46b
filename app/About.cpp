#include "app/About.h"

#include "app/WebSite.h"
#include "controls/ClickFilter.h"
#include "controls/ErrorReport.h"
#include "ui_AboutCalc.h"

#include <QScreen>
#include <QSvgRenderer>

const char* const TAboutCalc::releaseText = "Release 1.02";

namespace {
const char* const programmerName = "Mira Castellane";
const char* const makerLines[] = {
    "Calculators for network",
    "engineers.",
    "(c) Qorvel Group",
};
const char* const noticeText =
    "Zentrix is provided by Qorvel Group as it is, without warranty of any kind. "
    "The results of its calculators are meant to help with planning networks; "
    "check them against your own equipment and documentation before you rely on them.\n\n"
    "Zentrix keeps the calculator in use and the latency layout in your personal "
    "settings, and nothing else. It reads and writes no other files and sends "
    "nothing over the network.";
} // namespace

TAboutCalc::TAboutCalc(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutCalc>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(false);

    ui->InfoMemo->viewport()->setCursor(Qt::ArrowCursor);
    ui->NoticeMemo->viewport()->setCursor(Qt::ArrowCursor);
    connect(new TClickFilter(ui->CreditsMemo->viewport()), &TClickFilter::clicked, this,
            &TAboutCalc::CreditsMemoClick);

    connect(ui->AboutImage, &TImage::doubleClicked, this, &TAboutCalc::AboutImageDblClick);
    connect(ui->OKButton, &QPushButton::clicked, this, reporting(this, &TAboutCalc::OKButtonClick));

    FormCreate();
}

TAboutCalc::~TAboutCalc() = default;

void TAboutCalc::FormCreate()
{
    ui->NoticeMemo->move(ui->NoticeMemo->x(), 128);
    const QRect ok = ui->OKButton->geometry();
    setFixedSize(313, ok.top() + ok.height() + 8);
    const QString title = QCoreApplication::applicationName();
    setWindowTitle(QStringLiteral("About the ") + title);

    QStringList info{title, QString()};
    for (const char* line : makerLines)
        info << QString::fromUtf8(line);
    FAboutPicture = std::make_unique<QSvgRenderer>(QStringLiteral(":/bitmaps/ZENTRIXABOUTBOX.svg"));
    ui->AboutImage->setPicture(FAboutPicture.get());
    info[1] = QString::fromUtf8(releaseText);
    ui->InfoMemo->setPlainText(info.join(QLatin1Char('\n')));

    ui->CreditsMemo->setPlainText(QStringLiteral("Programmed by\n") +
                                  QString::fromUtf8(programmerName));
    QTextOption centred = ui->CreditsMemo->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    ui->CreditsMemo->document()->setDefaultTextOption(centred);
    ui->NoticeMemo->setPlainText(QString::fromUtf8(noticeText));

    ui->WebURL->setText(website::address);
    connect(new TClickFilter(ui->WebURL), &TClickFilter::clicked, this, &TAboutCalc::WebURLClick);
}

void TAboutCalc::AboutImageDblClick()
{
    ui->AboutImage->hide();
    ui->CreditsMemo->show();
}

void TAboutCalc::CreditsMemoClick()
{
    ui->CreditsMemo->hide();
    ui->AboutImage->show();
}

void TAboutCalc::WebURLClick()
{
    website::open();
}

void TAboutCalc::OKButtonClick()
{
    close();
}

void TAboutCalc::showEvent(QShowEvent* event)
{
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
