#pragma once

#include "bits/WordViews.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <string_view>

class QFormLayout;
class QLineEdit;

// Fields of a result, each a caption beside a read-only field whose text
// can be selected and copied (and is reached with Tab). A field keeps its
// place while results come and go; one the result no longer has is hidden.
// Each field is named by its key ("hexadecimal" gives hexadecimalView) and
// says its caption to a screen reader.
class TViewPanel : public QWidget
{
    Q_OBJECT
public:
    // Shows only the fields whose key `accept` takes.
    explicit TViewPanel(std::function<bool(std::string_view key)> accept,
                        QWidget* parent = nullptr);

    void showFields(const ViewFields& fields);
    // The field of that key, or nullptr.
    QLineEdit* field(const QString& key) const { return FFields.value(key); }
    // Its text while shown, else empty.
    QString text(const QString& key) const;

private:
    std::function<bool(std::string_view)> FAccept;
    QFormLayout* FForm;
    QHash<QString, QLineEdit*> FFields;
};
