#pragma once

#include <QLineEdit>
#include <QString>

// A one-line number field. Its maximum length limits what the user types or
// pastes, never what the program writes: a program text may be longer (a
// negative value needs eight hexadecimal digits at any width, and grouped
// texts carry separators), and the user can still delete from it. Entering
// the field never selects its text.
//
// The program writes the field with writeText(); the field follows its own
// textChanged signal to know the text before each edit, so that signal must
// not be blocked.
class TNumberMemo : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int maxInputLength READ maxInputLength WRITE setMaxInputLength)
public:
    explicit TNumberMemo(QWidget* parent = nullptr);

    int maxInputLength() const { return FMaxInputLength; }
    // Texts the user makes longer than this are cut to fit; a negative
    // length means no limit.
    void setMaxInputLength(int length) { FMaxInputLength = length; }

    // Sets the text regardless of the maximum length.
    void writeText(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    friend class TInputLengthValidator;

    int FMaxInputLength = -1;
    QString FTextBeforeEdit;
    bool FWriting = false;
};
