#pragma once

#include <QDialog>
#include <memory>

class QSvgRenderer;

namespace Ui {
class TAboutCalc;
}

// The about box: created once at start, hidden, and shown again and again
// without being modal; closing it only hides it.
class TAboutCalc : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutCalc(QWidget* parent = nullptr);
    ~TAboutCalc() override;

    static const char* const releaseText;

    void AboutImageDblClick();
    void CreditsMemoClick();
    void WebURLClick();
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();

    std::unique_ptr<Ui::TAboutCalc> ui;
    std::unique_ptr<QSvgRenderer> FAboutPicture;
};
