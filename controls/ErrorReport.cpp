#include "controls/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

void errorreport::show(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

QString errorreport::currentMessage()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return QString::fromStdString(error.what());
    } catch (...) {
        return QStringLiteral("Unexpected error");
    }
}

void errorreport::showCurrent()
{
    show(currentMessage());
}
